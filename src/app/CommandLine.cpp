#include "CommandLine.h"

#include "BuildVersion.h"

namespace {

// The options QApplication takes for itself, with one or two dashes; not shown in the help.
const QStringList QtOptionsWithValue = {
    "platform",        "platformpluginpath", "platformtheme", "plugin", "display",    "geometry",
    "qwindowgeometry", "qwindowtitle",       "qwindowicon",   "style",  "stylesheet", "session"};
const QStringList QtFlags = {"reverse", "nograb", "dograb", "sync", "widgetcount"};

// The program's texts in one language.
struct Texts {
    QString name; // the program's name before a message
    QString help;
    QString unknownOption;  // %1: the option as given
    QString needsValue;     // %1
    QString takesNoValue;   // %1
    QString unexpectedWord; // %1: the argument
    QString tryHelp;
};

const Texts English = {
    "Quillet: ",
    "Usage: Quillet [options]\n"
    "Brenmoor: a date calculator with a Simplified-Chinese window. It finds the date a number of days\n"
    "before or after a date, and the number of days between two dates.\n"
    "\n"
    "Options:\n"
    "  -h, --help     Show this help and exit.\n"
    "  -v, --version  Show the version and exit.\n",
    "unknown option '%1'.",
    "option '%1' needs a value.",
    "option '%1' takes no value.",
    "unexpected argument '%1'.",
    " Try 'Quillet --help'."};

const Texts Chinese = {
    QStringLiteral("Quillet："),
    QStringLiteral("用法：Quillet [选项]\n"
                   "Brenmoor：日期计算器，界面为简体中文。它计算某个日期之前或之后若干天的日期，\n"
                   "以及两个日期之间相差的天数。\n"
                   "\n"
                   "选项：\n"
                   "  -h, --help     显示本帮助并退出。\n"
                   "  -v, --version  显示版本并退出。\n"),
    QStringLiteral("未知的选项“%1”。"),
    QStringLiteral("选项“%1”需要一个值。"),
    QStringLiteral("选项“%1”不接受值。"),
    QStringLiteral("多余的参数“%1”。"),
    QStringLiteral("请运行“Quillet --help”查看用法。")};

} // namespace

namespace CommandLine {

bool SpeaksChinese(const QLocale& locale) {
    const QStringList languages = locale.uiLanguages();
    return (languages.isEmpty() ? locale.name() : languages.first()).startsWith(QLatin1String("zh"));
}

Answer Read(const QStringList& arguments, const QLocale& locale) {
    const Texts& texts = SpeaksChinese(locale) ? Chinese : English;
    const auto refuse = [&](const QString& message, const QString& argument) {
        return Answer{false, 2, {}, texts.name + message.arg(argument) + texts.tryHelp + '\n'};
    };
    bool help = false;
    bool version = false;
    for (int i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments.at(i);
        const int dashes = argument.startsWith(QLatin1String("--")) ? 2 : argument.startsWith('-') ? 1 : 0;
        if (dashes == 0 || argument.size() == dashes)
            return refuse(texts.unexpectedWord, argument);
        const int equals = argument.indexOf('=');
        const QString name = argument.mid(dashes, equals < 0 ? -1 : equals - dashes);
        const QString given = argument.left(equals < 0 ? argument.size() : equals);
        const bool ownFlag = name == QLatin1String("help") || name == QLatin1String("h") ||
                             name == QLatin1String("version") || name == QLatin1String("v");
        if (ownFlag || QtFlags.contains(name)) {
            if (equals >= 0)
                return refuse(texts.takesNoValue, given);
            help = help || name.startsWith('h');
            version = version || name.startsWith('v');
        } else if (QtOptionsWithValue.contains(name)) {
            if (equals < 0 && ++i >= arguments.size())
                return refuse(texts.needsValue, given);
        } else {
            return refuse(texts.unknownOption, given);
        }
    }
    if (help)
        return {false, 0, texts.help, {}};
    if (version)
        return {
            false,
            0,
            QStringLiteral("Brenmoor (Quillet) %1.%2\n").arg(BuildVersion::Major).arg(BuildVersion::Minor),
            {}};
    return {};
}

} // namespace CommandLine
