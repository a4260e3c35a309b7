#include "support/WindowFixture.h"

#include <QTimer>

// The window as it first appears, its today and clock lines, the time page and the About box.
class TestMainWindow : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China)); }

    void everyControlCarriesItsName() {
        WindowFixture w;
        QStringList names = QStringLiteral("Shape1 Timer1 AboutMe HowmuchDays Command1 QianHou yu FrCalendar "
                                           "ShCalendar cboyear cbomonth lblday Frdays cmdok cmdcancel")
                                .split(' ');
        const std::tuple<const char*, int, int> arrays[] = {
            {"Fr", 0, 2},         {"Todayis", 0, 1},    {"History", 0, 7},    {"Line1", 0, 8},
            {"T_ShanShuo", 0, 1}, {"ChooseDate", 1, 3}, {"ChooseWeek", 0, 3}, {"CResult", 1, 2},
            {"LblTitle", 0, 1},   {"LblNianyue", 0, 1}, {"lblnumber", 0, 30}};
        for (const auto& [name, first, last] : arrays)
            for (int k = first; k <= last; ++k)
                names << QStringLiteral("%1_%2").arg(name).arg(k);
        for (const QString& name : names)
            QVERIFY2(w->findChildren<QObject*>(name).size() == 1, qPrintable(name));
        QVERIFY(!w.Control("ChooseDate_0") && !w.Control("CResult_0"));
    }

    void startUpState_data() {
        QTest::addColumn<QDate>("today");
        QTest::addColumn<QString>("todayLine");
        QTest::newRow("5th") << QDate(2013, 1, 5) << "今天是：2013年01月5日 星期六";
        QTest::newRow("20th") << QDate(2013, 1, 20) << "今天是：2013年01月20日 星期日";
        QTest::newRow("December") << QDate(1999, 12, 31) << "今天是：1999年12月31日 星期五";
    }
    void startUpState() {
        QFETCH(QDate, today);
        QFETCH(QString, todayLine);
        WindowFixture f({}, false);
        f.platform.now = QDateTime(today, QTime(23, 59, 59));
        f.Start();
        QStringList shown;
        for (const char* name : {"Command1", "QianHou", "HowmuchDays", "ChooseDate_1", "ChooseDate_2",
                                 "ChooseDate_3", "CResult_1", "CResult_2", "ChooseWeek_0", "ChooseWeek_1",
                                 "ChooseWeek_2", "ChooseWeek_3", "AboutMe", "FrCalendar", "Todayis_0"})
            shown << (f.Control(name)->isVisible() ? "" : "hidden ") + f.Text(name);
        QCOMPARE(shown, QStringList({"hidden OK！", "天之后是：", "100", "选择日期", "选择日期", "选择日期",
                                     "\?\?\?\?/\?\?/\?\?", "相差（?）天", "(星期？)", "(星期？)", "(星期？)",
                                     "(星期？)", "关于 ", "hidden ", todayLine}));
        QCOMPARE(f.ui->lblday->text(), todayLine.section(' ', 1));
        QCOMPARE(f.ui->cboyear->currentText(), ' ' + QString::number(today.year()));
        QCOMPARE(f.ui->cbomonth->currentText(), QString::number(today.month()));
        QCOMPARE(f->windowTitle(), "Brenmoor");
        QVERIFY(f->minimumSize() == QSize(320, 387) && f->maximumSize() == f->minimumSize());
        QVERIFY((f->windowFlags() & Qt::WindowMinimizeButtonHint) &&
                !(f->windowFlags() & Qt::WindowMaximizeButtonHint));
        QVERIFY(!f.ui->T_ShanShuo[0]->isActive() && !f.ui->T_ShanShuo[1]->isActive() &&
                f.ui->Timer1->isActive());
        QVERIFY(f.platform.messages.isEmpty());
    }

    void clockLine() {
        WindowFixture w;
        const QLocale chinese(QLocale::Chinese, QLocale::China);
        for (const auto& [time, locale, line] :
             {std::tuple(QTime(0, 0, 0), chinese, " 现在是：上午 12:00:00"),
              {QTime(12, 0, 0), chinese, " 现在是：下午 12:00:00"},
              {QTime(23, 59, 59), chinese, " 现在是：下午 11:59:59"},
              {QTime(14, 5, 9), QLocale(QLocale::English), " 现在是：PM 02:05:09"}}) {
            QLocale::setDefault(locale);
            w.platform.now = QDateTime(QDate(2013, 1, 21), time); // past midnight: the today line stays
            w->ClockTick();
            QCOMPARE(w.Text("Todayis_1"), line);
        }
        QLocale::setDefault(chinese);
        QCOMPARE(w.Text("Todayis_0"), "今天是：2013年01月20日 星期日");
        QVERIFY(w.ui->Timer1->isActive());
    }

    void timePageAndAbout() {
        WindowFixture w;
        Click(w.ui->Todayis[0]);
        Click(w.ui->Todayis[1]);
        QCOMPARE(w.platform.openedUrls.size(), 2);
        QCOMPARE(w.platform.openedUrls[0], w.platform.openedUrls[1]);
        QCOMPARE(w.platform.openedUrls[0].scheme().left(4), "http");
        QVERIFY(w.platform.messages.isEmpty());
        w.platform.browserWorks = false;
        Click(w.ui->Todayis[1]);
        Click(w.ui->AboutMe);
        QCOMPARE(w.platform.Boxes(),
                 QStringList({"W Brenmoor: 调用浏览器错误！",
                              "I 关于 Brenmoor（Quillet）: 程序版本：V1.0\r\n\r\n作者网名：墨羽书生\r\n\r\n"
                              "腾讯微博：moyu_shusheng\r\n\r\nE-Mail:quillet@example.com"}));
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
