#include "support/WindowFixture.h"

#include "ui/DayCountBox.h"
#include "ui/Label.h"

#include <QPushButton>
#include <QtTest>

// The date-offset frame driven as a user does: a base date in ChooseDate_1, a count typed or set
// in HowmuchDays, confirmed with Enter or a click on Command1.
namespace {

const QString Unknown = QStringLiteral("\?\?\?\?/\?\?/\?\?");
const QString After = QStringLiteral("天之后是：");

struct OffsetFrame : WindowFixture {
    const ControlTree* c = nullptr;

    explicit OffsetFrame(const QString& base = QStringLiteral("2013/1/20")) {
        c = &Start().Controls();
        c->ChooseDate[1]->SetCaption(base);
        c->ChooseWeek[1]->SetCaption(QStringLiteral("(星期日)"));
        c->HowmuchDays->setFocus();
    }
    DayCountBox* Box() const { return c->HowmuchDays; }
    bool CommandShown() const { return c->Command1->isVisible(); }
    bool WordingShown() const { return c->QianHou->isVisible(); }
};

} // namespace

class OffsetFrameTest : public QObject {
    Q_OBJECT
private slots:
    void confirmByClick_data();
    void confirmByClick();
    void emptyCountWarns_data();
    void emptyCountWarns();
    void enterConfirmsOnlyPendingInput();
    void onlyCountKeysAreTyped();
    void misplacedMinusGoesAtNextKey_data();
    void misplacedMinusGoesAtNextKey();
};

void OffsetFrameTest::confirmByClick_data() {
    QTest::addColumn<QString>("base");
    QTest::addColumn<QString>("count");
    QTest::addColumn<QString>("result");
    QTest::addColumn<QString>("wording");
    QTest::addColumn<QString>("weekday");
    QTest::addColumn<QString>("boxAfter");
    QTest::addColumn<QString>("entry"); // empty: the calculation fails and adds nothing

    const auto row = [](const char* tag, const QString& base, const QString& count, const QString& result,
                        const QString& wording, const QString& weekday, const QString& boxAfter,
                        const QString& entry) {
        QTest::newRow(tag) << base << count << result << wording << weekday << boxAfter << entry;
    };
    const QString base = QStringLiteral("2013/1/20");
    row("after", base, "100", "2013/4/30", After, "(星期二)", "100",
        "2013/1/20(星期日)的100天之后是：2013/4/30(星期二)");
    row("before", base, "-10", "2013/1/10", "天之前是：", "(星期四)", "10",
        "2013/1/20(星期日)的10天之前是：2013/1/10(星期四)");
    row("zero", base, "0", base, After, "(星期日)", "0", "2013/1/20(星期日)的0天之后是：2013/1/20(星期日)");
    row("minus zero", base, "-0", base, After, "(星期日)", "-0",
        "2013/1/20(星期日)的-0天之后是：2013/1/20(星期日)");
    for (const char* notANumber : {"-", ".", "-."})
        row(notANumber, base, notANumber, Unknown, After, "(星期？)", notANumber, "");
    row("no base date", "选择日期", "50", Unknown, After, "(星期？)", "50", "");
    row("beyond 9999", "9999/12/31", "1", Unknown, After, "(星期？)", "1", "");
}

void OffsetFrameTest::confirmByClick() {
    QFETCH(QString, base);
    QFETCH(QString, count);
    QFETCH(QString, result);
    QFETCH(QString, wording);
    QFETCH(QString, weekday);
    QFETCH(QString, boxAfter);
    QFETCH(QString, entry);
    OffsetFrame f(base);
    f.Box()->clear();
    f.Box()->setText(count);
    QVERIFY(f.CommandShown());
    QTest::mouseClick(f.c->Command1, Qt::LeftButton);

    QCOMPARE(f.c->CResult[1]->text(), result);
    QCOMPARE(f.c->QianHou->text(), wording);
    QCOMPARE(f.c->ChooseWeek[0]->text(), weekday);
    QCOMPARE(f.Box()->text(), boxAfter);
    QCOMPARE(f.window->HistoryList().Slot(0), entry);
    // Also after the box's own change inside the calculation.
    QVERIFY(!f.CommandShown());
    QVERIFY(f.WordingShown());
    QVERIFY(f.platform.messages.isEmpty());
}

