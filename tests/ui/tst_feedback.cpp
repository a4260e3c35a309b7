// Hover weight, the copy tooltip and the colour blink of a new history entry.
#include "support/PickerDriver.h"

#include "ui/Label.h"

#include <QTest>
#include <QTextDocument>
#include <QThread>
#include <QTimer>

using PickerDriver::ActiveWindow;

namespace {

// Moves the pointer, without buttons, to a point of the window where `target` takes the pointer; a
// decoration that never takes it stands for the bare surface of its frame.
void Hover(MainWindow& window, QWidget* target) {
    QWidget* receiver =
        target->testAttribute(Qt::WA_TransparentForMouseEvents) ? target->parentWidget() : target;
    for (int y = 0; y < target->height(); ++y)
        for (int x = 0; x < target->width(); x += 2) {
            const QPoint point = target->mapTo(&window, QPoint(x, y));
            if (window.childAt(point) == receiver) {
                // A move to where the pointer already is would be dropped: come from the window's corner.
                QTest::mouseMove(window.windowHandle(), QPoint(1, 1));
                QTest::mouseMove(window.windowHandle(), point);
                return;
            }
        }
    QFAIL(qPrintable(QStringLiteral("nowhere to hover over %1").arg(target->objectName())));
}

QColor TextColour(const QWidget* label) {
    return label->palette().color(QPalette::WindowText);
}

// The blink's palette colours by index.
QColor Palette(int index) {
    static const QHash<int, QColor> colours = {{1, QColor(0, 0, 128)},   {3, QColor(0, 128, 128)},
                                               {5, QColor(128, 0, 128)}, {8, QColor(128, 128, 128)},
                                               {10, QColor(0, 255, 0)},  {12, QColor(255, 0, 0)},
                                               {14, QColor(255, 255, 0)}};
    return colours.value(index);
}

const QColor HistoryColour(0, 128, 128);

QStringList Entries(int count) {
    QStringList entries;
    for (int k = 0; k < count; ++k)
        entries << QStringLiteral("第%1条记录").arg(k);
    return entries;
}

} // namespace

class TestFeedback : public QObject {
    Q_OBJECT
private slots:
    void hoverBoldUntilOwnFrameSurface_data();
    void hoverBoldUntilOwnFrameSurface();
    void copyTooltipShowsEntryLiterally_data();
    void copyTooltipShowsEntryLiterally();
    void blinkRunsTheCycleAndContinuesFromTag();
    void newEntryTakesOverTheBlink();
};

void TestFeedback::hoverBoldUntilOwnFrameSurface_data() {
    QTest::addColumn<QStringList>("labels");
    QTest::addColumn<QString>("elsewhere");
    QTest::addColumn<QString>("ownSurface");
    // The separator lines are bare surface of the history panel.
    QTest::newRow("history entries") << QStringList{"History_0", "History_3"} << QStringLiteral("Fr_1")
                                     << QStringLiteral("Line1_0");
    QTest::newRow("offset date") << QStringList{"ChooseDate_1"} << QStringLiteral("Fr_0")
                                 << QStringLiteral("Fr_1");
    QTest::newRow("day-count dates") << QStringList{"ChooseDate_2", "ChooseDate_3"} << QStringLiteral("yu")
                                     << QStringLiteral("Fr_2");
}

void TestFeedback::hoverBoldUntilOwnFrameSurface() {
    QFETCH(QStringList, labels);
    QFETCH(QString, elsewhere);
    QFETCH(QString, ownSurface);
    ActiveWindow w(Entries(8));

    for (const QString& name : labels) {
        auto* label = w->findChild<Label*>(name);
        QVERIFY(!label->IsBold());
        Hover(w.window, label);
        QVERIFY2(label->IsBold(), qPrintable(name));
    }
    Hover(w.window, w->findChild<QWidget*>(elsewhere));
    for (const QString& name : labels)
        QVERIFY2(w->findChild<Label*>(name)->IsBold(), qPrintable(name));

    Hover(w.window, w->findChild<QWidget*>(ownSurface));
    for (const QString& name : labels)
        QVERIFY2(!w->findChild<Label*>(name)->IsBold(), qPrintable(name));
}

