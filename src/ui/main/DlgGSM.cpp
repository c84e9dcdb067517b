#include "ui/main/DlgGSM.h"

#include "platform/DurableFile.h"
#include "platform/Volumes.h"
#include "profile/ProfileDefaults.h"
#include "profile/ProfileText.h"
#include "rules/SaveRules.h"
#include "ui/FieldText.h"
#include "ui/FileErrorText.h"
#include "ui/FolderStart.h"
#include "ui/FormControls.h"
#include "ui/PathText.h"
#include "ui/dialogs/DlgEmailSetting.h"
#include "ui/dialogs/DlgOperator.h"
#include "ui/text/RuleText.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <QValidator>

#include <limits>

namespace halvorn::ui {

namespace {

constexpr int kNoLimit = std::numeric_limits<int>::max();

// Texts of the two switch lists.
const QString kOff = QStringLiteral("オフ");
const QString kOn = QStringLiteral("オン");

const QString kRecipientsTitle = QStringLiteral("受信者設定");
const QString kRenameTitle = QStringLiteral("名前変更");
const QString kCardTitle = QStringLiteral("カードから読み込む");
const QString kExportTitle = QStringLiteral("設定をファイルに書き出す");
const QString kImportTitle = QStringLiteral("設定をファイルから読み込む");

// Checks the button at the position, or none when it lies outside the group.
void setChoice(QButtonGroup* buttons, const QList<QRadioButton*>& radios, int position) {
    // A checked button of an exclusive group cannot be unchecked: lift the rule meanwhile.
    buttons->setExclusive(false);
    for (QRadioButton* r : radios)
        r->setAutoExclusive(false);
    for (int i = 0; i < radios.size(); ++i)
        radios[i]->setChecked(i == position);
    for (QRadioButton* r : radios)
        r->setAutoExclusive(true);
    buttons->setExclusive(true);
}

// The byte a choice is stored as; a group without a selection keeps the stored byte.
std::uint8_t choiceByte(int value, std::uint8_t stored) { return value < 0 ? stored : lowByte(value); }
std::uint16_t choiceWord(int value, std::uint16_t stored) { return value < 0 ? stored : lowWord(value); }

// Builders of the window's controls, each placed in dialog units (x, y, w, h)
// and named for the tests and assistive tools.
QGroupBox* group(QWidget* parent, const DialogUnits& du, const char* id, const QString& title, int x, int y, int w,
                 int h) {
    auto* g = new QGroupBox(title, parent);
    g->setObjectName(QString::fromLatin1(id));
    du.place(g, x, y, w, h);
    return g;
}

QLabel* label(QWidget* parent, const DialogUnits& du, const QString& id, const QString& text, int x, int y, int w,
              int h) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(id);
    du.place(l, x, y, w, h);
    return l;
}

QRadioButton* radio(QWidget* parent, const DialogUnits& du, const char* id, const QString& text, int x, int y, int w,
                    int h) {
    auto* r = new QRadioButton(text, parent);
    r->setObjectName(QString::fromLatin1(id));
    // Exclusive within its button group only (a group takes precedence over the
    // siblings); auto-exclusive also makes it a radio button to assistive tools.
    r->setAutoExclusive(true);
    nameControl(r, text);
    du.place(r, x, y, w, h);
    return r;
}

QPushButton* button(QWidget* parent, const DialogUnits& du, const char* id, const QString& text, const QString& name,
                    int x, int y, int w, int h) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QString::fromLatin1(id));
    b->setAutoDefault(false);
    nameControl(b, name);
    du.place(b, x, y, w, h);
    return b;
}

QLineEdit* edit(QWidget* parent, const DialogUnits& du, const QString& id, int x, int y, int w, int h) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(id);
    du.place(e, x, y, w, h);
    return e;
}

// A drop-down list: the height in the layout includes the opened list, so the
// closed box gets the height of an edit field.
QComboBox* list(QWidget* parent, const DialogUnits& du, const char* id, int x, int y, int w) {
    auto* l = new QComboBox(parent);
    l->setObjectName(QString::fromLatin1(id));
    l->setEditable(false);
    du.place(l, x, y, w, 12);
    return l;
}

