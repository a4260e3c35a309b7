// Dragging the picker panel by its title bar, the snap back inside the window, and the close glyph.
#include "support/PickerDriver.h"

#include "ui/Frame.h"
#include "ui/Label.h"
#include "ui/Twips.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>

using namespace PickerDriver;

namespace {

// Where the title is grabbed: about (100, 50) twips inside it.
const QPoint Grab = Twips::Point(100, 50);
const QPoint Home = Twips::Point(705, 1140);

// QTest's own moves carry no buttons; a drag needs them.
void MoveWithButtons(QWidget* label, QPoint position, Qt::MouseButtons buttons) {
    QMouseEvent move(QEvent::MouseMove, position, label->mapToGlobal(position), Qt::NoButton, buttons,
                     Qt::NoModifier);
    QApplication::sendEvent(label, &move);
}

QColor TextColour(const QWidget* label) {
    return label->palette().color(QPalette::WindowText);
}

} // namespace

class TestPickerDrag : public QObject {
    Q_OBJECT
private slots:
    void dragThenSnapInside_data();
    void dragThenSnapInside();
    void onlyTheLeftButtonAloneDrags_data();
    void onlyTheLeftButtonAloneDrags();
    void closeGlyph();
    void reopensAtHomeAfterDrag();
};

void TestPickerDrag::dragThenSnapInside_data() {
    QTest::addColumn<QPoint>("shift");
    QTest::addColumn<QPoint>("released");
    QTest::newRow("300 twips right") << QPoint(20, 0) << Home + QPoint(20, 0);
    QTest::newRow("past the left edge") << QPoint(-100, 5) << QPoint(0, Home.y() + 5);
    QTest::newRow("past the top edge") << QPoint(4, -200) << QPoint(Home.x() + 4, 0);
    QTest::newRow("past the right edge")
        << QPoint(200, 0) << QPoint(Twips::ToPixels(4920 - 3200 - 90), Home.y());
    // The bottom limit depends on the window's outer height: -1 stands for it.
    QTest::newRow("past the bottom edge") << QPoint(0, 300) << QPoint(Home.x(), -1);
    QTest::newRow("past both far edges") << QPoint(300, 300) << QPoint(Twips::ToPixels(4920 - 3200 - 90), -1);
}

void TestPickerDrag::dragThenSnapInside() {
    QFETCH(QPoint, shift);
    QFETCH(QPoint, released);
    ActiveWindow w;
    const ControlTree& ui = w.ui;
    if (released.y() == -1)
        released.setY(Twips::ToPixels(Twips::FromPixels(w->frameGeometry().height()) - 3600 - 400));
    Label* title = ui.LblTitle[0];
    QWidget* panel = ui.FrCalendar;
    Click(ui.ChooseDate[1]);
    QCOMPARE(panel->pos(), Home);

    QTest::mousePress(title, Qt::LeftButton, {}, Grab);
    // Two steps: each move is measured from where the panel stands now. No limits while dragging.
    MoveWithButtons(title, Grab + shift / 2, Qt::LeftButton);
    MoveWithButtons(title, Grab + shift - shift / 2, Qt::LeftButton);
    QCOMPARE(panel->pos(), Home + shift);
    QTest::mouseRelease(title, Qt::LeftButton, {}, Grab + shift - shift / 2);

    QCOMPARE(panel->pos(), released);
    QVERIFY(w->PickerOpen());
}

void TestPickerDrag::onlyTheLeftButtonAloneDrags_data() {
    QTest::addColumn<bool>("alsoLeft");
    QTest::newRow("right button") << false;
    QTest::newRow("left and right buttons") << true;
}

void TestPickerDrag::onlyTheLeftButtonAloneDrags() {
    QFETCH(bool, alsoLeft);
    ActiveWindow w;
    const ControlTree& ui = w.ui;
    Label* title = ui.LblTitle[0];
    QWidget* panel = ui.FrCalendar;
    Click(ui.ChooseDate[1]);
    QCOMPARE(TextColour(title), QColor(255, 255, 192));

    if (alsoLeft)
        QTest::mousePress(title, Qt::LeftButton, {}, Grab);
    QTest::mousePress(title, Qt::RightButton, {}, Grab);
    QCOMPARE(TextColour(title), QColor(Qt::black));
    const Qt::MouseButtons held = alsoLeft ? Qt::LeftButton | Qt::RightButton : Qt::RightButton;
    MoveWithButtons(title, Grab + QPoint(20, 10), held);
    QCOMPARE(panel->pos(), Home);

    QTest::mouseRelease(title, Qt::RightButton, {}, Grab + QPoint(20, 10));
    QCOMPARE(TextColour(title), QColor(Qt::white));
    if (alsoLeft)
        QTest::mouseRelease(title, Qt::LeftButton, {}, Grab + QPoint(20, 10));
    QCOMPARE(panel->pos(), Home);
    QVERIFY(w->PickerOpen());
}

void TestPickerDrag::closeGlyph() {
    ActiveWindow w;
    const ControlTree& ui = w.ui;
    Label* glyph = ui.LblTitle[1];
    QWidget* panel = ui.FrCalendar;
    Click(ui.ChooseDate[2]);

    QTest::mousePress(glyph, Qt::LeftButton);
    QCOMPARE(TextColour(glyph), QColor(Qt::red));
    QVERIFY(!glyph->IsBold());
    // A press on the glyph arms no drag.
    MoveWithButtons(glyph, glyph->rect().center() + QPoint(-5, 5), Qt::LeftButton);
    QCOMPARE(panel->pos(), Home);
    QVERIFY(w->PickerOpen());

    QTest::mouseRelease(glyph, Qt::LeftButton);
    QCOMPARE(TextColour(glyph), QColor(Qt::white));
    QVERIFY(glyph->IsBold());
    QCOMPARE(TextColour(ui.LblTitle[0]), QColor(Qt::white));
    QVERIFY(!w->PickerOpen());
    QVERIFY(ui.Fr[1]->isEnabled() && ui.Fr[2]->isEnabled());
    QCOMPARE(ui.ChooseDate[2]->text(), QStringLiteral("选择日期"));
}

void TestPickerDrag::reopensAtHomeAfterDrag() {
    ActiveWindow w;
    const ControlTree& ui = w.ui;
    Label* title = ui.LblTitle[0];
    Click(ui.ChooseDate[1]);
    QTest::mousePress(title, Qt::LeftButton, {}, Grab);
    MoveWithButtons(title, Grab + QPoint(25, 30), Qt::LeftButton);
    QTest::mouseRelease(title, Qt::LeftButton, {}, Grab + QPoint(25, 30));
    QVERIFY(ui.FrCalendar->pos() != Home);
    Click(ui.cmdcancel);

    Click(ui.ChooseDate[3]);
    QCOMPARE(ui.FrCalendar->pos(), QPoint(47, 76));
}

QTEST_MAIN(TestPickerDrag)
#include "tst_picker_drag.moc"
