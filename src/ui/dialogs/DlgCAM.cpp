#include "ui/dialogs/DlgCAM.h"

#include "profile/ProfileDefaults.h"
#include "ui/DialogUnits.h"
#include "ui/FormControls.h"
#include "ui/dialogs/WorkTimePanel.h"

#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

namespace halvorn::ui {

namespace {
const QString kTitle = QStringLiteral("Camera Parameter Setting");

// Scene whose values the scene customization dialog edits.
constexpr int kCustomScene = 7;
// Video lengths above this position (20 seconds) draw the warning.
constexpr int kLongestQuietVideo = 3;

// Appends "NN<suffix>" for n = from, from + step, ... up to to.
void addTimes(QStringList& items, int from, int to, int step, const char* suffix) {
    for (int n = from; n <= to; n += step)
        items << twoDigitText(n) + QString::fromLatin1(suffix);
}
} // namespace

QStringList videoLengthItems() {
    QStringList items;
    addTimes(items, 5, 60, 5, " Sec");
    return items;
}

QStringList pirIntervalItems() {
    QStringList items;
    addTimes(items, 0, 55, 5, " Sec");
    addTimes(items, 1, 5, 1, " Min");
    addTimes(items, 10, 60, 5, " Min");
    return items;
}

QStringList timeLapseItems() {
    QStringList items;
    addTimes(items, 5, 55, 5, " Sec");
    addTimes(items, 1, 5, 1, " Min");
    addTimes(items, 10, 55, 5, " Min");
    addTimes(items, 1, 8, 1, " Hour");
    addTimes(items, 12, 24, 4, " Hour");
    return items;
}

DlgCAM::DlgCAM(AppContext& ctx, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      ctx_(ctx) {
    setObjectName(QStringLiteral("DlgCAM"));
    setWindowTitle(kTitle);
    setFont(dialogFont());
    const DialogUnits du(font());

    // The heading stands on a rule across the window.
    auto* rule = new QFrame(this);
    rule->setFrameShape(QFrame::HLine);
    rule->setFrameShadow(QFrame::Sunken);
    du.place(rule, 7, 8, 426, 2);
    auto* heading = new QLabel(QStringLiteral(" Camera Setting"), this);
    heading->setAutoFillBackground(true);
    heading->adjustSize();
    heading->move(du.x(12), du.y(9) - heading->height() / 2);

    auto group = [&](const char* title, int x) {
        auto* g = new QGroupBox(QString::fromLatin1(title), this);
        du.place(g, x, 16, 138, 76);
        return g;
    };
    auto row = [&](QGroupBox* g, int r, const char* text, QLabel*& label, QComboBox*& list, const QStringList& items) {
        label = new QLabel(QString::fromLatin1(text), g);
        list = new QComboBox(g);
        list->setMaxVisibleItems(12);
        fillList(list, items);
        labelControl(label, list);
        du.place(label, 7, 14 + r * 16, 58, 9);
        du.place(list, 66, 12 + r * 16, 66, 13);
    };

    QGroupBox* cam = group("CAM", 7);
    row(cam, 0, "Camera Mode", cameraModeLabel_, cameraMode_,
        {QStringLiteral("Photo"), QStringLiteral("Video"), QStringLiteral("Picture+Video")});
    row(cam, 1, "Camera Scene", cameraSceneLabel_, cameraScene_,
        {QStringLiteral("Auto"), QStringLiteral("Close Object"), QStringLiteral("Moving Object"),
         QStringLiteral("Still Object"), QStringLiteral("2 Bursts(N+M)"), QStringLiteral("3 Bursts(N)"),
         QStringLiteral("Chasing Photo"), QStringLiteral("Customize")});
    row(cam, 2, "Video Size", videoSizeLabel_, videoSize_,
        {QStringLiteral("1080P"), QStringLiteral("720P"), QStringLiteral("WVGA")});
    row(cam, 3, "Video Length", videoLengthLabel_, videoLength_, {});

    QGroupBox* pir = group("PIR", 151);
    row(pir, 0, "Trigger Mode", triggerModeLabel_, triggerMode_,
        {QStringLiteral("PIR Trigger"), QStringLiteral("Time Lapse"), QStringLiteral("Both")});
    row(pir, 1, "PIR Sensitivity", pirSensitivityLabel_, pirSensitivity_,
        {QStringLiteral("Low"), QStringLiteral("Auto"), QStringLiteral("High")});
    row(pir, 2, "PIR Interval", pirIntervalLabel_, pirInterval_, {});
    row(pir, 3, "Time Lapse", timeLapseLabel_, timeLapse_, {});

    const QStringList offOn{QStringLiteral("Off"), QStringLiteral("On")};
    QGroupBox* sys = group("SYS", 295);
    row(sys, 0, "Language", languageLabel_, language_, {QStringLiteral("English"), QStringLiteral("Deustch")});
    row(sys, 1, "Overwrite", overwriteLabel_, overwrite_, offOn);
    row(sys, 2, "Beep", beepLabel_, beep_, offOn);
    row(sys, 3, "RF Switch", rfSwitchLabel_, rfSwitch_,
        {QStringLiteral("Off"), QStringLiteral("Trigger"), QStringLiteral("On")});
    // The RF switch exists but is never shown: its value passes through unchanged.
    rfSwitchLabel_->hide();
    rfSwitch_->hide();

    workTimes_ = new WorkTimePanel(
        this, [this] { readForm(); }, [this] { showForm(); });
    du.place(workTimes_, 0, 96, WorkTimePanel::kWidthUnits, WorkTimePanel::kHeightUnits);

    ok_ = new QPushButton(QStringLiteral("OK"), this);
    default_ = new QPushButton(QStringLiteral("Default"), this);
    cancel_ = new QPushButton(QStringLiteral("Cancel"), this);
    int x = 127;
    for (QPushButton* b : {ok_, default_, cancel_}) {
        b->setAutoDefault(false);
        b->setDefault(false);
        nameControl(b, b->text());
        du.place(b, x, 252, 50, 14);
        x += 68;
    }
    setFixedSize(du.size(440, 274));

    scene_ = new DlgCamPro(ctx_, this);

    connect(cameraMode_, &QComboBox::activated, this, [this](int) { onCameraModeChanged(); });
    connect(cameraScene_, &QComboBox::activated, this, [this](int) { onSceneChanged(); });
    connect(triggerMode_, &QComboBox::activated, this, [this](int) { onTriggerModeChanged(); });
    connect(videoLength_, &QComboBox::activated, this, [this](int) { onVideoLengthChanged(); });
    connect(ok_, &QPushButton::clicked, this, &DlgCAM::onOk);
    connect(default_, &QPushButton::clicked, this, &DlgCAM::onDefault);
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
}

int DlgCAM::openModal() {
    const ProfileRecord& r = ctx_.record;
    setWindowTitle(kTitle);

    values_.cameraMode = r.u8(rec::cameraMode);
    values_.cameraScene = r.u8(rec::cameraScene);
    values_.videoSize = r.u8(rec::videoSize);
    values_.videoLength = r.u8(rec::videoLength);
    values_.scene.photoSize = r.u8(rec::photoSize);
    values_.scene.flashPower = r.u8(rec::flashPower);
    values_.scene.photoBurst = r.u8(rec::photoBurst);
    fillList(videoLength_, videoLengthItems());
    selectPosition(videoLength_, values_.videoLength);
    applyCameraModeRule();

    values_.triggerMode = r.u8(rec::triggerMode);
    values_.pirSensitivity = r.u8(rec::pirSensitivity);
    values_.pirInterval = r.u8(rec::pirInterval);
    values_.timeLapse = r.u8(rec::timeLapse);
    fillList(pirInterval_, pirIntervalItems());
    fillList(timeLapse_, timeLapseItems());
    applyTriggerRule();

    workTimes_->load(r);

    values_.language = r.u8(rec::language);
    values_.rfSwitch = r.u8(rec::rfSwitch);
    values_.overwrite = r.u8(rec::overwrite);
    values_.beep = r.u8(rec::beep);
    showForm();

    setResult(Rejected);
    return ctx_.prompter.runModal(*this);
}

void DlgCAM::readForm() {
    FormReader in(ctx_.prompter, this);
    in.list(cameraMode_, values_.cameraMode);
    in.list(cameraScene_, values_.cameraScene);
    in.list(videoSize_, values_.videoSize);
    in.list(videoLength_, values_.videoLength);
    in.list(triggerMode_, values_.triggerMode);
    in.list(pirSensitivity_, values_.pirSensitivity);
    in.list(pirInterval_, values_.pirInterval);
    in.list(timeLapse_, values_.timeLapse);
    in.list(language_, values_.language);
    in.list(overwrite_, values_.overwrite);
    in.list(beep_, values_.beep);
    // The RF switch list is never shown, so the user cannot change it: its
    // value is not taken from the list, which would turn a stored value
    // outside the list into 255.
    workTimes_->readForm();
}

void DlgCAM::showForm() {
    selectPosition(cameraMode_, values_.cameraMode);
    selectPosition(cameraScene_, values_.cameraScene);
    selectPosition(videoSize_, values_.videoSize);
    selectPosition(videoLength_, values_.videoLength);
    selectPosition(triggerMode_, values_.triggerMode);
    selectPosition(pirSensitivity_, values_.pirSensitivity);
    selectPosition(pirInterval_, values_.pirInterval);
    selectPosition(timeLapse_, values_.timeLapse);
    selectPosition(language_, values_.language);
    selectPosition(overwrite_, values_.overwrite);
    selectPosition(beep_, values_.beep);
    selectPosition(rfSwitch_, values_.rfSwitch);
    workTimes_->showForm();
}

void DlgCAM::applyCameraModeRule() {
    // Only "Photo" offers the scene and only "Video" the video settings;
    // "Picture+Video" and unknown modes offer neither.
    const bool scene = values_.cameraMode == choice::photoMode;
    const bool video = values_.cameraMode == choice::videoMode;
    cameraSceneLabel_->setEnabled(scene);
    cameraScene_->setEnabled(scene);
    for (QWidget* w : {static_cast<QWidget*>(videoSizeLabel_), static_cast<QWidget*>(videoSize_),
                       static_cast<QWidget*>(videoLengthLabel_), static_cast<QWidget*>(videoLength_)})
        w->setEnabled(video);
}

void DlgCAM::applyTriggerRule() {
    const bool sensor = values_.triggerMode != choice::triggerTimeLapse;
    const bool lapse = values_.triggerMode != choice::triggerPir;
    for (QWidget* w : {static_cast<QWidget*>(pirSensitivityLabel_), static_cast<QWidget*>(pirSensitivity_),
                       static_cast<QWidget*>(pirIntervalLabel_), static_cast<QWidget*>(pirInterval_)})
        w->setEnabled(sensor);
    timeLapseLabel_->setEnabled(lapse);
    timeLapse_->setEnabled(lapse);
}

void DlgCAM::onCameraModeChanged() {
    readForm();
    applyCameraModeRule();
}

void DlgCAM::onSceneChanged() {
    readForm();
    if (values_.cameraScene == kCustomScene) scene_->openModal(values_.scene);
}

void DlgCAM::onTriggerModeChanged() {
    readForm();
    applyTriggerRule();
}

void DlgCAM::onVideoLengthChanged() {
    readForm();
    if (values_.videoLength > kLongestQuietVideo)
        ctx_.prompter.message(this, QStringLiteral("Video Length Setting"),
                              QStringLiteral("For saving flash power at night,it's suggested to set video length "
                                             "within 20s."),
                              MessageIcon::Warning);
}

void DlgCAM::onDefault() {
    if (!ctx_.prompter.askYesNo(this, QStringLiteral("Camera Default Setting"),
                                QStringLiteral("You'll restore the default camera setting,\nAre you sure?"),
                                Language::English))
        return;
    values_.cameraMode = cameraDefault::cameraMode;
    values_.cameraScene = cameraDefault::cameraScene;
    values_.videoSize = cameraDefault::videoSize;
    values_.videoLength = cameraDefault::videoLength;
    values_.scene = {cameraDefault::photoSize, cameraDefault::flashPower, cameraDefault::photoBurst};
    applyCameraModeRule();

    values_.triggerMode = cameraDefault::triggerMode;
    values_.pirSensitivity = cameraDefault::pirSensitivity;
    values_.pirInterval = cameraDefault::pirInterval;
    values_.timeLapse = cameraDefault::timeLapse;
    applyTriggerRule();

    values_.language = cameraDefault::language;
    values_.rfSwitch = cameraDefault::rfSwitch;
    values_.overwrite = cameraDefault::overwrite;
    values_.beep = cameraDefault::beep;

    workTimes_->reset();
    showForm();
}

void DlgCAM::onOk() {
    readForm();
    // The schedules are checked before anything is written, so a refused
    // confirm leaves the record exactly as it was.
    if (!workTimes_->validate(ctx_.prompter, this)) return;

    ProfileRecord& r = ctx_.record;
    auto put = [&r](std::size_t offset, int value) { r.setU8(offset, lowByte(value)); };
    put(rec::cameraMode, values_.cameraMode);
    put(rec::cameraScene, values_.cameraScene);
    put(rec::photoSize, values_.scene.photoSize);
    put(rec::photoBurst, values_.scene.photoBurst);
    put(rec::flashPower, values_.scene.flashPower);
    put(rec::videoSize, values_.videoSize);
    put(rec::videoLength, values_.videoLength);
    put(rec::triggerMode, values_.triggerMode);
    put(rec::pirSensitivity, values_.pirSensitivity);
    put(rec::pirInterval, values_.pirInterval);
    put(rec::timeLapse, values_.timeLapse);
    workTimes_->store(r);
    put(rec::language, values_.language);
    put(rec::rfSwitch, values_.rfSwitch);
    put(rec::overwrite, values_.overwrite);
    put(rec::beep, values_.beep);

    readForm();
    accept();
}

} // namespace halvorn::ui