QButtonGroup* buttonGroup(QObject* parent, const QList<QRadioButton*>& radios) {
    auto* g = new QButtonGroup(parent);
    for (int i = 0; i < radios.size(); ++i)
        g->addButton(radios[i], i);
    return g;
}

} // namespace

DlgGSM::DlgGSM(AppContext& ctx, FrameAccess& frame, QWidget* parent)
    : QWidget(parent), ctx_(ctx), frame_(frame), units_(dialogFont()) {
    setObjectName(QStringLiteral("DlgGSM"));
    setFont(dialogFont());
    resize(units_.size(kWidthUnits, kHeightUnits));

    buildControls();
    connectReactions();

    // Opening: the construction values (the lists are still empty), the relay
    // copy, then the record.
    showForm();
    const auto relayRow = ctx_.views.mailPreset.rowAt(0);
    values_.relayCopy = relayRow && *relayRow >= 0 && *relayRow < kMailPresetRows
                            ? ctx_.mailPresets.row(*relayRow)
                            : ctx_.mailPresets.row(kMailPresetRelay);
    loadFromRecord();
}

DlgGSM::~DlgGSM() = default;

DlgEmailSetting& DlgGSM::mailDialog() {
    if (mailDialog_ == nullptr) {
        mailDialog_ = new DlgEmailSetting(ctx_, this);
        // The test mail goes to what this window shows now, saved or not.
        mailDialog_->setTestMailTarget([this] {
            DlgEmailSetting::TestMailTarget target{{}, {}, c_.nameField->text()};
            for (std::size_t i = 0; i < kSlots && target.recipient.isEmpty(); ++i)
                target.recipient = c_.mailFields[i]->text(), target.recipientField = c_.mailLabels[i]->text();
            return target;
        });
    }
    return *mailDialog_;
}

DlgOperator& DlgGSM::apnDialog() {
    if (apnDialog_ == nullptr) apnDialog_ = new DlgOperator(ctx_, this);
    return *apnDialog_;
}

void DlgGSM::buildControls() {
    buildGroups();
    buildSendMode();
    buildSendData();
    buildRecipients();
    buildCommands();
    sendModeButtons_ = buttonGroup(this, c_.sendModeRadios);
    cameraModeButtons_ = buttonGroup(this, c_.cameraModeRadios);
    compressionButtons_ = buttonGroup(this, c_.compressionRadios);
}

void DlgGSM::buildGroups() {
    // Group boxes first, so that the controls lie above them.
    c_.sendModeGroup = group(this, units_, "sendModeGroup", QStringLiteral("送信モード"), 10, 10, 185, 87);
    c_.mailGroup = group(this, units_, "mailGroup", QStringLiteral("メール設定"), 10, 100, 90, 35);
    c_.apnGroup = group(this, units_, "apnGroup", QStringLiteral("APN設定"), 105, 100, 90, 35);
    c_.sendDataGroup = group(this, units_, "sendDataGroup", QStringLiteral("送信データ"), 11, 138, 185, 35);
    c_.compressionGroup = group(this, units_, "compressionGroup", QStringLiteral("送信データ圧縮"), 10, 176, 185, 35);
    c_.renameGroup = group(this, units_, "renameGroup", QString(), 10, 213, 185, 32);
    c_.smsGroup = group(this, units_, "smsGroup", QStringLiteral("SMS設定"), 200, 10, 210, 105);
    c_.recipientsGroup = group(this, units_, "recipientsGroup", QStringLiteral("受信者設定"), 200, 122, 210, 90);
    c_.resetGroup = group(this, units_, "resetGroup", QString(), 200, 213, 210, 32);
}

