#include "ui/dialogs/DlgCamPro.h"

#include "ui/DialogUnits.h"
#include "ui/FormControls.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

namespace halvorn::ui {

namespace {
const QString kTitle = QStringLiteral("Camera Scene Customer Setting");
} // namespace

DlgCamPro::DlgCamPro(AppContext& ctx, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      ctx_(ctx) {
    setObjectName(QStringLiteral("DlgCamPro"));
    setWindowTitle(kTitle);
    setFont(dialogFont());
    const DialogUnits du(font());

    auto* box = new QGroupBox(this);
    du.place(box, 7, 5, 214, 62);

    struct Row {
        const char* label;
        QComboBox*& list;
        QStringList items;
    };
    QStringList bursts{QStringLiteral("1 Photo")};
    for (int n = 2; n <= 10; ++n)
        bursts << QStringLiteral("%1 Photos").arg(n);
    const Row rows[] = {
        {"Photo Size",
         photoSize_,
         {QStringLiteral("1.3MP"), QStringLiteral("3MP"), QStringLiteral("8MP"), QStringLiteral("10MP"),
          QStringLiteral("12MP")}},
        {"Flash Power", flashPower_, {QStringLiteral("Low"), QStringLiteral("Medium"), QStringLiteral("High")}},
        {"Photo Burst", photoBurst_, bursts},
    };
    int y = 10;
    for (const Row& row : rows) {
        auto* label = new QLabel(QString::fromLatin1(row.label), box);
        du.place(label, 7, y + 2, 50, 9);
        row.list = new QComboBox(box);
        row.list->setMaxVisibleItems(static_cast<int>(row.items.size()));
        fillList(row.list, row.items);
        du.place(row.list, 58, y, 62, 13);
        labelControl(label, row.list);
        y += 17;
    }

    note_ = new QLabel(QStringLiteral("The Max MP of night photo is 3MP"), box);
    note_->setAlignment(Qt::AlignCenter);
    note_->setWordWrap(true);
    du.place(note_, 126, 14, 82, 36);

    ok_ = new QPushButton(QStringLiteral("OK"), this);
    cancel_ = new QPushButton(QStringLiteral("Cancel"), this);
    for (QPushButton* b : {ok_, cancel_}) {
        b->setAutoDefault(false);
        b->setDefault(false);
        nameControl(b, b->text());
    }
    du.place(ok_, 56, 74, 50, 14);
    du.place(cancel_, 122, 74, 50, 14);
    connect(ok_, &QPushButton::clicked, this, &DlgCamPro::onOk);
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);

    setFixedSize(du.size(228, 95));
}

int DlgCamPro::openModal(SceneTriple& triple) {
    setWindowTitle(kTitle);
    triple_ = &triple;
    values_ = triple;
    showForm();
    setResult(Rejected);
    const int result = ctx_.prompter.runModal(*this);
    triple_ = nullptr;
    return result;
}

void DlgCamPro::readForm() {
    FormReader in(ctx_.prompter, this);
    in.list(photoSize_, values_.photoSize);
    in.list(flashPower_, values_.flashPower);
    in.list(photoBurst_, values_.photoBurst);
}

void DlgCamPro::showForm() {
    selectPosition(photoSize_, values_.photoSize);
    selectPosition(flashPower_, values_.flashPower);
    selectPosition(photoBurst_, values_.photoBurst);
}

void DlgCamPro::onOk() {
    readForm();
    if (triple_) *triple_ = values_;
    accept();
}

} // namespace halvorn::ui
