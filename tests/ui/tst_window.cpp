#include "support/WindowFixture.h"

#include "ui/Decoration.h"
#include "ui/HistoryPanel.h"

#include <QAbstractItemView>
#include <QStyle>

// The window as it first appears and as a user sees it; the clock line, time page and About box.
namespace {

// Every shown control stands apart from its shown neighbours, and every label's text lies whole
// inside its label and inside the window.
QStringList LayoutFaults(QWidget* window) {
    QStringList faults;
    const auto shown = [](QObject* o) {
        auto* w = qobject_cast<QWidget*>(o);
        return w && w->isVisible() && !qobject_cast<Decoration*>(w) ? w : nullptr;
    };
    for (QWidget* control : window->findChildren<QWidget*>()) {
        if (!shown(control))
            continue;
        // The picker pops up over the frames; the title bar and its close glyph share a pixel column.
        for (QObject* sibling : control->parentWidget()->children()) {
            QWidget* other = shown(sibling);
            const QRect both = other ? control->geometry().intersected(other->geometry()) : QRect();
            if (other && other != control && both.width() > 1 &&
                !other->objectName().startsWith("FrCalendar") && control->objectName() != "FrCalendar")
                faults << control->objectName() + " overlaps " + sibling->objectName();
        }
        if (auto* label = qobject_cast<QLabel*>(control)) {
            const QFontMetrics metrics = label->fontMetrics();
            const QRect text = QStyle::alignedRect(
                Qt::LeftToRight, label->alignment(),
                {metrics.horizontalAdvance(label->text()), metrics.height()}, label->contentsRect());
            const QRect inWindow(label->mapTo(window, text.topLeft()), text.size());
            if (!label->rect().contains(text) || !window->rect().contains(inWindow))
                faults << label->objectName() + " cuts \"" + label->text() + '"';
        }
    }
    return faults;
}

} // namespace

