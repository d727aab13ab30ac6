#include "UnitCommandLine.h"

#include "UnitRegistry.h"
#include "UnitTranslate.h"

#include <QCommandLineParser>
#include <QUrl>

#include <cstdio>

namespace {

// Parses with --help and --version; the outcome is set when the line asks for one of them or
// is refused.
bool Parse(QCommandLineParser &parser, const QString &program, const QStringList &arguments, const QString &version,
           const QString &description, TCommandLine &outcome)
{
    parser.setApplicationDescription(description);
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, Tr(148));
    const QCommandLineOption showVersion({QStringLiteral("v"), QStringLiteral("version")}, Tr(149));
    parser.addOption(help);
    parser.addOption(showVersion);
    if (!parser.parse(QStringList{program} + arguments)) {
        outcome = {false, 2, TrFormat(150, {parser.errorText(), program + QStringLiteral(" --help")}) + u'\n', {}};
        return false;
    }
    if (parser.isSet(help)) {
        outcome = {false, 0, parser.helpText().replace(QStringLiteral("<executable_name>"), program), {}};
        return false;
    }
    if (parser.isSet(showVersion)) {
        outcome = {false, 0, program + u' ' + version + u'\n', {}};
        return false;
    }
    return true;
}

} // namespace

TCommandLine ParseClientCommandLine(const QStringList &arguments, const QString &version)
{
    QCommandLineParser parser;
    parser.addPositionalArgument(QStringLiteral("file"), Tr(151), QStringLiteral("[file]"));
    TCommandLine outcome;
    if (!Parse(parser, QStringLiteral("Tavelko"), arguments, version, Tr(152), outcome))
        return outcome;
    QString path = parser.positionalArguments().join(u' ');
    if (path.startsWith(QStringLiteral("file:"), Qt::CaseInsensitive)) {
        const QUrl url(path);
        if (url.isLocalFile())
            path = url.toLocalFile();
    }
    outcome.examPath = path;
    return outcome;
}

TCommandLine ParseUpdaterCommandLine(const QStringList &arguments, const QString &version)
{
    QCommandLineParser parser;
    TCommandLine outcome;
    if (!Parse(parser, QStringLiteral("TavelkoUpdater"), arguments, version, Tr(153), outcome))
        return outcome;
    if (!parser.positionalArguments().isEmpty())
        return {false, 2, TrFormat(150, {TrFormat(154, {parser.positionalArguments().first()}), QStringLiteral("TavelkoUpdater --help")}) + u'\n', {}};
    return outcome;
}

QStringList ProgramArguments(int argc, char **argv)
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    return arguments;
}

void UseInterfaceLanguage()
{
    try {
        SetCurrentLanguageIndex(TTavelkoRegistry().GetLanguageIndex(), TTavelkoRegistry::DefaultLanguageIndex);
    } catch (const std::exception &) {
        // settings that cannot be read leave the default language
    }
}

int ReportCommandLine(const TCommandLine &line)
{
    std::fputs(line.output.toLocal8Bit().constData(), line.exitCode == 0 ? stdout : stderr);
    return line.exitCode;
}
