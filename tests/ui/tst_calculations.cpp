#include "support/WindowFixture.h"

// Both calculations as a user drives them: dates chosen in the picker, a count typed into
// HowmuchDays and confirmed with Enter or a click on Command1.
namespace {

const QString Unknown = QStringLiteral("\?\?\?\?/\?\?/\?\?");
const QString EmptyCountWarning = QStringLiteral("W Brenmoor: 请输入天数！（可为负数）");

// Opens the picker from ChooseDate(field), browses to the date, clicks its day (which gives the
// confirm button the focus) and confirms with `key` there.
void ChooseDate(const WindowFixture& w, int field, QDate date, Qt::Key key = Qt::Key_Return) {
    w.Click(QString("ChooseDate_%1").arg(field));
    w.C<QComboBox>("cboyear")->setCurrentIndex(date.year() - MonthGrid::FirstYear);
    w.C<QComboBox>("cbomonth")->setCurrentIndex(date.month() - 1);
    w.Click(QString("lblnumber_%1").arg(date.day() - 1));
    w.Key(key);
}

QString Field(const WindowFixture& w, int k) {
    return w.Text(QString("ChooseDate_%1").arg(k)) + w.Text(QString("ChooseWeek_%1").arg(k));
}

// Command1 waits for a confirmation; QianHou shows the wording instead once one has run.
bool Pending(const WindowFixture& w) {
    return w.C("Command1")->isVisible() && !w.C("QianHou")->isVisible();
}

} // namespace

class TestCalculations : public QObject {
    Q_OBJECT
private slots:
    void offset_data() {
        QTest::addColumn<QDate>("base"); // invalid: none chosen
        QTest::addColumn<QString>("count");
        QTest::addColumn<QString>("result"); // result, weekday and wording; unchanged: stopped silently
        QTest::addColumn<bool>("added");
        const QDate base(2013, 1, 20);
        QTest::newRow("after") << base << "99999"
                               << "2286/11/4(星期四)天之后是：" << true;
        QTest::newRow("before drops the minus") << base << "-10"
                                                << "2013/1/10(星期四)天之前是：" << true;
        QTest::newRow("zero") << base << "0"
                              << "2013/1/20(星期日)天之后是：" << true;
        QTest::newRow("minus zero stays") << base << "-0"
                                          << "2013/1/20(星期日)天之后是：" << true;
        QTest::newRow("not a number") << base << "-."
                                      << "2013/4/30(星期二)天之后是：" << false;
        QTest::newRow("no base date") << QDate() << "50" << Unknown + "(星期？)天之后是：" << false;
    }
    void offset() {
        QFETCH(QDate, base);
        QFETCH(QString, count);
        QFETCH(QString, result);
        QFETCH(bool, added);
        WindowFixture w;
        if (base.isValid())
            ChooseDate(w, 1, base);
        w.C<QLineEdit>("HowmuchDays")->setText(count);
        QVERIFY(Pending(w));
        w.Click("Command1");
        QCOMPARE(w.Text("CResult_1") + w.Text("ChooseWeek_0") + w.Text("QianHou"), result);
        const bool before = w.Text("QianHou") == "天之前是：";
        QCOMPARE(w.Text("HowmuchDays"), before ? count.mid(1) : count);
        const QString entry = Field(w, 1) + "的" + w.Text("HowmuchDays") + w.Text("QianHou") +
                              w.Text("CResult_1") + w.Text("ChooseWeek_0");
        QCOMPARE(w.Text(base.isValid() ? "History_1" : "History_0"), added ? entry : QString());
        QVERIFY(!Pending(w));
        QVERIFY(w.platform.boxes.isEmpty());
    }

    void keyRules() {
        WindowFixture w;
        ChooseDate(w, 1, QDate(2013, 1, 20));
        auto* box = w.C<QLineEdit>("HowmuchDays");
        box->setFocus();
        w.Key(Qt::Key_Return); // nothing pending: nothing happens
        QVERIFY(!Pending(w) && w.Text("History_1").isEmpty());
        // A misplaced minus goes at the next key of any kind.
        for (auto [key, text] : {std::pair(Qt::Key_7, "57"), {Qt::Key_Backspace, ""}, {Qt::Key_Left, "5"}}) {
            box->clear();
            QTest::keyClicks(box, "5-");
            QCOMPARE(box->text(), "5-");
            w.Key(key);
            QCOMPARE(box->text(), text);
        }
        QTest::keyClicks(box, "a +,Z"); // only count keys are typed
        QCOMPARE(box->text(), "5");
        w.Key(Qt::Key_Enter);
        QCOMPARE(w.Text("CResult_1"), "2013/1/25");
        box->clear();
        QTest::keyClicks(box, "-1.345"); // no sixth character
        QCOMPARE(box->text(), "-1.34");
        // An empty count warns, confirmed by a click or by Enter after two minus signs.
        box->clear();
        w.Click("Command1");
        QTest::keyClicks(box, "--");
        QTest::keyClick(box, Qt::Key_Return);
        QCOMPARE(box->text(), QString());
        QCOMPARE(w.platform.boxes, QStringList({EmptyCountWarning, EmptyCountWarning}));
        QVERIFY(Pending(w));
        QCOMPARE(w.Text("CResult_1"), "2013/1/25");
    }

    void dayCount_data() {
        QTest::addColumn<QDate>("first");
        QTest::addColumn<QDate>("second");
        QTest::addColumn<QString>("entry");
        QTest::newRow("backwards") << QDate(2013, 2, 1) << QDate(2013, 1, 1)
                                   << "2013/2/1(星期五)与2013/1/1(星期二)相差（-31）天";
        QTest::newRow("beyond 16 bits") << QDate(1960, 1, 1) << QDate(2099, 12, 31)
                                        << "1960/1/1(星期五)与2099/12/31(星期四)相差（51134）天";
    }
    void dayCount() {
        QFETCH(QDate, first);
        QFETCH(QDate, second);
        QFETCH(QString, entry);
        WindowFixture w;
        ChooseDate(w, 2, first); // one date alone calculates nothing
        QCOMPARE(w.Text("CResult_2") + w.Text("History_0"), "相差（?）天");
        ChooseDate(w, 3, second, Qt::Key_Space);
        QCOMPARE(Field(w, 2) + "与" + Field(w, 3) + w.Text("CResult_2"), entry);
        QCOMPARE(w.Text("History_0"), entry);
        // Confirming the date a field already shows calculates nothing.
        ChooseDate(w, 3, second);
        QVERIFY(w.Text("History_1").isEmpty());
    }

    void emptyCountWarnsWhilePickerOpen() {
        WindowFixture w;
        w.C<QLineEdit>("HowmuchDays")->clear();
        QString seen;
        w.platform.onMessage = [&](const QString&) {
            seen = Field(w, 1) + (w.PickerOpen() ? " open" : " closed");
        };
        ChooseDate(w, 1, QDate(2013, 3, 8));
        QCOMPARE(w.platform.boxes, QStringList{EmptyCountWarning});
        QCOMPARE(seen, "2013/3/8(星期五) open");
        QVERIFY(!w.PickerOpen() && w.C("Fr_1")->isEnabled() && w.C("Fr_2")->isEnabled());
    }
};

QTEST_MAIN(TestCalculations)
#include "tst_calculations.moc"