void TestFeedback::copyTooltipShowsEntryLiterally_data() {
    QTest::addColumn<QString>("entry");
    QTest::newRow("result") << "2013/1/20(星期日)的100天之后是：2013/4/30(星期二)";
    QTest::newRow("markup") << "<b>x</b>";
    QTest::newRow("markup and spaces") << "a  <i>b</i>  &amp;";
}

void TestFeedback::copyTooltipShowsEntryLiterally() {
    QFETCH(QString, entry);
    ActiveWindow w({QStringLiteral("前一条"), entry});
    const ControlTree& ui = w.ui;
    Label* label = ui.History[1];
    QVERIFY(label->toolTip().isEmpty());

    Hover(w.window, label);

    const QString tip = label->toolTip();
    QString shown = tip;
    if (Qt::mightBeRichText(tip)) {
        QTextDocument document;
        document.setHtml(tip);
        shown = document.toPlainText();
    }
    QCOMPARE(shown, QStringLiteral("点击复制:") + entry);
}

void TestFeedback::blinkRunsTheCycleAndContinuesFromTag() {
    // Slot 7 is the only free one: every entry of this test blinks on History(7).
    ActiveWindow w(Entries(7));
    const ControlTree& ui = w.ui;
    QTimer* step = ui.T_ShanShuo[0];
    QTimer* stop = ui.T_ShanShuo[1];
    Label* label = ui.History[7];
    QVERIFY(!step->isActive() && !stop->isActive());

    w->AddHistory(1);
    QCOMPARE(w->HistoryList().ShanShuoIndex(), 7);
    QVERIFY(step->isActive());
    QVERIFY(!stop->isActive());

    const QList<int> cycle = {1, 3, 5, 8, 10, 12, 14, 1, 3, 5, 8, 10, 12};
    int stopRemaining = 0;
    for (int i = 0; i < cycle.size(); ++i) {
        w->ShanShuoTick(0);
        QCOMPARE(label->property("Tag").toString(), QString::number(cycle[i]));
        QCOMPARE(TextColour(label), Palette(cycle[i]));
        QVERIFY(stop->isActive());
        if (i == 0) {
            stopRemaining = stop->remainingTime();
            // No events run while sleeping, so no timer can fire in between.
            QThread::msleep(40);
        } else if (i == 1) {
            QVERIFY2(stop->remainingTime() <= stopRemaining - 30, "the stop timer was restarted");
        }
    }

    w->ShanShuoTick(1);
    QCOMPARE(TextColour(label), HistoryColour);
    QVERIFY(!step->isActive() && !stop->isActive());
    QCOMPARE(label->property("Tag").toString(), QStringLiteral("12"));

    // The full list shifts: the next entry blinks on the same label, from where its cycle stood.
    w->AddHistory(2);
    QCOMPARE(w->HistoryList().ShanShuoIndex(), 7);
    QVERIFY(step->isActive());
    for (int expected : {14, 1}) {
        w->ShanShuoTick(0);
        QCOMPARE(label->property("Tag").toString(), QString::number(expected));
        QCOMPARE(TextColour(label), Palette(expected));
    }
}

void TestFeedback::newEntryTakesOverTheBlink() {
    ActiveWindow w;
    const ControlTree& ui = w.ui;
    Label* first = ui.History[0];
    Label* second = ui.History[1];
    w->AddHistory(1);
    for (int i = 0; i < 3; ++i)
        w->ShanShuoTick(0);
    QCOMPARE(TextColour(first), Palette(5));

    w->AddHistory(2);
    QCOMPARE(w->HistoryList().ShanShuoIndex(), 1);
    QVERIFY(ui.T_ShanShuo[1]->isActive());
    w->ShanShuoTick(0);
    QCOMPARE(TextColour(second), Palette(1));
    QCOMPARE(first->property("Tag").toString(), QStringLiteral("5"));

    w->ShanShuoTick(1);
    QCOMPARE(TextColour(second), HistoryColour);
    QCOMPARE(TextColour(first), Palette(5));
}

QTEST_MAIN(TestFeedback)
#include "tst_feedback.moc"