void DlgGSM::buildSendMode() {
    // Send mode.
    auto* perShot = radio(this, units_, "sendModePerShot", QStringLiteral("撮影ごとに送信"), 20, 24, 77, 10);
    c_.countField = edit(this, units_, QStringLiteral("countField"), 101, 22, 25, 12);
    c_.countField->setAlignment(Qt::AlignCenter);
    setTypingRules(c_.countField, Typing::Digits);
    c_.countNote = label(this, units_, QStringLiteral("countNote"), QStringLiteral("(0-99,0=無制限)"), 131, 24, 57, 8);
    labelControl(c_.countNote, c_.countField, QStringLiteral("最大枚数"));
    auto* fixedTime = radio(this, units_, "sendModeFixedTime", QStringLiteral("定時に送信"), 20, 42, 75, 10);
    c_.hourList = list(this, units_, "hourList", 103, 40, 30);
    nameControl(c_.hourList, QStringLiteral("送信時刻(時)"));
    c_.timeSeparator = label(this, units_, QStringLiteral("timeSeparator"), QStringLiteral(":"), 133, 42, 8, 8);
    c_.timeSeparator->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    c_.minuteList = list(this, units_, "minuteList", 141, 40, 30);
    nameControl(c_.minuteList, QStringLiteral("送信時刻(分)"));
    auto* both = radio(this, units_, "sendModeBoth", QStringLiteral("撮影ごと＋定時に送信"), 20, 60, 99, 10);
    auto* off = radio(this, units_, "sendModeOff", QStringLiteral("オフ"), 20, 78, 38, 10);
    c_.sendModeRadios = {perShot, fixedTime, both, off};
}

void DlgGSM::buildSendData() {
    // Mail account and APN.
    c_.mailButton =
        button(this, units_, "mailButton", QStringLiteral("設定"), QStringLiteral("メール設定"), 29, 113, 52, 15);
    c_.apnButton =
        button(this, units_, "apnButton", QStringLiteral("設定"), QStringLiteral("APN設定"), 124, 113, 52, 15);

    // Send data and compression.
    c_.cameraModeRadios = {radio(this, units_, "cameraModeStill", QStringLiteral("静止画"), 38, 152, 40, 10),
                           radio(this, units_, "cameraModeVideo", QStringLiteral("動画"), 125, 152, 32, 10)};
    c_.compressionRadios = {
        radio(this, units_, "compressionNone", QStringLiteral("圧縮なし"), 23, 192, 48, 10),
        radio(this, units_, "compressionOn", QStringLiteral("圧縮あり"), 77, 193, 48, 10),
        radio(this, units_, "compressionNoAttachment", QStringLiteral("添付しない"), 132, 193, 56, 10)};

    // Rename.
    c_.renameLabel = label(this, units_, QStringLiteral("renameLabel"), QStringLiteral("名前変更"), 20, 227, 33, 8);
    c_.renameList = list(this, units_, "renameList", 55, 225, 33);
    labelControl(c_.renameLabel, c_.renameList);
    c_.nameField = edit(this, units_, QStringLiteral("nameField"), 92, 225, 60, 12);
    setTypingRules(c_.nameField, Typing::Capitals, kNameLimit);
    c_.nameNote = label(this, units_, QStringLiteral("nameNote"), QStringLiteral("(0-9,A-Z)"), 157, 227, 31, 8);
    labelControl(c_.nameNote, c_.nameField, QStringLiteral("カメラ名"));
}

void DlgGSM::buildRecipients() {
    // SMS and recipients, in the order the form is read: phone n, then mail n.
    c_.switchLabel = label(this, units_, QStringLiteral("switchLabel"), QStringLiteral("スイッチ"), 210, 24, 40, 8);
    c_.smsList = list(this, units_, "smsList", 265, 22, 60);
    labelControl(c_.switchLabel, c_.smsList);
    constexpr std::array<int, kSlots> phoneLabelY{44, 60, 76, 92};
    constexpr std::array<int, kSlots> phoneFieldY{42, 59, 77, 92};
    constexpr std::array<int, kSlots> mailLabelY{139, 156, 173, 190};
    constexpr std::array<int, kSlots> mailFieldY{137, 154, 171, 188};
    for (std::size_t i = 0; i < kSlots; ++i) {
        const QString n = QString::number(i + 1);
        c_.phoneLabels[i] = label(this, units_, QStringLiteral("phoneLabel") + n,
                                  QStringLiteral("スマートフオン電話番号") + n, 210, phoneLabelY[i], 93, 8);
        c_.phoneFields[i] = edit(this, units_, QStringLiteral("phoneField") + n, 312, phoneFieldY[i], 90, 12);
        setTypingRules(c_.phoneFields[i], Typing::Digits);
        labelControl(c_.phoneLabels[i], c_.phoneFields[i]);
    }
    for (std::size_t i = 0; i < kSlots; ++i) {
        const QString n = QString::number(i + 1);
        c_.mailLabels[i] = label(this, units_, QStringLiteral("mailLabel") + n, QStringLiteral("受信メール  ") + n, 210,
                                 mailLabelY[i], 49, 8);
        c_.mailFields[i] = edit(this, units_, QStringLiteral("mailField") + n, 265, mailFieldY[i], 135, 12);
        labelControl(c_.mailLabels[i], c_.mailFields[i]);
    }

    c_.resetButton =
        button(this, units_, "resetButton", QStringLiteral("初期化"), QStringLiteral("初期化"), 280, 223, 52, 15);
}

