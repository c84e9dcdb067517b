#include "ui/dialogs/DlgOperator.h"

#include "profile/ProfileText.h"
#include "ui/FieldText.h"
#include "ui/FormControls.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>

#include <algorithm>
#include <optional>
#include <string>

namespace halvorn::ui {

namespace {

const QString kSimLabel = QStringLiteral("SIMカード\u00a0");
const QString kApnLabel = QStringLiteral("APN");
const QString kUserLabel = QStringLiteral("ユーザー名");
const QString kPasswordLabel = QStringLiteral("パスワード");
const QString kOther = QStringLiteral("その他");

// Digits only, at least one; nothing on overflow past the limit.
std::optional<int> decimal(const QString& text, int limit) {
    if (text.isEmpty()) return std::nullopt;
    int value = 0;
    for (const QChar c : text) {
        if (c < u'0' || c > u'9') return std::nullopt;
        value = value * 10 + (c.unicode() - u'0');
        if (value > limit) return std::nullopt;
    }
    return value;
}

} // namespace

DlgOperator::DlgOperator(AppContext& ctx, QWidget* parent) : QDialog(parent), ctx_(ctx), units_(dialogFont()) {
    setObjectName(QStringLiteral("DlgOperator"));
    setWindowTitle(kTitle);
    setFont(dialogFont());
    build();
}

void DlgOperator::build() {
    auto* simFrame = new QGroupBox(kSimLabel, this);
    units_.place(simFrame, 7, 5, 186, 32);
    sim_ = new QComboBox(this);
    units_.place(sim_, 14, 17, 172, 14);
    sim_->setEditable(true);
    sim_->setInsertPolicy(QComboBox::NoInsert);
    sim_->setCompleter(nullptr);
    // The text part takes typing but the choice comes from the list alone: the
    // combo box would otherwise pick an item whose text matches what was typed.
    QObject::disconnect(sim_->lineEdit(), SIGNAL(editingFinished()), sim_, nullptr);
    connect(sim_->lineEdit(), &QLineEdit::editingFinished, this, &DlgOperator::restoreSimText);
    nameControl(sim_, kSimLabel);

    auto* apnFrame = new QGroupBox(kTitle, this);
    units_.place(apnFrame, 7, 42, 186, 70);

    dataApn_ = addLabelled<QLineEdit>(this, units_, kApnLabel, {14, 58, 50, 8}, {66, 56, 120, 12});
    dataUser_ = addLabelled<QLineEdit>(this, units_, kUserLabel, {14, 75, 50, 8}, {66, 73, 120, 12});
    dataPassword_ = addLabelled<QLineEdit>(this, units_, kPasswordLabel, {14, 92, 50, 8}, {66, 90, 120, 12});
    dataPassword_->setEchoMode(QLineEdit::Password);
    maskWithStars(dataPassword_);

    ok_ = new QPushButton(QStringLiteral("OK"), this);
    units_.place(ok_, 82, 120, 50, 14);
    ok_->setDefault(true);
    cancel_ = new QPushButton(QStringLiteral("キャンセル"), this);
    units_.place(cancel_, 143, 120, 50, 14);

    // The MMS settings are part of the form but never shown.
    mmsPanel_ = new QWidget(this);
    mmsPanel_->setObjectName(QStringLiteral("mmsPanel"));
    mmsPanel_->hide();
    auto* urlLabel = new QLabel(QStringLiteral("URL"), mmsPanel_);
    mmsUrl_ = new QLineEdit(mmsPanel_);
    labelControl(urlLabel, mmsUrl_);
    mmsGateway_ = new QLineEdit(mmsPanel_);
    auto* portLabel = new QLabel(QStringLiteral("ポート"), mmsPanel_);
    mmsPort_ = new QSpinBox(mmsPanel_);
    mmsPort_->setRange(0, 65535);
    labelControl(portLabel, mmsPort_);
    auto* mmsApnLabel = new QLabel(QStringLiteral("APN"), mmsPanel_);
    mmsApn_ = new QLineEdit(mmsPanel_);
    labelControl(mmsApnLabel, mmsApn_);
    auto* mmsUserLabel = new QLabel(QStringLiteral("アカウント"), mmsPanel_);
    mmsUser_ = new QLineEdit(mmsPanel_);
    labelControl(mmsUserLabel, mmsUser_);
    auto* mmsPasswordLabel = new QLabel(QStringLiteral("パスワード"), mmsPanel_);
    mmsPassword_ = new QLineEdit(mmsPanel_);
    mmsPassword_->setEchoMode(QLineEdit::Password);
    labelControl(mmsPasswordLabel, mmsPassword_);

    setTypingRules(dataApn_, Typing::Any, kApnChars);
    setTypingRules(dataUser_, Typing::Any, kUserChars);
    setTypingRules(dataPassword_, Typing::Any, kPasswordChars);

    setFixedSize(units_.size(200, 141));

    connect(sim_, &QComboBox::currentIndexChanged, this, &DlgOperator::onSimChanged);
    connect(ok_, &QPushButton::clicked, this, &DlgOperator::confirm);
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
}

int DlgOperator::otherPosition() const { return static_cast<int>(ctx_.catalog.japan().size()); }

int DlgOperator::openModal() {
    openForm();
    return ctx_.prompter.runModal(*this);
}

void DlgOperator::openForm() {
    QStringList choices;
    for (const OperatorEntry& row : ctx_.catalog.japan())
        choices << fieldText(row, op::name, ctx_.codec);
    choices << kOther;
    {
        const QSignalBlocker block(sim_);
        fillList(sim_, choices);
    }
    // A position outside the list (only a foreign backup holds one) selects nothing.
    const int saved = ctx_.record.u8(rec::simIndex);
    current_ = saved < sim_->count() ? saved : -1;

    const OperatorEntry entry = ctx_.record.operatorEntry();
    values_.sim = current_;
    loadDataFields(entry);
    values_.mmsUrl = fieldText(entry, op::mmsUrl, ctx_.codec);
    values_.mmsGateway = readGateway(fieldText(entry, op::mmsGateway, ctx_.codec));
    values_.mmsPort = readMmsPort(fieldText(entry, op::mmsPort, ctx_.codec));
    values_.mmsApn = fieldText(entry, op::mmsApn, ctx_.codec);
    values_.mmsUser = fieldText(entry, op::mmsUser, ctx_.codec);
    values_.mmsPassword = fieldText(entry, op::mmsPassword, ctx_.codec);
    showForm();
}

void DlgOperator::loadDataFields(const OperatorEntry& entry) {
    values_.dataApn = fieldText(entry, op::dataApn, ctx_.codec);
    values_.dataUser = fieldText(entry, op::dataUser, ctx_.codec);
    values_.dataPassword = fieldText(entry, op::dataPassword, ctx_.codec);
}

void DlgOperator::showForm() {
    {
        const QSignalBlocker block(sim_);
        selectPosition(sim_, values_.sim);
        restoreSimText();
    }
    showText(dataApn_, values_.dataApn, kApnChars);
    showText(dataUser_, values_.dataUser, kUserChars);
    showText(dataPassword_, values_.dataPassword, kPasswordChars);
    showText(mmsUrl_, values_.mmsUrl, kMmsUrlChars);
    const auto& g = values_.mmsGateway;
    mmsGateway_->setText(QStringLiteral("%1.%2.%3.%4").arg(g[0]).arg(g[1]).arg(g[2]).arg(g[3]));
    mmsPort_->setValue(values_.mmsPort);
    showText(mmsApn_, values_.mmsApn, kMmsApnChars);
    showText(mmsUser_, values_.mmsUser, kMmsUserChars);
    showText(mmsPassword_, values_.mmsPassword, kMmsPasswordChars);
    applyLock();
}

bool DlgOperator::readForm() {
    FormReader r(ctx_.prompter, this);
    r.list(sim_, values_.sim);
    r.text(dataApn_, values_.dataApn, kApnChars);
    r.text(dataUser_, values_.dataUser, kUserChars);
    r.text(dataPassword_, values_.dataPassword, kPasswordChars);
    r.text(mmsUrl_, values_.mmsUrl, kMmsUrlChars);
    if (r.ok()) {
        values_.mmsGateway = readGateway(mmsGateway_->text());
        values_.mmsPort = mmsPort_->value();
    }
    r.text(mmsApn_, values_.mmsApn, kMmsApnChars);
    r.text(mmsUser_, values_.mmsUser, kMmsUserChars);
    r.text(mmsPassword_, values_.mmsPassword, kMmsPasswordChars);
    return r.ok();
}

void DlgOperator::applyLock() {
    const bool other = current_ == otherPosition();
    for (QLineEdit* e : {dataApn_, dataUser_, dataPassword_})
        e->setEnabled(other);
}

void DlgOperator::restoreSimText() {
    // Typing in the text part changes nothing: it shows the current choice again.
    sim_->setEditText(sim_->itemText(sim_->currentIndex()));
}

void DlgOperator::onSimChanged(int position) {
    if (position < 0) return;
    current_ = position;
    values_.sim = position;
    const auto japan = ctx_.catalog.japan();
    if (position < static_cast<int>(japan.size())) {
        loadDataFields(japan[static_cast<std::size_t>(position)]);
    } else if (ctx_.record.u8(rec::simIndex) == position) {
        loadDataFields(ctx_.record.operatorEntry());
    } else {
        values_.dataApn.clear();
        values_.dataUser.clear();
        values_.dataPassword.clear();
    }
    showText(dataApn_, values_.dataApn, kApnChars);
    showText(dataUser_, values_.dataUser, kUserChars);
    showText(dataPassword_, values_.dataPassword, kPasswordChars);
    applyLock();
}

std::array<int, 4> DlgOperator::readGateway(const QString& text) {
    const QStringList parts = text.split(u'.');
    if (parts.size() != 4) return {};
    std::array<int, 4> octets{};
    for (std::size_t i = 0; i < 4; ++i) {
        const auto v = decimal(parts[static_cast<qsizetype>(i)], 255);
        if (!v) return {};
        octets[i] = *v;
    }
    return octets;
}

int DlgOperator::readMmsPort(const QString& text) { return decimal(text.trimmed(), 65535).value_or(0); }

void DlgOperator::confirm() {
    if (!readForm()) return;

    const OperatorEntry before = ctx_.record.operatorEntry();
    OperatorEntry entry = before;
    std::fill(entry.begin() + static_cast<std::ptrdiff_t>(op::mmsUrl.offset), entry.end(), std::uint8_t{0});

    // The typed data fields are checked first; nothing is written when one is refused.
    const struct {
        Field field;
        const QString& text;
        const QString& label;
    } typed[] = {{op::dataApn, values_.dataApn, kApnLabel},
                 {op::dataUser, values_.dataUser, kUserLabel},
                 {op::dataPassword, values_.dataPassword, kPasswordLabel}};
    for (const auto& t : typed) {
        const TextStatus status = storeText(fieldOf(entry, t.field), t.text.toStdU16String(), ctx_.codec);
        if (status != TextStatus::Stored) {
            ctx_.prompter.message(this, kTitle, refusalText(status, t.label), MessageIcon::None);
            return;
        }
    }

    // The hidden MMS texts come from the record; one that does not convert back
    // keeps its bytes as they were.
    const std::pair<Field, const QString*> hidden[] = {{op::mmsUrl, &values_.mmsUrl},
                                                       {op::mmsApn, &values_.mmsApn},
                                                       {op::mmsUser, &values_.mmsUser},
                                                       {op::mmsPassword, &values_.mmsPassword}};
    for (const auto& [field, text] : hidden) {
        if (storeText(fieldOf(entry, field), text->toStdU16String(), ctx_.codec) != TextStatus::Stored) {
            const auto old = fieldOf(before, field);
            std::copy(old.begin(), old.end(), fieldOf(entry, field).begin());
        }
    }
    const auto& g = values_.mmsGateway;
    const QString gateway = QStringLiteral("%1.%2.%3.%4").arg(g[0]).arg(g[1]).arg(g[2]).arg(g[3]);
    storeText(fieldOf(entry, op::mmsGateway), gateway.toStdU16String(), ctx_.codec);
    storeText(fieldOf(entry, op::mmsPort), QString::number(values_.mmsPort).toStdU16String(), ctx_.codec);

    ctx_.record.setOperatorEntry(entry);
    if (current_ >= 0) ctx_.record.setU8(rec::simIndex, static_cast<std::uint8_t>(current_));
    accept();
}

} // namespace halvorn::ui
