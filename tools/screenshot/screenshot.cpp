// Renders the real main window offscreen into a PNG, for a fixed date and a given history file.
//   screenshot OUT.png [--scale N] [--history FILE] [--date YYYY-MM-DD] [--picker]
#include "ui/Label.h"
#include "ui/MainWindow.h"
#include "ui/Platform.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QLocale>
#include <QPixmap>
#include <QTemporaryDir>

namespace {
class FixedPlatform : public Platform {
public:
    explicit FixedPlatform(QDateTime now) : m_now(std::move(now)) {}
    QDateTime Now() const override { return m_now; }
    void ShowMessage(QWidget*, Icon, const QString&, const QString&) override {}
    void OpenUrl(const QUrl&, std::function<void(bool)> done) override { done(true); }

private:
    QDateTime m_now;
};

QByteArray OptionValue(int argc, char** argv, const char* name) {
    for (int i = 1; i + 1 < argc; ++i)
        if (qstrcmp(argv[i], name) == 0)
            return argv[i + 1];
    return {};
}
} // namespace

int main(int argc, char** argv) {
    // The scale must be known before the application starts.
    const QByteArray scale = OptionValue(argc, argv, "--scale");
    if (!scale.isEmpty())
        qputenv("QT_SCALE_FACTOR", scale);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));

    QCommandLineParser parser;
    parser.addPositionalArgument("out", "PNG file to write");
    parser.addOption({"scale", "device pixel ratio", "n"});
    parser.addOption({"history", "history file to show", "file"});
    parser.addOption({"date", "today's date", "date", "2013-01-20"});
    parser.addOption({"picker", "show the date picker open"});
    parser.process(app);
    if (parser.positionalArguments().size() != 1)
        parser.showHelp(1);

    QTemporaryDir scratch;
    const QString history = parser.isSet("history") ? parser.value("history") : scratch.filePath("none.log");
    const QDate date = QDate::fromString(parser.value("date"), Qt::ISODate);
    FixedPlatform platform(QDateTime(date, QTime(14, 5, 9)));
    MainWindow window(platform, history);
    window.setAttribute(Qt::WA_DontShowOnScreen);
    window.show();
    // The picker panel is built after the first frame.
    while (!window.findChild<QWidget*>(QStringLiteral("FrCalendar")))
        QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    if (parser.isSet("picker"))
        emit window.findChild<Label*>(QStringLiteral("ChooseDate_1"))->clicked();
    QApplication::processEvents();
    const QPixmap picture = window.grab();
    return picture.save(parser.positionalArguments().first()) ? 0 : 1;
}
