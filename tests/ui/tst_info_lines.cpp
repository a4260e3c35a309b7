#include "support/WindowFixture.h"

#include "ui/Label.h"

#include <QtTest>

// The clock line, the time page behind the today and clock lines, and the About box.
class InfoLinesTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China)); }
    void clockLine_data();
    void clockLine();
    void bothLinesOpenTheTimePage();
    void browserFailureWarns();
    void aboutBox();
};

void InfoLinesTest::clockLine_data() {
    QTest::addColumn<QTime>("time");
    QTest::addColumn<QString>("line");
    QTest::newRow("midnight") << QTime(0, 0, 0) << " 现在是：上午 12:00:00";
    QTest::newRow("noon") << QTime(12, 0, 0) << " 现在是：下午 12:00:00";
    QTest::newRow("last second") << QTime(23, 59, 59) << " 现在是：下午 11:59:59";
}

void InfoLinesTest::clockLine() {
    QFETCH(QTime, time);
    QFETCH(QString, line);
    WindowFixture f;
    f.Start();
    f.platform.now.setTime(time);
    f.window->ClockTick();
    QCOMPARE(f.Text("Todayis_1"), line);
    QVERIFY(f.window->Controls().Timer1->isActive());
}

void InfoLinesTest::bothLinesOpenTheTimePage() {
    WindowFixture f;
    f.Start();
    QTest::mouseClick(f.Control("Todayis_0"), Qt::LeftButton);
    QTest::mouseClick(f.Control("Todayis_1"), Qt::LeftButton);
    QCOMPARE(f.platform.openedUrls.size(), 2);
    QCOMPARE(f.platform.openedUrls[0], f.platform.openedUrls[1]);
    const QUrl page = f.platform.openedUrls[0];
    QVERIFY2(page.isValid() && !page.isRelative() && page.scheme().startsWith(QLatin1String("http")),
             qPrintable(page.toString()));
    QVERIFY(f.platform.messages.isEmpty());
}

void InfoLinesTest::browserFailureWarns() {
    WindowFixture f;
    f.platform.browserWorks = false;
    f.Start();
    QTest::mouseClick(f.Control("Todayis_1"), Qt::LeftButton);
    QCOMPARE(f.platform.messages.size(), 1);
    QCOMPARE(f.platform.messages[0].icon, Platform::Icon::Warning);
    QCOMPARE(f.platform.messages[0].title, QStringLiteral("Brenmoor"));
    QCOMPARE(f.platform.messages[0].text, QStringLiteral("调用浏览器错误！"));
}

void InfoLinesTest::aboutBox() {
    WindowFixture f;
    f.Start();
    QTest::mouseClick(f.Control("AboutMe"), Qt::LeftButton);
    QCOMPARE(f.platform.messages.size(), 1);
    QCOMPARE(f.platform.messages[0].icon, Platform::Icon::Information);
    QCOMPARE(f.platform.messages[0].title, QStringLiteral("关于 Brenmoor（Quillet）"));
    QVERIFY2(f.platform.messages[0].text.startsWith(QStringLiteral("程序版本：V1.0\r\n\r\n")),
             qPrintable(f.platform.messages[0].text));
}

QTEST_MAIN(InfoLinesTest)
#include "tst_info_lines.moc"
