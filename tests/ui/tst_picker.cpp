#include "support/WindowFixture.h"

#include "core/DateText.h"
#include "ui/Twips.h"

#include <QApplication>
#include <QMouseEvent>

// The picker panel end to end through real clicks and keys, and dragging it by its title bar.
namespace {

const QPoint Grab = Twips::Point(100, 50); // where the title is grabbed
const QPoint Home = Twips::Point(705, 1140);

// QTest's own moves carry no buttons; a drag needs them.
void MoveWithButtons(QWidget* label, QPoint position, Qt::MouseButtons buttons) {
    QMouseEvent move(QEvent::MouseMove, position, label->mapToGlobal(position), Qt::NoButton, buttons, {});
    QApplication::sendEvent(label, &move);
}

// Closed, with both frames usable again and no key going to a control of the hidden panel.
bool ClosedCleanly(const WindowFixture& w) {
    return !w->PickerOpen() && w.ui->Fr[1]->isEnabled() && w.ui->Fr[2]->isEnabled() &&
           (!w->focusWidget() || w->focusWidget()->isVisible());
}

QString Field(const WindowFixture& w, int k) {
    return w.ui->ChooseDate[k]->text() + w.ui->ChooseWeek[k]->text();
}

void ClickDay(const WindowFixture& w, int day) {
    Click(w.ui->lblnumber.at(day - 1));
}

// Opens the picker from ChooseDate(field), browses to the date and clicks its day, which gives the
// confirm button the focus; `confirm` pressed there confirms.
void ChooseDate(const WindowFixture& w, int field, QDate date, Qt::Key confirm = Qt::Key_Return) {
    Click(w.ui->ChooseDate.at(field));
    w.ui->cboyear->setCurrentIndex(date.year() - MonthGrid::FirstYear);
    w.ui->cbomonth->setCurrentIndex(date.month() - 1);
    ClickDay(w, date.day());
    QTest::keyClick(QApplication::focusWidget(), confirm);
}

} // namespace

class TestPicker : public QObject {
    Q_OBJECT

private slots:
    void offsetCalculation() {
        WindowFixture w;
        ChooseDate(w, 1, QDate(2013, 1, 20));
        QCOMPARE(Field(w, 1) + " " + w.ui->CResult[1]->text() + w.ui->ChooseWeek[0]->text(),
                 "2013/1/20(星期日) 2013/4/30(星期二)");
        QCOMPARE(w.ui->History[0]->text(), "2013/1/20(星期日)的100天之后是：2013/4/30(星期二)");
        QVERIFY(ClosedCleanly(w));
        // Confirming the date the field shows recalculates nothing, not even a new count.
        w.ui->HowmuchDays->setText("5");
        Click(w.ui->ChooseDate[1]);
        Click(w.ui->cmdok);
        QVERIFY(ClosedCleanly(w));
        QCOMPARE(w.ui->CResult[1]->text(), "2013/4/30");
        QVERIFY(w.ui->History[1]->text().isEmpty());
    }

    void dayCount_data() {
        QTest::addColumn<QDate>("first");
        QTest::addColumn<QDate>("second");
        QTest::addColumn<QString>("entry");
        QTest::newRow("forwards") << QDate(2013, 1, 1) << QDate(2013, 2, 1)
                                  << "2013/1/1(星期二)与2013/2/1(星期五)相差（31）天";
        QTest::newRow("backwards") << QDate(2013, 2, 1) << QDate(2013, 1, 1)
                                   << "2013/2/1(星期五)与2013/1/1(星期二)相差（-31）天";
        QTest::newRow("whole year range") << QDate(1960, 1, 1) << QDate(2099, 12, 31)
                                          << "1960/1/1(星期五)与2099/12/31(星期四)相差（51134）天";
    }
    void dayCount() {
        QFETCH(QDate, first);
        QFETCH(QDate, second);
        QFETCH(QString, entry);
        WindowFixture w;
        ChooseDate(w, 2, first); // one date alone calculates nothing
        QCOMPARE(w.ui->CResult[2]->text() + w.ui->History[0]->text(), "相差（?）天");
        ChooseDate(w, 3, second, Qt::Key_Enter);
        QCOMPARE(Field(w, 2) + "与" + Field(w, 3) + w.ui->CResult[2]->text(), entry);
        QCOMPARE(w.ui->History[0]->text() + w.ui->History[1]->text(), entry);
    }