void DlgGSM::buildCommands() {
    // Save folder and the commands.
    c_.pathLabel =
        label(this, units_, QStringLiteral("pathLabel"), QStringLiteral("保存先を選択してください"), 10, 261, 100, 10);
    c_.pathField = edit(this, units_, QStringLiteral("pathField"), 115, 258, 237, 15);
    setTypingRules(c_.pathField, Typing::Any, kPathLimit);
    labelControl(c_.pathLabel, c_.pathField);
    c_.browseButton =
        button(this, units_, "browseButton", QStringLiteral("..."), QStringLiteral("..."), 360, 257, 25, 15);
    c_.okButton = button(this, units_, "okButton", QStringLiteral("OK"), QStringLiteral("OK"), 100, 282, 52, 15);
    c_.cancelButton = button(this, units_, "cancelButton", QStringLiteral("キャンセル"), QStringLiteral("キャンセル"),
                             244, 282, 52, 15);

    // Part of the layout, but never shown: the camera mode is chosen above.
    c_.cameraButton = button(this, units_, "cameraButton", QStringLiteral("CAM Setting"), QStringLiteral("CAM Setting"),
                             335, 282, 60, 15);
    c_.cameraButton->setVisible(false);
}

void DlgGSM::connectReactions() {
    // A radio reacts when the user chooses it, by mouse, keyboard or an
    // assistive tool's toggle; not when showForm sets the choice.
    auto chosen = [this](QRadioButton* r, auto reaction) {
        connect(r, &QRadioButton::toggled, this, [this, reaction](bool on) {
            if (on && !settingForm_) reaction();
        });
    };
    for (QRadioButton* r : c_.sendModeRadios)
        chosen(r, [this] {
            readForm();
            updateSendModeState();
        });
    for (QRadioButton* r : c_.cameraModeRadios)
        chosen(r, [this] { readForm(); });
    for (QRadioButton* r : c_.compressionRadios)
        chosen(r, [this] { readForm(); });

    connect(c_.hourList, &QComboBox::activated, this, [this](int position) {
        readForm();
        values_.sendHour = position;
    });
    connect(c_.minuteList, &QComboBox::activated, this, [this](int position) {
        readForm();
        values_.sendMinute = position;
    });
    connect(c_.renameList, &QComboBox::activated, this, [this](int position) {
        readForm();
        values_.renameSwitch = position;
        updateRenameState();
    });
    connect(c_.smsList, &QComboBox::activated, this, [this](int position) {
        readForm();
        values_.smsSwitch = position;
        values_.smsStartHour = 0;
        values_.smsStopHour = 0;
        updateRecipientState();
    });

    connect(c_.mailButton, &QPushButton::clicked, this, [this] { openMailSettings(); });
    connect(c_.apnButton, &QPushButton::clicked, this, [this] { openApnSettings(); });
    connect(c_.browseButton, &QPushButton::clicked, this, [this] { chooseFolder(); });
    connect(c_.resetButton, &QPushButton::clicked, this, [this] { reset(); });
    connect(c_.okButton, &QPushButton::clicked, this, [this] { save(); });
    connect(c_.cancelButton, &QPushButton::clicked, this, [this] { quit(); });
    connect(c_.cameraButton, &QPushButton::clicked, this, [this] {
        if (cameraCommand_) cameraCommand_();
    });
}