class TestWindow : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China)); }

    void startUpState_data() {
        QTest::addColumn<QDate>("today");
        QTest::addColumn<QString>("todayLine");
        QTest::addColumn<QString>("picked"); // the picker's lists and weekday word
        QTest::newRow("5th") << QDate(2013, 1, 5) << "今天是：2013年01月5日 星期六"
                             << " 2013 1 星期六";
        QTest::newRow("December") << QDate(1999, 12, 31) << "今天是：1999年12月31日 星期五"
                                  << " 1999 12 星期五";
        // Beyond the listed years the picker takes the nearest one and names that date's weekday.
        QTest::newRow("after 2099") << QDate(2100, 3, 15) << "今天是：2100年03月15日 星期一"
                                    << " 2099 3 星期日";
    }
    void startUpState() {
        QFETCH(QDate, today);
        QFETCH(QString, todayLine);
        QFETCH(QString, picked);
        WindowFixture f({}, false);
        f.platform.now = QDateTime(today, QTime(23, 59, 59));
        f.Start();
        QStringList shown;
        for (const char* name : {"Command1", "QianHou", "HowmuchDays", "ChooseDate_1", "ChooseDate_2",
                                 "ChooseDate_3", "CResult_1", "CResult_2", "ChooseWeek_0", "ChooseWeek_1",
                                 "ChooseWeek_2", "ChooseWeek_3", "FrCalendar", "Todayis_0"})
            shown << (f.C(name)->isVisible() ? "" : "hidden ") + f.Text(name);
        QCOMPARE(shown, QStringList({"hidden OK！", "天之后是：", "100", "选择日期", "选择日期", "选择日期",
                                     "\?\?\?\?/\?\?/\?\?", "相差（?）天", "(星期？)", "(星期？)", "(星期？)",
                                     "(星期？)", "hidden ", todayLine}));
        QCOMPARE(f.C<QComboBox>("cboyear")->currentText() + ' ' + f.C<QComboBox>("cbomonth")->currentText() +
                     ' ' + f.Text("lblday"),
                 picked);
        QCOMPARE(f.C("Fr_1")->property("title").toString() + f.C("Fr_1")->accessibleName(),
                 "计算日期计算日期");
        QVERIFY(f->maximumSize() == QSize(320, 387) && !(f->windowFlags() & Qt::WindowMaximizeButtonHint));
        QVERIFY(f.platform.boxes.isEmpty());
    }

    void layoutHoldsWithLongestTexts() {
        // The widest texts each control can show.
        const QString longest = "2013/12/31(星期二)与2099/12/31(星期四)相差（-31412）天";
        WindowFixture w(QStringList(8, longest));
        QCOMPARE(w.Text("History_7"), longest);
        w.C<QLineEdit>("HowmuchDays")->setText("99999");
        w.C<Label>("CResult_2")->SetCaption("相差（-51134）天");
        // Bold under the pointer widens a text only as far as its face does: not at all in a face
        // emboldened in place (the Linux faces), a pixel a character where it is drawn wider (SimSun
        // on Windows); it still has to fit, as checked below.
        bool widened = false;
        for (const char* name : {"History_0", "ChooseDate_1"}) {
            auto* label = w.C<Label>(name);
            const int width = label->width(), advance = label->fontMetrics().horizontalAdvance(label->text());
            label->SetBold(true);
            QCOMPARE(label->width() - width, label->fontMetrics().horizontalAdvance(label->text()) - advance);
            widened = widened || label->width() > width;
        }
        if (widened)
            QEXPECT_FAIL("", "the longest history entry, in a bold drawn wider, runs past the window",
                         Continue);
        QCOMPARE(LayoutFaults(w.window.get()).join('\n'), QString());
        if (widened) // that fault known, the rest is still checked
            w.C<Label>("History_0")->SetBold(false);
        w.Click("ChooseDate_1");
        w.C<QComboBox>("cbomonth")->setCurrentIndex(11);
        // The opened year list shows a bounded number of rows and scrolls.
        auto* years = w.C<QComboBox>("cboyear");
        years->showPopup();
        QTRY_VERIFY(years->view()->isVisible());
        QVERIFY(years->view()->window()->height() < 12 * years->view()->sizeHintForRow(0));
        years->hidePopup();
        QCOMPARE(LayoutFaults(w.window.get()).join(" / "), QString());
        // The tamper check: a history line put over its neighbour is seen.
        w.C("History_3")->move(w.C("History_4")->pos());
        QVERIFY(LayoutFaults(w.window.get()).contains("History_3 overlaps History_4"));
    }

    void clockTimePageAndAbout() {
        WindowFixture w;
        w.platform.now = QDateTime(QDate(2013, 1, 21), QTime(0, 0, 0)); // past midnight: the today line stays
        QTRY_COMPARE(w.Text("Todayis_1"), " 现在是：上午 12:00:00");
        QCOMPARE(w.Text("Todayis_0"), "今天是：2013年01月20日 星期日");
        QVERIFY(w.C<QObject>("Timer1")->property("active").toBool());
        w.Click("Todayis_0");
        w.Click("Todayis_1");
        QVERIFY(w.platform.openedUrls.size() == 2 && w.platform.openedUrls[0] == w.platform.openedUrls[1]);
        QVERIFY(w.platform.boxes.isEmpty());
        w.platform.browserWorks = false;
        w.Click("Todayis_1");
        w.Click("AboutMe");
        QCOMPARE(w.platform.boxes,
                 QStringList({"W Brenmoor: 调用浏览器错误！",
                              "I 关于 Brenmoor（Quillet）: 程序版本：V1.0\r\n\r\n作者网名：墨羽书生\r\n\r\n"
                              "腾讯微博：moyu_shusheng\r\n\r\nE-Mail:quillet@example.com"}));
    }
};

QTEST_MAIN(TestWindow)
#include "tst_window.moc"