    void emptyDayCountWarnsBeforeClosing() {
        WindowFixture w;
        w.ui->HowmuchDays->clear();
        QString seenDuringWarning;
        w.platform.onMessage = [&](const FakePlatform::Message&) {
            seenDuringWarning = Field(w, 1) + (w->PickerOpen() ? " open" : " closed");
        };
        ChooseDate(w, 1, QDate(2013, 3, 8), Qt::Key_Space);
        QCOMPARE(w.platform.Boxes(), QStringList{"W Brenmoor: 请输入天数！（可为负数）"});
        QCOMPARE(seenDuringWarning, "2013/3/8(星期五) open");
        QCOMPARE(w.ui->CResult[1]->text() + w.ui->History[0]->text(), "\?\?\?\?/\?\?/\?\?");
        QVERIFY(ClosedCleanly(w));
    }

    void monthLength_data() {
        QTest::addColumn<QDate>("last");
        QTest::newRow("February 2000") << QDate(2000, 2, 29);
        QTest::newRow("February 2013") << QDate(2013, 2, 28);
        QTest::newRow("February 2096") << QDate(2096, 2, 29);
        QTest::newRow("February 2099") << QDate(2099, 2, 28);
        QTest::newRow("April") << QDate(2013, 4, 30);
    }
    void monthLength() {
        QFETCH(QDate, last);
        WindowFixture w;
        Click(w.ui->ChooseDate[1]);
        w.ui->cboyear->setCurrentIndex(last.year() - MonthGrid::FirstYear);
        ClickDay(w, 31); // in January
        w.ui->cbomonth->setCurrentIndex(last.month() - 1);
        for (int day = 1; day <= MonthGrid::CellCount; ++day)
            QVERIFY2(w.ui->lblnumber[day - 1]->isVisible() == (day <= last.day()),
                     qPrintable(QString::number(day)));
        // A day beyond the month's end never reaches a field: the month's last day does.
        Click(w.ui->cmdok);
        QCOMPARE(Field(w, 1), DateText::Format(last) + DateText::WeekdayText(last));
    }

    void closingChangesNothing_data() {
        QTest::addColumn<QString>("how"); // the control clicked, or Esc pressed on the named one
        QTest::newRow("cancel button") << "cmdcancel";
        QTest::newRow("close glyph") << "LblTitle_1";
        QTest::newRow("Esc on the confirm button") << "Esc cmdok";
        QTest::newRow("Esc on the month list") << "Esc cbomonth";
    }
    void closingChangesNothing() {
        QFETCH(QString, how);
        WindowFixture w;
        ChooseDate(w, 1, QDate(2013, 1, 20));
        const auto texts = [&w] { return Field(w, 1) + w.ui->CResult[1]->text() + w.ui->History[1]->text(); };
        const QString before = texts();
        Click(w.ui->ChooseDate[1]);
        w.ui->cboyear->setCurrentIndex(2015 - MonthGrid::FirstYear);
        QCOMPARE(QApplication::focusWidget(), w.ui->cbomonth); // after a year change
        w.ui->cbomonth->setCurrentIndex(5);
        ClickDay(w, 10);
        if (how.startsWith("Esc ")) {
            w.Control(how.mid(4))->setFocus();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        } else {
            Click(w.Control(how));
        }
        QVERIFY(ClosedCleanly(w));
        QCOMPARE(texts(), before);
        // The next opening, from any field, shows what was browsed; confirming takes it.
        Click(w.ui->ChooseDate[3]);
        Click(w.ui->cmdok);
        QCOMPARE(Field(w, 3), "2015/6/10(星期三)");
    }

