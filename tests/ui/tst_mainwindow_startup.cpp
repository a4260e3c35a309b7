#include "support/WindowFixture.h"

#include "ui/Label.h"

#include <QDir>
#include <QTimer>
#include <QtTest>

// The window as it first appears: every control named, the initial texts and visibility, the
// today line, and the history read from its file.
class MainWindowStartupTest : public QObject {
    Q_OBJECT
private slots:
    void everyControlCarriesItsName();
    void initialTexts_data();
    void initialTexts();
    void windowAndTimers();
    void todayLine_data();
    void todayLine();
    void historyLoadedFromFile();
    void unreadableHistoryWarnsAndStarts();
};

void MainWindowStartupTest::everyControlCarriesItsName() {
    WindowFixture f;
    f.Start();
    QStringList names =
        QStringLiteral("Shape1 Timer1 AboutMe HowmuchDays Command1 QianHou yu FrCalendar ShCalendar "
                       "cboyear cbomonth lblday Frdays cmdok cmdcancel")
            .split(QLatin1Char(' '));
    const QList<std::tuple<const char*, int, int>> arrays = {
        {"Fr", 0, 2},         {"Todayis", 0, 1},    {"History", 0, 7},    {"Line1", 0, 8},
        {"T_ShanShuo", 0, 1}, {"ChooseDate", 1, 3}, {"ChooseWeek", 0, 3}, {"CResult", 1, 2},
        {"LblTitle", 0, 1},   {"LblNianyue", 0, 1}, {"lblnumber", 0, 30}};
    for (const auto& [name, first, last] : arrays)
        for (int k = first; k <= last; ++k)
            names << QStringLiteral("%1_%2").arg(QLatin1String(name)).arg(k);
    for (const QString& name : names)
        QVERIFY2(f.window->findChildren<QObject*>(name).size() == 1, qPrintable(name));
    for (const char* absent : {"ChooseDate_0", "CResult_0"})
        QVERIFY(!f.Control<QObject>(QLatin1String(absent)));
}

void MainWindowStartupTest::initialTexts_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("shown");
    const auto row = [](const QString& name, const QString& text, bool shown = true) {
        QTest::addRow("%s", qPrintable(name)) << name << text << shown;
    };
    row("Command1", "OK！", false);
    row("QianHou", "天之后是：");
    row("HowmuchDays", "100");
    for (int k = 1; k <= 3; ++k)
        row(QStringLiteral("ChooseDate_%1").arg(k), "选择日期");
    row("CResult_1", "\?\?\?\?/\?\?/\?\?");
    row("CResult_2", "相差（?）天");
    for (int k = 0; k <= 3; ++k)
        row(QStringLiteral("ChooseWeek_%1").arg(k), "(星期？)");
    row("History_0", "");
    row("AboutMe", "关于 ");
    row("FrCalendar", "", false);
}

void MainWindowStartupTest::initialTexts() {
    QFETCH(QString, name);
    QFETCH(QString, text);
    QFETCH(bool, shown);
    WindowFixture f;
    f.Start();
    QCOMPARE(f.Text(name), text);
    QCOMPARE(f.Control(name)->isVisible(), shown);
}

void MainWindowStartupTest::windowAndTimers() {
    WindowFixture f;
    MainWindow& window = f.Start();
    QCOMPARE(window.windowTitle(), QStringLiteral("Brenmoor"));
    QCOMPARE(window.minimumSize(), QSize(320, 387));
    QCOMPARE(window.maximumSize(), QSize(320, 387));
    QVERIFY(!(window.windowFlags() & Qt::WindowMaximizeButtonHint));
    QVERIFY(window.windowFlags() & Qt::WindowMinimizeButtonHint);
    QVERIFY(!window.Controls().T_ShanShuo[0]->isActive());
    QVERIFY(!window.Controls().T_ShanShuo[1]->isActive());
    QVERIFY(window.Controls().Timer1->isActive());
    QVERIFY(f.platform.messages.isEmpty());
}

void MainWindowStartupTest::todayLine_data() {
    QTest::addColumn<QDate>("today");
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("weekday");
    QTest::newRow("5th") << QDate(2013, 1, 5) << "今天是：2013年01月5日 星期六"
                         << "星期六";
    QTest::newRow("20th") << QDate(2013, 1, 20) << "今天是：2013年01月20日 星期日"
                          << "星期日";
}

void MainWindowStartupTest::todayLine() {
    QFETCH(QDate, today);
    QFETCH(QString, line);
    QFETCH(QString, weekday);
    WindowFixture f;
    f.platform.now = QDateTime(today, QTime(23, 59, 59));
    f.Start();
    QCOMPARE(f.Text("Todayis_0"), line);
    QCOMPARE(f.Text("lblday"), weekday);
}

void MainWindowStartupTest::historyLoadedFromFile() {
    WindowFixture f;
    const QString entry = QStringLiteral("2013/1/23(星期三)的100天之后是：2013/5/3(星期五)");
    QVERIFY(WriteBytes(f.HistoryPath(), Gbk(entry) + "\r\n\r\n  \r\nlast"));
    const MainWindow& window = f.Start();
    const QStringList expected = {entry, "", "  ", "last", "", "", "", ""};
    for (int k = 0; k < 8; ++k) {
        QCOMPARE(window.Controls().History[k]->text(), expected[k]);
        QCOMPARE(window.HistoryList().Slot(k), expected[k]);
    }
}

void MainWindowStartupTest::unreadableHistoryWarnsAndStarts() {
    WindowFixture f;
    QVERIFY(QDir(f.dir.path()).mkdir(QStringLiteral("Quillet.log")));
    f.platform.now = QDateTime(QDate(2013, 1, 5), QTime(9, 0));
    f.Start();
    QCOMPARE(f.platform.messages.size(), 1);
    const FakePlatform::Message& message = f.platform.messages.first();
    QCOMPARE(message.icon, Platform::Icon::Warning);
    QCOMPARE(message.title, QStringLiteral("Brenmoor"));
    QVERIFY2(message.text.contains(f.HistoryPath()), qPrintable(message.text));
    QCOMPARE(f.Text("Todayis_0"), QStringLiteral("今天是：2013年01月5日 星期六"));
    QVERIFY(f.window->isVisible());
}

QTEST_MAIN(MainWindowStartupTest)
#include "tst_mainwindow_startup.moc"