void OffsetFrameTest::emptyCountWarns_data() {
    QTest::addColumn<bool>("byKeys");
    QTest::newRow("click on emptied box") << false;
    QTest::newRow("two minus signs, then Enter") << true;
}

void OffsetFrameTest::emptyCountWarns() {
    QFETCH(bool, byKeys);
    OffsetFrame f;
    f.Box()->clear();
    if (byKeys) {
        QTest::keyClicks(f.Box(), "--");
        QCOMPARE(f.Box()->text(), QStringLiteral("--"));
        QTest::keyClick(f.Box(), Qt::Key_Return);
        QCOMPARE(f.Box()->text(), QString());
    } else {
        QTest::mouseClick(f.c->Command1, Qt::LeftButton);
    }
    QCOMPARE(f.platform.messages.size(), 1);
    QCOMPARE(f.platform.messages[0].icon, Platform::Icon::Warning);
    QCOMPARE(f.platform.messages[0].title, QStringLiteral("Brenmoor"));
    QCOMPARE(f.platform.messages[0].text, QStringLiteral("请输入天数！（可为负数）"));
    QVERIFY(f.CommandShown());
    QVERIFY(!f.WordingShown());
    QCOMPARE(f.c->CResult[1]->text(), Unknown);
}

void OffsetFrameTest::enterConfirmsOnlyPendingInput() {
    OffsetFrame f;
    QTest::keyClick(f.Box(), Qt::Key_Return);
    QCOMPARE(f.c->CResult[1]->text(), Unknown);
    QVERIFY(!f.CommandShown());

    QTest::keyClicks(f.Box(), "5");
    QCOMPARE(f.Box()->text(), QStringLiteral("1005"));
    QVERIFY(f.CommandShown());
    QVERIFY(!f.WordingShown());
    QTest::keyClick(f.Box(), Qt::Key_Enter);
    QCOMPARE(f.c->CResult[1]->text(), QStringLiteral("2015/10/22"));
    QVERIFY(!f.CommandShown());
    QVERIFY(f.WordingShown());
}

void OffsetFrameTest::onlyCountKeysAreTyped() {
    OffsetFrame f;
    QTest::keyClicks(f.Box(), "a +,Z");
    QCOMPARE(f.Box()->text(), QStringLiteral("100"));
    QVERIFY(!f.CommandShown());
    f.Box()->clear();
    QTest::keyClicks(f.Box(), "-1.345");
    QCOMPARE(f.Box()->text(), QStringLiteral("-1.34"));
}

void OffsetFrameTest::misplacedMinusGoesAtNextKey_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("confirmed");
    QTest::newRow("digit") << int(Qt::Key_7) << "57" << false;
    QTest::newRow("backspace") << int(Qt::Key_Backspace) << "" << false;
    QTest::newRow("arrow") << int(Qt::Key_Left) << "5" << false;
    QTest::newRow("enter") << int(Qt::Key_Return) << "5" << true;
}

void OffsetFrameTest::misplacedMinusGoesAtNextKey() {
    QFETCH(int, key);
    QFETCH(QString, text);
    QFETCH(bool, confirmed);
    OffsetFrame f;
    f.Box()->clear();
    QTest::keyClicks(f.Box(), "5-");
    QCOMPARE(f.Box()->text(), QStringLiteral("5-"));
    QTest::keyClick(f.Box(), Qt::Key(key));
    QCOMPARE(f.Box()->text(), text);
    QCOMPARE(f.CommandShown(), !confirmed);
    QCOMPARE(f.c->CResult[1]->text(), confirmed ? QStringLiteral("2013/1/25") : Unknown);
}

QTEST_MAIN(OffsetFrameTest)
#include "tst_offset_frame.moc"