    void dragThenSnapInside_data() {
        QTest::addColumn<QPoint>("shift");
        QTest::addColumn<QPoint>("released"); // y -1: the bottom limit, from the window's outer height
        QTest::newRow("300 twips right") << QPoint(20, 0) << Home + QPoint(20, 0);
        QTest::newRow("past the left edge") << QPoint(-100, 5) << QPoint(0, Home.y() + 5);
        QTest::newRow("past the top edge") << QPoint(4, -200) << QPoint(Home.x() + 4, 0);
        QTest::newRow("past the right edge") << QPoint(200, 0) << Twips::Point(4920 - 3200 - 90, 1140);
        QTest::newRow("past the bottom edge") << QPoint(0, 300) << QPoint(Home.x(), -1);
    }
    void dragThenSnapInside() {
        QFETCH(QPoint, shift);
        QFETCH(QPoint, released);
        WindowFixture w;
        if (released.y() == -1)
            released.setY(Twips::ToPixels(Twips::FromPixels(w->frameGeometry().height()) - 3600 - 400));
        Label* title = w.ui->LblTitle[0];
        Click(w.ui->ChooseDate[1]);
        QCOMPARE(w.ui->FrCalendar->pos(), Home);
        QTest::mousePress(title, Qt::LeftButton, {}, Grab);
        // Each move counts from where the panel stands now; no limits while dragging.
        MoveWithButtons(title, Grab + shift / 2, Qt::LeftButton);
        MoveWithButtons(title, Grab + shift - shift / 2, Qt::LeftButton);
        QCOMPARE(w.ui->FrCalendar->pos(), Home + shift);
        QTest::mouseRelease(title, Qt::LeftButton, {}, Grab + shift - shift / 2);
        QCOMPARE(w.ui->FrCalendar->pos(), released);
        QVERIFY(w->PickerOpen());
        Click(w.ui->cmdcancel); // dragged elsewhere, it reopens at home
        Click(w.ui->ChooseDate[3]);
        QCOMPARE(w.ui->FrCalendar->pos(), Home);
    }

    void titleBarButtons() {
        WindowFixture w;
        Label* title = w.ui->LblTitle[0];
        Label* glyph = w.ui->LblTitle[1];
        Click(w.ui->ChooseDate[2]);
        QCOMPARE(TextColour(title), QColor(255, 255, 192));
        // The close glyph: red and thin while pressed; released, it and the title turn white and it closes.
        QTest::mousePress(glyph, Qt::LeftButton);
        QVERIFY(TextColour(glyph) == Qt::red && !glyph->IsBold());
        QTest::mouseRelease(glyph, Qt::LeftButton);
        QVERIFY(TextColour(glyph) == Qt::white && glyph->IsBold() && TextColour(title) == Qt::white);
        QVERIFY(ClosedCleanly(w));
        QCOMPARE(w.ui->ChooseDate[2]->text(), "选择日期");
        // The right button alone, or with the left one (buttons 3), drags nothing.
        Click(w.ui->ChooseDate[2]);
        for (Qt::MouseButtons held : {Qt::MouseButtons(Qt::RightButton), Qt::LeftButton | Qt::RightButton}) {
            if (held & Qt::LeftButton)
                QTest::mousePress(title, Qt::LeftButton, {}, Grab);
            QTest::mousePress(title, Qt::RightButton, {}, Grab);
            QCOMPARE(TextColour(title), QColor(Qt::black));
            MoveWithButtons(title, Grab + QPoint(20, 10), held);
            QTest::mouseRelease(title, Qt::RightButton, {}, Grab + QPoint(20, 10));
            QCOMPARE(TextColour(title), QColor(Qt::white));
            QCOMPARE(w.ui->FrCalendar->pos(), Home);
        }
        QTest::mouseRelease(title, Qt::LeftButton, {}, Grab + QPoint(20, 10));
        QCOMPARE(w.ui->FrCalendar->pos(), Home);
    }
};

QTEST_MAIN(TestPicker)
#include "tst_picker.moc"
