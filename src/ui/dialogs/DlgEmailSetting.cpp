#include "ui/dialogs/DlgEmailSetting.h"

#include "catalog/MailPresets.h"
#include "profile/ProfileText.h"
#include "rules/MailRules.h"
#include "ui/FieldText.h"
#include "ui/FormControls.h"
#include "ui/dialogs/TestMail.h"
#include "ui/text/RuleText.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateTime>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <algorithm>

namespace halvorn::ui {

namespace {

const QString kChoiceLabel = QStringLiteral("メール選択");
const QString kAddressLabel = QStringLiteral("メール");
const QString kAccountLabel = QStringLiteral("アカウント");
const QString kPasswordLabel = QStringLiteral("パスワード");
const QString kShowPasswordLabel = QStringLiteral("パスワードを表示する");
const QString kServerLabel = QStringLiteral("SMTPサーバー");
const QString kEncryptionLabel = QStringLiteral("暗号化タイプ");
const QString kPortLabel = QStringLiteral("SMTPポート");

const QStringList kChoices = {QStringLiteral("Merrowindサーバー"), QStringLiteral("gmail"), QStringLiteral("その他")};
const QStringList kEncryptions = {QStringLiteral("無し"), QStringLiteral("SSL/TLS"), QStringLiteral("STARTTLS")};

// Clears the field, then copies the bytes and their terminator.
void putBytes(std::span<std::uint8_t> area, const std::string& bytes) {
    std::fill(area.begin(), area.end(), std::uint8_t{0});
    std::copy(bytes.begin(), bytes.end(), area.begin());
}

const QString kTestTitle = QStringLiteral("テスト送信");

// The small window of a running test mail: what it is doing, and "キャンセル", which ends it at once.
class TestMailProgress : public QDialog {
public:
    TestMailProgress(QWidget* parent, TestMailRun& run) : QDialog(parent) {
        setObjectName(QStringLiteral("TestMailProgress"));
        setWindowTitle(kTestTitle);
        auto* layout = new QVBoxLayout(this);
        auto* stage = new QLabel(this);
        stage->setTextFormat(Qt::PlainText);
        stage->setMinimumWidth(220);
        auto* cancel = new QPushButton(QStringLiteral("キャンセル"), this);
        nameControl(cancel, cancel->text());
        layout->addWidget(stage);
        layout->addWidget(cancel, 0, Qt::AlignRight);
        connect(&run, &TestMailRun::stageChanged, stage, [stage](mail::Stage s) {
            stage->setText(s == mail::Stage::Connecting       ? QStringLiteral("接続中…")
                           : s == mail::Stage::Authenticating ? QStringLiteral("認証中…")
                                                              : QStringLiteral("送信中…"));
            stage->setAccessibleName(stage->text());
        });
        connect(cancel, &QPushButton::clicked, this, [this, &run] {
            run.cancel();
            reject();
        });
    }
};

} // namespace

DlgEmailSetting::DlgEmailSetting(AppContext& ctx, QWidget* parent) : QDialog(parent), ctx_(ctx), units_(dialogFont()) {
    setObjectName(QStringLiteral("DlgEmailSetting"));
    setWindowTitle(kTitle);
    setFont(dialogFont());
    build();
}

void DlgEmailSetting::build() {
    choice_ = addLabelled<QComboBox>(this, units_, kChoiceLabel, {7, 10, 62, 8}, {72, 7, 120, 14});

    auto* accountFrame = new QGroupBox(this);
    units_.place(accountFrame, 7, 26, 226, 82);

    address_ = addLabelled<QLineEdit>(this, units_, kAddressLabel, {14, 38, 56, 8}, {72, 36, 154, 12});
    account_ = addLabelled<QLineEdit>(this, units_, kAccountLabel, {14, 55, 56, 8}, {72, 53, 154, 12});
    password_ = addLabelled<QLineEdit>(this, units_, kPasswordLabel, {14, 72, 56, 8}, {72, 70, 154, 12});

    showPassword_ = new QCheckBox(kShowPasswordLabel, this);
    units_.place(showPassword_, 72, 88, 154, 12);
    nameControl(showPassword_, kShowPasswordLabel);

    auto* serverFrame = new QGroupBox(this);
    units_.place(serverFrame, 7, 112, 226, 66);

    server_ = addLabelled<QLineEdit>(this, units_, kServerLabel, {14, 124, 56, 8}, {72, 122, 154, 12}, &serverLabel_);
    encryption_ =
        addLabelled<QComboBox>(this, units_, kEncryptionLabel, {14, 142, 56, 8}, {72, 139, 80, 14}, &encryptionLabel_);
    port_ = addLabelled<QLineEdit>(this, units_, kPortLabel, {14, 160, 56, 8}, {72, 158, 40, 12}, &portLabel_);

    test_ = new QPushButton(kTestTitle, this);
    units_.place(test_, 7, 186, 60, 14);
    nameControl(test_, kTestTitle);

    ok_ = new QPushButton(QStringLiteral("OK"), this);
    units_.place(ok_, 122, 206, 50, 14);
    ok_->setDefault(true);
    cancel_ = new QPushButton(QStringLiteral("キャンセル"), this);
    units_.place(cancel_, 183, 206, 50, 14);

    for (QLineEdit* e : {address_, account_, password_})
        maskWithStars(e);
    setTypingRules(address_, Typing::Any, kAddressChars);
    setTypingRules(account_, Typing::Any, kAccountChars);
    setTypingRules(password_, Typing::Any, kPasswordChars);
    setTypingRules(server_, Typing::Any, kServerChars);
    setTypingRules(port_, Typing::Any, kPortChars);

    setFixedSize(units_.size(240, 227));

    connect(choice_, &QComboBox::currentIndexChanged, this, &DlgEmailSetting::onChoiceChanged);
    // Whatever changes the address, typing or loading, the account follows it.
    connect(address_, &QLineEdit::textChanged, account_, &QLineEdit::setText);
    connect(showPassword_, &QCheckBox::toggled, this, [this](bool checked) {
        if (!settingState_) onShowPasswordToggled(checked);
    });
    connect(test_, &QPushButton::clicked, this, &DlgEmailSetting::sendTestMail);
    connect(ok_, &QPushButton::clicked, this, &DlgEmailSetting::confirm);
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
}

int DlgEmailSetting::openModal() {
    openForm();
    return ctx_.prompter.runModal(*this);
}

void DlgEmailSetting::openForm() {
    {
        const QSignalBlocker block(choice_);
        fillList(choice_, kChoices);
    }
    fillList(encryption_, kEncryptions);

    const MailServerEntry saved = ctx_.record.mailServer();
    const int savedChoice = ctx_.record.u8(rec::mailPresetIndex);
    const QString savedAddress = fieldText(saved, mail::senderAddress, ctx_.codec);
    const bool inList = savedChoice < ctx_.views.mailPreset.count && savedChoice < choice_->count();
    const auto savedRow = ctx_.views.mailPreset.rowAt(savedChoice);

    if (savedAddress.size() > 3 && inList && savedRow && *savedRow != kMailPresetRelay) {
        current_ = savedChoice;
        loadFromEntry(saved);
    } else {
        current_ = 0;
        const MailServerEntry* row = presetRow(0);
        loadFromEntry(row ? *row : MailServerEntry{});
    }
    showForm();
}

MailServerEntry* DlgEmailSetting::presetRow(int position) {
    const auto row = ctx_.views.mailPreset.rowAt(position);
    if (!row || *row < 0 || *row >= kMailPresetRows) return nullptr;
    return &ctx_.mailPresets.row(*row);
}

bool DlgEmailSetting::isRelay(int position) const {
    const auto row = ctx_.views.mailPreset.rowAt(position);
    return row && *row == kMailPresetRelay;
}

bool DlgEmailSetting::isCustom(int position) const { return position == ctx_.views.mailPreset.count - 1; }

void DlgEmailSetting::loadFromEntry(const MailServerEntry& entry) {
    values_.choice = current_;
    values_.address = fieldText(entry, mail::senderAddress, ctx_.codec);
    values_.account = fieldText(entry, mail::account, ctx_.codec);
    values_.password = fieldText(entry, mail::password, ctx_.codec);
    values_.server = fieldText(entry, mail::smtpServer, ctx_.codec);
    values_.port = fieldText(entry, mail::smtpPort, ctx_.codec);
    const int position = entry[mail::secureType] & 0x0F;
    values_.encryption = position < kEncryptions.size() ? position : -1;
}

void DlgEmailSetting::showForm() {
    {
        const QSignalBlocker block(choice_);
        selectPosition(choice_, values_.choice);
    }
    // The address first: loading it copies it into the account, which the
    // loaded account then replaces.
    showText(address_, values_.address, kAddressChars);
    showText(account_, values_.account, kAccountChars);
    showText(password_, values_.password, kPasswordChars);
    showText(server_, values_.server, kServerChars);
    selectPosition(encryption_, values_.encryption);
    showText(port_, values_.port, kPortChars);
    applyControlState();
    values_.showPassword = showPassword_->isChecked() ? 1 : 0;
}

bool DlgEmailSetting::readForm() {
    FormReader r(ctx_.prompter, this);
    r.list(choice_, values_.choice);
    r.text(address_, values_.address, kAddressChars);
    r.text(account_, values_.account, kAccountChars);
    r.text(password_, values_.password, kPasswordChars);
    r.check(showPassword_, values_.showPassword);
    r.text(server_, values_.server, kServerChars);
    r.list(encryption_, values_.encryption);
    r.text(port_, values_.port, kPortChars);
    return r.ok();
}

void DlgEmailSetting::applyControlState() {
    const QScopedValueRollback<bool> setting(settingState_, true);
    const bool relay = isRelay(current_);
    address_->setEchoMode(relay ? QLineEdit::Password : QLineEdit::Normal);
    account_->setEchoMode(relay ? QLineEdit::Password : QLineEdit::Normal);
    password_->setEchoMode(relay || !showPasswordFlag_ ? QLineEdit::Password : QLineEdit::Normal);
    for (QLineEdit* e : {address_, account_, password_})
        e->setEnabled(!relay);
    // On the relay the box shows unchecked and locked; the flag keeps its value.
    showPassword_->setChecked(!relay && showPasswordFlag_);
    showPassword_->setEnabled(!relay);

    const bool custom = isCustom(current_);
    for (QWidget* w :
         std::initializer_list<QWidget*>{serverLabel_, server_, encryptionLabel_, encryption_, portLabel_, port_})
        w->setEnabled(custom);
}

void DlgEmailSetting::onShowPasswordToggled(bool checked) {
    showPasswordFlag_ = checked;
    values_.showPassword = checked ? 1 : 0;
    password_->setEchoMode(checked ? QLineEdit::Normal : QLineEdit::Password);
}

void DlgEmailSetting::say(const QString& text) { ctx_.prompter.message(this, kTitle, text, MessageIcon::None); }

std::optional<std::string> DlgEmailSetting::encodeFor(Field field, const QString& text, const QString& label) {
    const std::u16string wide = text.toStdU16String();
    const TextStatus status = checkText(field.width, wide, ctx_.codec);
    if (status == TextStatus::Stored) return ctx_.codec.encode(wide);
    say(refusalText(status, label));
    return std::nullopt;
}

void DlgEmailSetting::onChoiceChanged(int position) {
    if (position < 0 || position == current_) return;
    const auto revert = [this] {
        const QSignalBlocker block(choice_);
        selectPosition(choice_, current_);
        values_.choice = current_;
    };
    if (!readForm()) {
        revert();
        return;
    }

    // Keep the typing of the choice being left in its preset row.
    if (MailServerEntry* row = presetRow(current_)) {
        const bool custom = isCustom(current_);
        const auto address = encodeFor(mail::senderAddress, values_.address, kAddressLabel);
        const auto account = address ? encodeFor(mail::account, values_.account, kAccountLabel) : std::nullopt;
        const auto password = account ? encodeFor(mail::password, values_.password, kPasswordLabel) : std::nullopt;
        std::optional<std::string> server, port;
        if (password && custom) {
            server = encodeFor(mail::smtpServer, values_.server, kServerLabel);
            if (server) port = encodeFor(mail::smtpPort, values_.port, kPortLabel);
        }
        if (!password || (custom && !port)) {
            revert();
            return;
        }
        putBytes(fieldOf(*row, mail::senderAddress), *address);
        putBytes(fieldOf(*row, mail::account), *account);
        putBytes(fieldOf(*row, mail::password), *password);
        if (custom) {
            putBytes(fieldOf(*row, mail::smtpServer), *server);
            putBytes(fieldOf(*row, mail::smtpPort), *port);
            if (values_.encryption >= 0)
                (*row)[mail::secureType] = static_cast<std::uint8_t>(mail::secureTypeBase + values_.encryption);
        }
    }

    current_ = position;
    const MailServerEntry* next = presetRow(current_);
    loadFromEntry(next ? *next : MailServerEntry{});
    showForm();
}

std::optional<MailServerEntry> DlgEmailSetting::entryFromForm() {
    if (!readForm()) return std::nullopt;
    // Every check runs before anything is written, so a refused confirm leaves
    // the record as it was.
    const bool custom = isCustom(current_);
    const auto failed = [this](const rules::Failure& failure) {
        if (failure) say(QString::fromStdString(ruleText(failure).text));
        return bool(failure);
    };
    std::optional<std::string> server, port;
    if (custom) {
        if (failed(rules::checkServerGiven(values_.server.toStdU16String(), values_.port.toStdU16String())))
            return std::nullopt;
        if (!(server = encodeFor(mail::smtpServer, values_.server, kServerLabel))) return std::nullopt;
        if (!(port = encodeFor(mail::smtpPort, values_.port, kPortLabel))) return std::nullopt;
        if (failed(rules::checkPortAndEncryption(values_.port.toStdU16String(), values_.encryption)))
            return std::nullopt;
    }
    if (failed(rules::checkSender(isRelay(current_), values_.address.toStdU16String(), values_.account.toStdU16String(),
                                  values_.password.toStdU16String())))
        return std::nullopt;
    const auto address = encodeFor(mail::senderAddress, values_.address, kAddressLabel);
    if (!address) return std::nullopt;
    const auto account = encodeFor(mail::account, values_.account, kAccountLabel);
    if (!account) return std::nullopt;
    const auto password = encodeFor(mail::password, values_.password, kPasswordLabel);
    if (!password) return std::nullopt;

    MailServerEntry entry = ctx_.record.mailServer();
    std::fill(entry.begin(), entry.end(), std::uint8_t{0});
    if (custom) {
        putBytes(fieldOf(entry, mail::smtpServer), *server);
        putBytes(fieldOf(entry, mail::smtpPort), *port);
        entry[mail::secureType] = static_cast<std::uint8_t>(mail::secureTypeBase + values_.encryption);
    } else if (const MailServerEntry* row = presetRow(current_)) {
        std::copy_n(row->begin(), mail::serverBlock.width, entry.begin());
    }
    putBytes(fieldOf(entry, mail::senderAddress), *address);
    putBytes(fieldOf(entry, mail::account), *account);
    putBytes(fieldOf(entry, mail::password), *password);
    const qsizetype at = values_.address.indexOf(u'@');
    const QString senderName = at < 0 ? QString() : values_.address.left(at);
    storeTextCut(fieldOf(entry, mail::senderName), senderName.toStdU16String(), ctx_.codec);
    return entry;
}

void DlgEmailSetting::confirm() {
    const auto entry = entryFromForm();
    if (!entry) return;
    ctx_.record.setMailServer(*entry);
    ctx_.record.setU8(rec::mailPresetIndex, static_cast<std::uint8_t>(current_));
    accept();
}

void DlgEmailSetting::sendTestMail() {
    const auto entry = entryFromForm();
    if (!entry) return;
    const TestMailTarget target = testMailTarget_ ? testMailTarget_() : TestMailTarget{};
    const QString sender = fieldText(*entry, mail::senderAddress, ctx_.codec);
    const QString recipient = target.recipient.isEmpty() ? sender : target.recipient;
    if (!rules::fitsMailCommand(recipient.toStdU16String())) {
        ctx_.prompter.message(this, kTestTitle,
                              QString::fromStdString(unfitForMailText(target.recipientField.toStdString())),
                              MessageIcon::Error);
        return;
    }
    mail::MailRequest request;
    request.server = fieldText(*entry, mail::smtpServer, ctx_.codec).toStdString();
    request.port = rules::readPort(fieldText(*entry, mail::smtpPort, ctx_.codec).toStdU16String()).value_or(0);
    const int code = (*entry)[mail::secureType] & 0x0F;
    request.security = code == 0 ? mail::Security::Plain : code == 1 ? mail::Security::Tls : mail::Security::StartTls;
    request.account = fieldText(*entry, mail::account, ctx_.codec).toStdString();
    request.password = fieldText(*entry, mail::password, ctx_.codec).toStdString();
    request.sender = sender.toStdString();
    request.recipient = recipient.toStdString();
    request.subject = testMailSubject(target.cameraName).toStdString();
    request.body =
        testMailBody(target.cameraName, QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm")))
            .toStdString();
    request.caFile = testMailCaFile_.toStdString();
    if (request.security == mail::Security::Plain &&
        !ctx_.prompter.askYesNo(this, kTestTitle,
                                QStringLiteral("暗号化タイプが「無し」のため、パスワードが暗号化されずにネットワークを"
                                               "流れます。送信しますか？"),
                                Language::Japanese))
        return;

    TestMailRun run(testMailProgram_.isEmpty() ? testMailProgram() : testMailProgram_);
    TestMailProgress progress(this, run);
    std::optional<mail::MailOutcome> outcome;
    connect(&run, &TestMailRun::finished, &progress, [&](const mail::MailOutcome& o) {
        outcome = o;
        progress.accept();
    });
    run.start(request);
    ctx_.prompter.runModal(progress);
    run.cancel(); // closed without a result: the attempt ends with the window
    if (!outcome) return;
    const bool sent = outcome->failure == mail::Failure::None;
    ctx_.prompter.message(this, kTestTitle, testMailResultText(request, *outcome),
                          sent ? MessageIcon::None : MessageIcon::Error);
}

} // namespace halvorn::ui
