// halvorn-profile: a card's settings from the command line.

#include "cli/ProfileJson.h"
#include "platform/CodePage.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QJsonDocument>
#include <QTextStream>

#include <cstdio>
#include <memory>
#include <vector>

namespace {

using namespace halvorn;

int fail(const QString& text) {
    QTextStream(stderr) << "halvorn-profile: " << text << '\n';
    return cli::kFailed;
}

// The file's bytes, or nothing after the reason is on standard error.
std::optional<QByteArray> readInput(const QString& name) {
    QFile file(name);
    const bool open =
        name == QStringLiteral("-") ? file.open(stdin, QIODevice::ReadOnly) : file.open(QIODevice::ReadOnly);
    if (!open) {
        fail(QStringLiteral("%1: %2").arg(name, file.errorString()));
        return std::nullopt;
    }
    return file.readAll();
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

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("halvorn-profile"));
    QCoreApplication::setApplicationVersion(QStringLiteral(HALVORN_VERSION));

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
    if (parser.isSet(QStringLiteral("help"))) {
        QTextStream(stdout) << parser.helpText();
        return 0;
    }
    if (parser.isSet(QStringLiteral("version"))) {
        QTextStream(stdout) << "halvorn-profile " << QCoreApplication::applicationVersion() << '\n';
        return 0;
    }

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
        if (command == QStringLiteral("show")) {
            std::fputs(QJsonDocument(cli::showProfile(*file, *codec)).toJson().constData(), stdout);
            return 0;
        }
        const QStringList lines = cli::checkProfile(*file, *codec);
        for (const QString& line : lines)
            QTextStream(stdout) << line << '\n';
        return lines.isEmpty() ? 0 : 1;
    }
    if (command == QStringLiteral("build") && args.size() == 3) {
        const auto json = readInput(args[1]);
        if (!json) return cli::kFailed;
        QString why;
        const int status = cli::buildProfileBin(*json, args[2].toStdString(), *codec, why);
        if (status != 0) fail(QStringLiteral("%1: %2").arg(args[1], why));
        return status;
    }
    return fail(QStringLiteral("usage: halvorn-profile show FILE | build JSON FOLDER | check FILE (see --help)"));
}