void DlgGSM::loadFromRecord() {
    const ProfileRecord& r = ctx_.record;
    values_.cameraMode = r.u8(rec::cameraMode);
    values_.sendMode = r.u8(rec::sendMode);
    values_.maxSendCount = r.u8(rec::maxSendCount);
    values_.sendHour = r.u8(rec::sendHour);
    values_.sendMinute = r.u8(rec::sendMinute);

    fillList(c_.hourList, twoDigitItems(24));
    selectPosition(c_.hourList, values_.sendHour);
    fillList(c_.minuteList, twoDigitItems(60));
    selectPosition(c_.minuteList, values_.sendMinute);
    updateSendModeState();

    values_.countryIndex = r.u8(rec::countryIndex);
    values_.sendTarget = r.u16(rec::sendTarget);
    values_.sendCompression = r.u16(rec::sendCompression);

    fillList(c_.renameList, {kOff, kOn});
    fillList(c_.smsList, {kOff, kOn});

    values_.renameSwitch = r.u16(rec::renameSwitch);
    values_.cameraName = fieldText(r.area(rec::cameraName), ctx_.codec);
    updateRenameState();

    values_.smsSwitch = r.u16(rec::smsSwitch);
    values_.smsStartHour = 0;
    values_.smsStopHour = 0;

    for (std::size_t i = 0; i < kSlots; ++i) {
        values_.phones[i] = fieldText(r.area(rec::phoneText(i)), ctx_.codec);
        values_.recipients[i] = fieldText(r.area(rec::recipientSlot(i)), ctx_.codec);
    }
    updateRecipientState();
    showForm();
}

bool DlgGSM::readForm() {
    FormReader form(ctx_.prompter, this);
    form.text(c_.pathField, values_.savePath, kPathLimit);
    form.integer(c_.countField, values_.maxSendCount);
    form.list(c_.hourList, values_.sendHour);
    form.list(c_.minuteList, values_.sendMinute);
    form.list(c_.renameList, values_.renameSwitch);
    form.text(c_.nameField, values_.cameraName, kNameLimit);
    form.list(c_.smsList, values_.smsSwitch);
    for (std::size_t i = 0; i < kSlots; ++i) {
        form.text(c_.phoneFields[i], values_.phones[i], kNoLimit);
        form.text(c_.mailFields[i], values_.recipients[i], kNoLimit);
    }
    form.radios(c_.sendModeRadios, values_.sendMode);
    form.radios(c_.cameraModeRadios, values_.cameraMode);
    form.radios(c_.compressionRadios, values_.sendCompression);
    return form.ok();
}

void DlgGSM::showForm() {
    const QScopedValueRollback<bool> setting(settingForm_, true);
    showText(c_.pathField, values_.savePath, kPathLimit);
    c_.countField->setText(QString::number(values_.maxSendCount));
    selectPosition(c_.hourList, values_.sendHour);
    selectPosition(c_.minuteList, values_.sendMinute);
    selectPosition(c_.renameList, values_.renameSwitch);
    showText(c_.nameField, values_.cameraName, kNameLimit);
    if (c_.nameField->text() != values_.cameraName) {
        // Only typed letters become capitals: a name held in small letters is shown as held.
        const QValidator* typing = c_.nameField->validator();
        c_.nameField->setValidator(nullptr);
        c_.nameField->setText(values_.cameraName);
        c_.nameField->setValidator(typing);
    }
    selectPosition(c_.smsList, values_.smsSwitch);
    for (std::size_t i = 0; i < kSlots; ++i) {
        c_.phoneFields[i]->setText(values_.phones[i]);
        c_.mailFields[i]->setText(values_.recipients[i]);
    }
    setChoice(sendModeButtons_, c_.sendModeRadios, values_.sendMode);
    setChoice(cameraModeButtons_, c_.cameraModeRadios, values_.cameraMode);
    setChoice(compressionButtons_, c_.compressionRadios, values_.sendCompression);
}

void DlgGSM::updateSendModeState() {
    const int mode = values_.sendMode;
    const bool count = mode == choice::sendPerShot || mode == choice::sendBoth;
    const bool time = mode == choice::sendAtFixedTime || mode == choice::sendBoth;
    c_.countField->setEnabled(count);
    c_.countNote->setEnabled(count);
    c_.hourList->setEnabled(time);
    c_.timeSeparator->setEnabled(time);
    c_.minuteList->setEnabled(time);
}

void DlgGSM::updateRecipientState() {
    const bool phones = values_.smsSwitch > 0;
    const bool mails = values_.sendTarget == choice::toMail || values_.sendTarget == choice::toPhoneAndMail;
    for (std::size_t i = 0; i < kSlots; ++i) {
        c_.phoneFields[i]->setEnabled(phones);
        c_.phoneLabels[i]->setEnabled(phones);
        c_.mailFields[i]->setEnabled(mails);
        c_.mailLabels[i]->setEnabled(mails);
    }
}

