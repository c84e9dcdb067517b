// halvorn-profile: a card's settings from the command line.

#include "cli/ProfileJson.h"
#include "platform/CodePage.h"
#include "platform/TempFolder.h"
#include "store/ProfileFiles.h"
#include "store/SaveLock.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QJsonDocument>
#include <QTextStream>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

namespace {

using namespace halvorn;

// More than any settings file or JSON object of this program holds.
constexpr qint64 kInputLimit = qint64{64} * 1024;

// Texts from files and from the command line reach the terminal with their
// control characters (C0, DEL, C1) as \xNN or \uNNNN and the backslash
// doubled, so that none of them acts on the terminal.
QString escaped(const QString& text) {
    QString out;
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u == u'\\')
            out += QStringLiteral("\\\\");
        else if (u < 0x20 || u == 0x7F)
            out += QStringLiteral("\\x%1").arg(u, 2, 16, QChar(u'0'));
        else if (u >= 0x80 && u < 0xA0)
            out += QStringLiteral("\\u%1").arg(u, 4, 16, QChar(u'0'));
        else
            out += c;
    }
    return out;
}

// Each line escaped, the line breaks kept.
QByteArray escapedLines(const QString& text) {
    QStringList lines = text.split(u'\n');
    for (QString& line : lines)
        line = escaped(line);
    return lines.join(u'\n').toUtf8();
}

int fail(const QString& text) {
    QTextStream(stderr) << "halvorn-profile: " << escaped(text) << '\n';
    return cli::kFailed;
}

// The errno of the first write to standard output that failed; main() reports it.
int outputError = 0;

// Writes to standard output; false when the write failed, which ends the command.
bool put(const QByteArray& bytes) {
    const auto size = static_cast<std::size_t>(bytes.size());
    if (std::fwrite(bytes.constData(), 1, size, stdout) == size) return true;
    outputError = errno;
    return false;
}

// JSON escapes every control character but DEL and the C1 ones; those only occur inside strings.
QByteArray forTerminal(QByteArray json) {
    json.replace("\x7f", "\\u007f");
    for (int c = 0x80; c < 0xA0; ++c) { // U+0080 to U+009F: C2 80 to C2 9F in UTF-8
        const char utf8[] = {'\xc2', static_cast<char>(c), '\0'};
        json.replace(utf8, "\\u00" + QByteArray::number(c, 16));
    }
    return json;
}

// The file's bytes (standard input for "-"), or nothing after the reason is on
// standard error. No more than one byte past the limit is read.
std::optional<QByteArray> readInput(const QString& name) {
    QFile file(name);
    const auto mode = QIODevice::ReadOnly | QIODevice::Unbuffered;
    const bool open = name == QStringLiteral("-") ? file.open(fileno(stdin), mode) : file.open(mode);
    QByteArray bytes;
    while (open && bytes.size() <= kInputLimit) {
        const QByteArray more = file.read(kInputLimit + 1 - bytes.size());
        if (more.isEmpty()) break;
        bytes += more;
    }
    if (!open || file.error() != QFileDevice::NoError) {
        fail(QStringLiteral("%1: %2").arg(name, file.errorString()));
        return std::nullopt;
    }
    if (bytes.size() > kInputLimit) {
        fail(QStringLiteral("%1: too large (more than %2 bytes)").arg(name).arg(kInputLimit));
        return std::nullopt;
    }
    return bytes;
}

std::optional<cli::ProfileFile> readProfile(const QString& name) {
    const auto bytes = readInput(name);
    if (!bytes) return std::nullopt;
    QString why;
    auto file = cli::readProfileFile(
        {reinterpret_cast<const std::uint8_t*>(bytes->constData()), static_cast<std::size_t>(bytes->size())}, why);
    if (!file) fail(QStringLiteral("%1: %2").arg(name, why));
    return file;
}

int run() {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Shows, builds and checks the settings file of a Halvorn trail camera.\n\n"
                       "Commands:\n"
                       "  show FILE           print a PROFILE.BIN or a backup as one JSON object\n"
                       "  build JSON FOLDER   write FOLDER/PROFILE.BIN from a JSON object (JSON may be -)\n"
                       "  check FILE          list the values the settings windows would not accept"));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption codePage(QStringLiteral("code-page"),
                                      QStringLiteral("Convert texts through code page <N> instead of the locale's."),
                                      QStringLiteral("N"));
    parser.addOption(codePage);
    parser.addPositionalArgument(QStringLiteral("command"), QStringLiteral("show, build or check"));
    parser.addPositionalArgument(QStringLiteral("arguments"), QStringLiteral("the command's files"),
                                 QStringLiteral("[ARGS...]"));
    if (!parser.parse(QCoreApplication::arguments())) return fail(parser.errorText());
    if (parser.isSet(QStringLiteral("help"))) return put(escapedLines(parser.helpText())) ? 0 : cli::kFailed;
    if (parser.isSet(QStringLiteral("version")))
        return put("halvorn-profile " + QCoreApplication::applicationVersion().toUtf8() + '\n') ? 0 : cli::kFailed;

    std::unique_ptr<TextCodec> codec;
    if (parser.isSet(codePage)) {
        bool number = false;
        const int page = parser.value(codePage).toInt(&number);
        if (number) codec = platform::makeCodec(page);
        if (!codec) return fail(QStringLiteral("no converter for code page %1").arg(parser.value(codePage)));
    } else {
        codec = platform::makeRunCodec(platform::systemCodePage());
    }

    const QStringList args = parser.positionalArguments();
    const QString command = args.value(0);
    if ((command == QStringLiteral("show") || command == QStringLiteral("check")) && args.size() == 2) {
        const auto file = readProfile(args[1]);
        if (!file) return cli::kFailed;
        if (command == QStringLiteral("show"))
            return put(forTerminal(QJsonDocument(cli::showProfile(*file, *codec)).toJson())) ? 0 : cli::kFailed;
        const cli::CheckReport report = cli::checkProfile(*file, *codec);
        for (const QString& line : report.refusals + report.warnings)
            if (!put(escaped(line).toUtf8() + '\n')) return cli::kFailed;
        return report.refusals.isEmpty() ? 0 : 1;
    }
    if (command == QStringLiteral("build") && args.size() == 3) {
        if (args[2].isEmpty()) return fail(QStringLiteral("build: the folder is empty (\".\" is the current one)"));
        const auto json = readInput(args[1]);
        if (!json) return cli::kFailed;
        const std::filesystem::path folder(args[2].toStdU16String()); // never through an 8-bit string
        // Writes take turns with the windows' saves: the same lock, waited for as long.
        const SaveLock turn(platform::userTempFolder());
        if (const auto refused = turn.refusal(folder / kProfileBinName))
            return fail(QString::fromStdString(refused->describe()));
        QString why;
        const int status = cli::buildProfileBin(*json, folder, *codec, why);
        if (status != 0) fail(QStringLiteral("%1: %2").arg(args[1], why));
        return status;
    }
    return fail(QStringLiteral("usage: halvorn-profile show FILE | build JSON FOLDER | check FILE (see --help)"));
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("halvorn-profile"));
    QCoreApplication::setApplicationVersion(QStringLiteral(HALVORN_VERSION));
    const int status = run();
    // What is still buffered goes out now; output that did not all go out fails the command.
    if (outputError == 0 && std::fflush(stdout) != 0) outputError = errno;
    if (outputError != 0)
        return fail(QStringLiteral("standard output: %1").arg(QString::fromLocal8Bit(std::strerror(outputError))));
    return status;
}
