#include "CommandLine.h"

#include "BuildVersion.h"

#include <QCommandLineParser>

namespace {

// The options QApplication takes for itself; hidden from the help.
const char* const QtOptionsWithValue[] = {
    "platform",        "platformpluginpath", "platformtheme", "plugin", "display",    "geometry",
    "qwindowgeometry", "qwindowtitle",       "qwindowicon",   "style",  "stylesheet", "session"};
const char* const QtFlags[] = {"reverse", "nograb", "dograb", "sync", "widgetcount"};

void AddHidden(QCommandLineParser& parser, const QString& name, const QString& valueName = {}) {
    QCommandLineOption option(name, QString(), valueName);
    option.setFlags(QCommandLineOption::HiddenFromHelp);
    parser.addOption(option);
}

} // namespace

namespace CommandLine {

Answer Read(const QStringList& arguments) {
    QCommandLineParser parser;
    // Qt's options are single-dash words ("-platform"), not bundles of letters.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(QStringLiteral(
        "Brenmoor: a date calculator with a Simplified-Chinese window. It finds the date a number of days\n"
        "before or after a date, and the number of days between two dates."));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Show this help and exit."));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Show the version and exit."));
    parser.addOptions({help, version});
    for (const char* name : QtOptionsWithValue)
        AddHidden(parser, QLatin1String(name), QStringLiteral("value"));
    for (const char* name : QtFlags)
        AddHidden(parser, QLatin1String(name));

    const QString usage = QStringLiteral(" Try 'Quillet --help'.\n");
    if (!parser.parse(arguments))
        return {false, 2, {}, QStringLiteral("Quillet: ") + parser.errorText() + usage};
    if (!parser.positionalArguments().isEmpty())
        return {
            false,
            2,
            {},
            QStringLiteral("Quillet: unexpected argument '%1'.").arg(parser.positionalArguments().first()) +
                usage};
    if (parser.isSet(help)) // Qt's usage line names the executable only once a QCoreApplication exists
        return {
            false, 0, QStringLiteral("Usage: Quillet [options]\n") + parser.helpText().section(u'\n', 1), {}};
    if (parser.isSet(version))
        return {
            false,
            0,
            QStringLiteral("Brenmoor (Quillet) %1.%2\n").arg(BuildVersion::Major).arg(BuildVersion::Minor),
            {}};
    return {};
}

} // namespace CommandLine