void DlgGSM::updateRenameState() {
    const bool on = values_.renameSwitch == 1;
    c_.nameField->setEnabled(on);
    c_.nameNote->setEnabled(on);
}

void DlgGSM::openMailSettings() {
    readForm();
    mailDialog().openModal();
}

void DlgGSM::openApnSettings() {
    readForm();
    apnDialog().openModal();
}

void DlgGSM::fail(const QString& title, const QString& text) {
    ctx_.prompter.message(this, title, text, MessageIcon::Error);
}

// Stores a typed text into its cleared field; a text the code page cannot
// represent, or whose bytes do not fit with the terminator, is refused.
bool DlgGSM::storeChecked(Field field, const QString& text, const QString& title, const QString& fieldName) {
    if (storeText(ctx_.record.area(field), text.toStdU16String(), ctx_.codec) == TextStatus::Stored) return true;
    fail(title, fieldName + QStringLiteral("に保存できない文字が含まれているか、長すぎます"));
    return false;
}

// Checks and stores the form step by step, in the order the camera's own tool
// does: a failing step leaves what the earlier steps stored.
bool DlgGSM::checkAndStore() {
    ctx_.record.clear(rec::phoneNumbers, rec::recipientsEnd - rec::phoneNumbers);
    if (!readForm()) return false;
    return storeSendMode() && storeMailAccount() && storeRecipients() && storeCameraName();
}

bool DlgGSM::refused(const rules::Failure& failure) {
    if (!failure) return false;
    const RuleText said = ruleText(failure);
    fail(QString::fromStdString(said.title), QString::fromStdString(said.text));
    return true;
}

bool DlgGSM::storeSendMode() {
    ProfileRecord& r = ctx_.record;
    r.setU8(rec::cameraMode, choiceByte(values_.cameraMode, r.u8(rec::cameraMode)));

    if (refused(rules::checkMaxSendCount(values_.maxSendCount))) return false;
    const std::uint32_t timing = choiceByte(values_.sendMinute, r.u8(rec::sendMinute)) |
                                 (std::uint32_t{choiceByte(values_.sendHour, r.u8(rec::sendHour))} << 8) |
                                 (std::uint32_t{lowByte(values_.maxSendCount)} << 16) |
                                 (std::uint32_t{choiceByte(values_.sendMode, r.u8(rec::sendMode))} << 24);
    r.setU32(rec::sendMinute, timing);

    r.setU16(rec::sendTarget, choiceWord(values_.sendTarget, r.u16(rec::sendTarget)));
    r.setU16(rec::sendCompression, choiceWord(values_.sendCompression, r.u16(rec::sendCompression)));
    return true;
}

bool DlgGSM::storeMailAccount() {
    ProfileRecord& r = ctx_.record;
    // A preset index outside the view is no choice at all, so its account is
    // checked like any other.
    const bool relay = ctx_.views.mailPreset.rowAt(r.u8(rec::mailPresetIndex)) == kMailPresetRelay;
    if (relay) {
        const bool finland = ctx_.views.country.rowAt(values_.countryIndex) == kCountryFinland;
        values_.relayCopy = ctx_.mailPresets.row(finland ? kMailPresetFinnishRelay : kMailPresetRelay);
        r.setMailServer(values_.relayCopy);
        return true;
    }
    const auto empty = [&r](Field f) { return r.u8(rec::mailServer + f.offset) == 0; };
    if (refused(rules::checkMailAccount(relay, empty(mail::senderAddress), empty(mail::password), empty(mail::account),
                                        empty(mail::smtpServer)))) {
        openMailSettings();
        return false;
    }
    return true;
}

bool DlgGSM::storeRecipients() {
    ProfileRecord& r = ctx_.record;
    r.setU16(rec::smsSwitch, choiceWord(values_.smsSwitch, r.u16(rec::smsSwitch)));
    r.setU16(rec::smsStopHour,
             static_cast<std::uint16_t>(lowByte(values_.smsStopHour) | (lowByte(values_.smsStartHour) << 8)));

    bool phoneSeen = false;
    bool mailStored = false;
    for (std::size_t i = 0; i < kSlots; ++i) {
        if (!storePhone(i, phoneSeen)) return false;
        if (i == 0 && refused(rules::checkSmsPhone(values_.smsSwitch > 0, phoneSeen))) return false;
        if (!storeAddress(i, mailStored)) return false;
    }
    return !refused(rules::checkTargets(values_.sendTarget, phoneSeen, mailStored));
}

