#include "support/WindowFixture.h"

// The date-offset frame as a user drives it: a base date in ChooseDate_1, a count typed or set in
// HowmuchDays, confirmed with Enter or a click on Command1.
namespace {

const QString Unknown = QStringLiteral("\?\?\?\?/\?\?/\?\?");
const QString Before = QStringLiteral("天之前是：");

struct OffsetFrame : WindowFixture {
    explicit OffsetFrame(const QString& base = QStringLiteral("2013/1/20")) {
        ui->ChooseDate[1]->SetCaption(base);
        ui->ChooseWeek[1]->SetCaption(QStringLiteral("(星期日)"));
        ui->HowmuchDays->setFocus();
    }
    DayCountBox* Box() const { return ui->HowmuchDays; }
    // Command1 waits for a confirmation; QianHou shows the wording instead once one has run.
    bool Pending() const { return ui->Command1->isVisible() && !ui->QianHou->isVisible(); }
    QString Result() const { return ui->CResult[1]->text(); }
};

} // namespace

class TestOffsetFrame : public QObject {
    Q_OBJECT

private slots:
    void confirmByClick_data() {
        QTest::addColumn<QString>("base");
        QTest::addColumn<QString>("count");
        QTest::addColumn<QString>("result"); // date, weekday and wording; no date: stopped silently
        const QString base = "2013/1/20", failed = Unknown + "(星期？)天之后是：";
        QTest::newRow("after") << base << QString("100") << "2013/4/30(星期二)天之后是：";
        QTest::newRow("before") << base << QString("-10") << "2013/1/10(星期四)天之前是：";
        QTest::newRow("zero") << base << QString("0") << "2013/1/20(星期日)天之后是：";
        QTest::newRow("minus zero") << base << QString("-0") << "2013/1/20(星期日)天之后是：";
        for (const char* notANumber : {"-", ".", "-."})
            QTest::newRow(notANumber) << base << notANumber << failed;
        QTest::newRow("no base date") << QString("选择日期") << QString("50") << failed;
        QTest::newRow("beyond 9999") << QString("9999/12/31") << QString("1") << failed;
    }

    void confirmByClick() {
        QFETCH(QString, base);
        QFETCH(QString, count);
        QFETCH(QString, result);
        OffsetFrame f(base);
        f.Box()->clear();
        f.Box()->setText(count);
        QVERIFY(f.Pending());
        Click(f.ui->Command1);
        const QString date = f.Result(), weekday = f.ui->ChooseWeek[0]->text(),
                      wording = f.ui->QianHou->text();
        QCOMPARE(date + weekday + wording, result);
        QCOMPARE(f.Box()->text(), wording == Before ? count.mid(1) : count); // "before" drops the minus
        // The entry is built from the texts shown: "2013/1/20(星期日)的10天之前是：2013/1/10(星期四)".
        const QString entry = base + "(星期日)的" + f.Box()->text() + wording + date + weekday;
        QCOMPARE(f->HistoryList().Slot(0), date == Unknown ? QString() : entry);
        QVERIFY(!f.ui->Command1->isVisible() && f.ui->QianHou->isVisible());
        QVERIFY(f.platform.Boxes().isEmpty());
    }

    void keyRules() {
        OffsetFrame f;
        QTest::keyClick(f.Box(), Qt::Key_Return); // nothing pending
        QVERIFY(!f.ui->Command1->isVisible());
        // A misplaced minus goes at the next key of any kind.
        const std::pair<Qt::Key, const char*> nextKeys[] = {
            {Qt::Key_7, "57"}, {Qt::Key_Backspace, ""}, {Qt::Key_Left, "5"}, {Qt::Key_Return, "5"}};
        for (auto [key, text] : nextKeys) {
            f.Box()->clear();
            QTest::keyClicks(f.Box(), "5-");
            QCOMPARE(f.Box()->text(), "5-");
            QTest::keyClick(f.Box(), key);
            QCOMPARE(f.Box()->text(), text);
            QCOMPARE(f.Result(), key == Qt::Key_Return ? "2013/1/25" : Unknown);
            QCOMPARE(f.Pending(), key != Qt::Key_Return);
        }
        QTest::keyClicks(f.Box(), "a +,Z"); // only count keys are typed
        QVERIFY(!f.ui->Command1->isVisible());
        QTest::keyClicks(f.Box(), "0");
        QVERIFY(f.Pending());
        QTest::keyClick(f.Box(), Qt::Key_Enter);
        QCOMPARE(f.Result(), "2013/3/11");
        f.Box()->clear();
        QTest::keyClicks(f.Box(), "-1.345"); // no sixth character
        QCOMPARE(f.Box()->text(), "-1.34");
        QVERIFY(f.platform.messages.isEmpty());
        // An empty count warns, confirmed by a click or by Enter after two minus signs.
        f.Box()->clear();
        Click(f.ui->Command1);
        QTest::keyClicks(f.Box(), "--");
        QCOMPARE(f.Box()->text(), "--");
        QTest::keyClick(f.Box(), Qt::Key_Return); // the minus signs go first
        QCOMPARE(f.Box()->text(), QString());
        const QString warning = "W Brenmoor: 请输入天数！（可为负数）";
        QCOMPARE(f.platform.Boxes(), QStringList({warning, warning}));
        QVERIFY(f.Pending());
        QCOMPARE(f.Result(), "2013/3/11"); // left as it was
    }
};

QTEST_MAIN(TestOffsetFrame)
#include "tst_offset_frame.moc"