bool DlgGSM::storePhone(std::size_t i, bool& phoneSeen) {
    const QString& phone = values_.phones[i];
    const auto length = static_cast<std::size_t>(phone.size());
    if (refused(rules::checkPhone(i, length, values_.smsSwitch > 0))) return false;
    if (rules::phoneKept(length)) {
        if (!storeChecked(rec::phoneText(i), phone, kRecipientsTitle, c_.phoneLabels[i]->text() + u' ')) return false;
        phoneSeen = true;
    }
    return true;
}

bool DlgGSM::storeAddress(std::size_t i, bool& mailStored) {
    const QString& address = values_.recipients[i];
    if (refused(rules::checkAddress(i, address.toStdU16String()))) return false;
    if (rules::addressKept(static_cast<std::size_t>(address.size()))) {
        if (!storeChecked(rec::recipientSlot(i), address, kRecipientsTitle, c_.mailLabels[i]->text() + u' '))
            return false;
        mailStored = true;
    }
    return true;
}

bool DlgGSM::storeCameraName() {
    ProfileRecord& r = ctx_.record;
    r.clear(rec::cameraName.offset, rec::cameraName.width);
    r.setU16(rec::renameSwitch, choiceWord(values_.renameSwitch, r.u16(rec::renameSwitch)));

    // The characters are checked before the name is stored; a name is only
    // missing when it is empty, and an empty one is not stored.
    const QString& name = values_.cameraName;
    if (refused(rules::checkCameraName(name.toStdU16String(), values_.renameSwitch))) return false;
    return name.isEmpty() || storeChecked(rec::cameraName, name, kRenameTitle, QStringLiteral("名前変更欄"));
}

void DlgGSM::save() {
    ctx_.record.setU16(rec::profileKind, static_cast<std::uint16_t>(frame_.pageCode()));
    if (!checkAndStore()) return;
    if (!readForm()) return;
    if (values_.savePath.isEmpty()) {
        ctx_.prompter.message(this, QStringLiteral("保存先"), QStringLiteral("設定ファイルの保存先を選択してください"),
                              MessageIcon::None);
        return;
    }
    const std::filesystem::path folder = toPath(values_.savePath);
    if (!platform::pathExists(folder)) {
        ctx_.prompter.message(this, QString(), QStringLiteral("保存先が見つかりません"), MessageIcon::None);
        return;
    }
    if (const auto error = ctx_.files.saveProfileFiles(folder)) {
        ctx_.prompter.message(this, QString(), fileErrorText(*error), MessageIcon::Error);
        return;
    }
    ctx_.prompter.message(this, QStringLiteral("保存先"),
                          QStringLiteral("設定ファイルは次の場所に保存されました ") + values_.savePath,
                          MessageIcon::None);
}

FolderChoice DlgGSM::pickFolder(const QString& prompt) {
    QStringList mountRoots;
    for (const auto& root : platform::mountedVolumeRoots())
        mountRoots << pathText(root);
    const PickerPlaces places =
        pickerPlaces(lastChosenFolder_, mountRoots, QString::fromLocal8Bit(platform::userName()), QDir::homePath());
    FolderChoice choice = ctx_.prompter.chooseFolder(this, prompt, places.start, places.volumes);
    if (choice.kind == FolderChoice::Kind::NotFileSystem)
        ctx_.prompter.message(this, QStringLiteral("Save Path"), QStringLiteral("Select the Path Error"),
                              MessageIcon::None);
    return choice;
}

void DlgGSM::chooseFolder() {
    const bool formRead = readForm();
    const FolderChoice choice = pickFolder(QStringLiteral("保存先を選択してください"));
    if (choice.kind != FolderChoice::Kind::Folder) return;
    values_.savePath = lastChosenFolder_ = choice.path;
    // After a form that could not be read, the fields behind the failing one
    // still hold the user's typing: only the path is put in then.
    if (formRead)
        showForm();
    else
        showText(c_.pathField, values_.savePath, kPathLimit);
}

void DlgGSM::loadFromCard() {
    const FolderChoice choice = pickFolder(QStringLiteral("読み込むカードのフォルダーを選択してください"));
    if (choice.kind != FolderChoice::Kind::Folder) return;
    const LoadResult read = ctx_.files.readCard(toPath(choice.path));
    if (!read.loaded()) {
        ctx_.prompter.message(this, kCardTitle, loadErrorText(read), MessageIcon::Error);
        return;
    }
    values_.savePath = choice.path; // the next "OK" writes back onto the card it came from
    lastChosenFolder_ = choice.path;
    showLoaded();
}

void DlgGSM::showLoaded() {
    // As at start-up, the record carries this program's layout variant whatever the file held.
    ctx_.record.setU8(rec::variantCode, lowByte(kLayoutVariant));
    loadFromRecord();
}

QString DlgGSM::fileStart() const { return lastFileFolder_.isEmpty() ? QDir::homePath() : lastFileFolder_; }

void DlgGSM::exportSettings() {
    ctx_.record.setU16(rec::profileKind, lowWord(frame_.pageCode()));
    if (!checkAndStore()) return; // the checks of "OK", with their messages
    const QString name = (values_.cameraName.isEmpty() ? QStringLiteral("profile") : values_.cameraName) +
                         QLatin1String(kSettingsSuffix);
    const QString file = ctx_.prompter.chooseFile(this, kExportTitle, FileUse::Save, QDir(fileStart()).filePath(name));
    if (file.isEmpty()) return;
    lastFileFolder_ = QFileInfo(file).absolutePath();
    if (const auto error = ctx_.files.exportSettings(toPath(file))) {
        ctx_.prompter.message(this, QString(), fileErrorText(*error), MessageIcon::Error);
        return;
    }
    ctx_.prompter.message(this, QStringLiteral("保存先"),
                          QStringLiteral("設定ファイルは次の場所に保存されました ") + file, MessageIcon::None);
}

void DlgGSM::importSettings() {
    const QString file = ctx_.prompter.chooseFile(this, kImportTitle, FileUse::Open, fileStart());
    if (file.isEmpty()) return;
    lastFileFolder_ = QFileInfo(file).absolutePath();
    const LoadResult read = ctx_.files.importSettings(toPath(file));
    if (!read.loaded()) {
        ctx_.prompter.message(this, kImportTitle, loadErrorText(read), MessageIcon::Error);
        return;
    }
    showLoaded(); // the window shows the settings taken in
}

void DlgGSM::reset() {
    if (!ctx_.prompter.askYesNo(this, QStringLiteral("初期化"), QStringLiteral("設定を初期化してもよろしいですか？"),
                                Language::Japanese))
        return;
    ProfileRecord& r = ctx_.record;
    applyProfileDefaults(r);
    ctx_.files.deleteBackup();

    values_.sendMode = choice::sendPerShot;
    values_.maxSendCount = kDefaultSendCount;
    values_.sendHour = 0;
    values_.sendMinute = 0;
    values_.cameraMode = choice::photoMode;
    values_.sendCompression = choice::uncompressed;
    values_.sendTarget = choice::toMail;
    updateSendModeState();

    values_.countryIndex = kCountryJapan;
    if (const auto row = ctx_.views.country.rowAt(values_.countryIndex); row && *row >= 0 && *row < kCountryCount) {
        const CountryEntry country = ctx_.catalog.country(*row);
        if (country.operatorCount > 0 && !country.operators.empty()) r.setOperatorEntry(country.operators.front());
    }
    r.setMailServer(values_.relayCopy);

    values_.renameSwitch = 0;
    values_.cameraName.clear();
    updateRenameState();
    values_.smsSwitch = 0;
    values_.smsStartHour = 0;
    values_.smsStopHour = 0;
    for (std::size_t i = 0; i < kSlots; ++i) {
        values_.phones[i].clear();
        values_.recipients[i].clear();
    }
    updateRecipientState();
    // The folder stays; a path typed but not yet read is kept as typed.
    values_.savePath = c_.pathField->text();
    showForm();
}

void DlgGSM::quit() { frame_.endWithCancel(); }

} // namespace halvorn::ui
