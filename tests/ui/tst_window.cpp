#include "support/WindowFixture.h"

#include "ui/Decoration.h"
#include "ui/HistoryPanel.h"

#include <QAccessible>
#include <QFontDatabase>
#include <QRegularExpression>
#include <QStyle>
#include <QTemporaryDir>
#include <QTimer>

#include <optional>

// The window as a user sees it; the clock line and time page.
namespace {

// Shown controls that overlap a sibling, and labels whose text is cut by the label or the window.
QStringList LayoutFaults(QWidget* window) {
    QStringList faults;
    const auto shown = [](QObject* o) {
        auto* w = qobject_cast<QWidget*>(o);
        return w && w->isVisible() && !qobject_cast<Decoration*>(w) ? w : nullptr;
    };
    for (QWidget* control : window->findChildren<QWidget*>()) {
        if (!shown(control))
            continue;
        // The picker pops up over the frames; the title and its close glyph share a pixel column.
        for (QObject* sibling : control->parentWidget()->children()) {
            QWidget* other = shown(sibling);
            if (other && other != control && control->geometry().intersected(other->geometry()).width() > 1 &&
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

    void layoutHoldsWithLongestTexts() {
        const QString longest = "2013/12/31(星期二)与2099/12/31(星期四)相差（-31412）天";
        WindowFixture w(QStringList(8, longest));
        QCOMPARE(w.Text("History_7"), longest);
        w.C<QLineEdit>("HowmuchDays")->setText("99999");
        w.C<Label>("CResult_2")->SetCaption("相差（-51134）天");
        // Bold, as under the pointer, still fits.
        for (const char* name : {"History_0", "ChooseDate_1"})
            w.C<Label>(name)->SetBold(true);
        QCOMPARE(LayoutFaults(w.window.get()).join('\n'), QString());
        w.Click("ChooseDate_1");
        w.C<QComboBox>("cbomonth")->setCurrentIndex(11);
        QCOMPARE(LayoutFaults(w.window.get()).join(" / "), QString());
    }

    void messageBoxCentredAndWideEnough() {
        WindowFixture w;
        w->move(20, 30);
        const QString title = "关于 Brenmoor（Quillet）";
        for (QWidget* owner : QList<QWidget*>{nullptr, w.window.get()}) { // none: at start-up
            QRect box;
            QTimer::singleShot(0, [&] {
                box = QApplication::activeModalWidget()->geometry();
                QApplication::activeModalWidget()->close();
            });
            SystemPlatform().ShowMessage(owner, Platform::Icon::Warning, title, "短");
            const QRect area = owner ? w->frameGeometry() : w->screen()->availableGeometry();
            QCOMPARE_LE((box.center() - area.center()).manhattanLength(), 6);
            // Room for the whole title beside the title bar's icon and buttons.
            QFont titleFont = QFontDatabase::systemFont(QFontDatabase::TitleFont);
            titleFont.setBold(true);
            QCOMPARE_GE(box.width(), QFontMetrics(titleFont).horizontalAdvance(title) + 150);
        }
    }

    void countBoxBoldWithoutCaret() {
        const qreal scale = 1.5; // as on a scaled screen
        WindowFixture w;
        auto* box = w.C<QLineEdit>("HowmuchDays");
        box->setFocus();
        const auto render = [&](int cursor) {
            box->setCursorPosition(cursor);
            QImage image(box->size() * scale, QImage::Format_RGB32);
            image.setDevicePixelRatio(scale);
            box->render(&image);
            return image;
        };
        // A caret would stand where the cursor is.
        QCOMPARE(render(0), render(3));
        const auto ink = [](const QImage& image) {
            qint64 sum = 0;
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x)
                    sum += 255 - qGray(image.pixel(x, y));
            return sum;
        };
        // Bold by the font engine alone, a face without a bold style looks regular.
        box->clearFocus();
        const qint64 bold = ink(render(0));
        QFont regular = box->font();
        regular.setBold(false);
        box->setFont(regular);
        QCOMPARE_GT(bold, 2.3 * ink(render(0)));
    }

    void clickableControlsForKeyboardAndScreenReaders() {
        const QString entry = "2013/1/20(星期日)的5天之后是：2013/1/25(星期五)";
        WindowFixture w({entry});
        QStringList tree; // what a screen reader finds, by design name
        const std::function<void(QAccessibleInterface*)> walk = [&](QAccessibleInterface* node) {
            for (int i = 0; i < node->childCount(); ++i) {
                if (QObject* control = node->child(i)->object()) // list rows have none
                    tree << control->objectName();
                walk(node->child(i));
            }
        };
        walk(QAccessible::queryAccessibleInterface(w.window.get()));
        QVERIFY(tree.contains("History_7") &&
                tree.filter(QRegularExpression("^(Line1|Shape1|ShCalendar)")).isEmpty());
        // Pressed as a screen reader presses them; the date field opens the picker, so last.
        using Row = std::tuple<const char*, QAccessible::Role, QString>;
        for (auto [name, role, spoken] :
             {Row("History_0", QAccessible::Button, "历史记录 1：" + entry),
              Row("History_2", QAccessible::Button, "历史记录 3：空"),
              Row("Todayis_0", QAccessible::Link, "今天是：2013年01月20日 星期日"),
              Row("Todayis_1", QAccessible::Link, "现在是：下午 02:05:09"),
              Row("AboutMe", QAccessible::Button, "关于"), Row("lblnumber_4", QAccessible::Button, "5"),
              Row("ChooseDate_3", QAccessible::Button, "选择日期")}) {
            QAccessibleInterface* control = QAccessible::queryAccessibleInterface(w.C(name));
            QCOMPARE(control->role(), role);
            QCOMPARE(control->text(QAccessible::Name), spoken);
            control->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
            QCoreApplication::processEvents();
        }
        QCOMPARE(w.platform.boxes.size(), 3); // two copies and the About box
        QCOMPARE(w.platform.openedUrls.size(), 2);
        QCOMPARE(w.Text("lblday") + w.Focus(), "星期六cmdok"); // day 5 taken; opened as by keyboard
        w.Key(Qt::Key_Escape);
        // Tab reaches them after the date fields, top to bottom; Enter presses them; the focus shows.
        QStringList order;
        for (int i = 0; i < 11; ++i) {
            w.Key(Qt::Key_Tab);
            order << w.Focus();
        }
        QCOMPARE(order.join(' '), "Todayis_0 History_0 History_1 History_2 History_3 History_4 History_5 "
                                  "History_6 History_7 Todayis_1 AboutMe");
        w.Key(Qt::Key_Return);
        QCOMPARE(w.platform.boxes.size(), 4);
        const QImage focused = w.C("AboutMe")->grab().toImage(); // the focus outline shows
        w.C("AboutMe")->clearFocus();
        QVERIFY(focused != w.C("AboutMe")->grab().toImage());
    }

    void clockAndTimePage() {
        WindowFixture w({}, false);
        w.platform.now = QDateTime(QDate(2013, 1, 5), QTime(23, 59, 59));
        w.Start();
        w.platform.now = w.platform.now.addSecs(1); // past midnight: the today line stays
        QTRY_COMPARE(w.Text("Todayis_1"), " 现在是：上午 12:00:00");
        QCOMPARE(w.Text("Todayis_0"), "今天是：2013年01月5日 星期六");
        w.Click("Todayis_0");
        w.Click("Todayis_1");
        QVERIFY(w.platform.openedUrls.size() == 2 && w.platform.boxes.isEmpty());
        w.platform.browserWorks = false;
        w.Click("Todayis_1");
        QCOMPARE(w.platform.boxes, QStringList("W Brenmoor: 调用浏览器错误！"));
    }

    void systemOpenerFailureIsTold_data() {
        QTest::addColumn<QString>("opener"); // the shell script standing in for xdg-open; "": none
        QTest::addColumn<bool>("opened");
        QTest::newRow("opened") << "exit 0" << true;
        QTest::newRow("fails: no tool found") << "exit 3" << false;
        QTest::newRow("no opener") << "" << false;
    }
    void systemOpenerFailureIsTold() {
#ifdef Q_OS_WIN
        QSKIP("no opener program on Windows");
#endif
        QFETCH(QString, opener);
        QFETCH(bool, opened);
        QTemporaryDir bin;
        QFile script(bin.filePath("xdg-open"));
        QVERIFY(opener.isEmpty() ||
                (script.open(QIODevice::WriteOnly) && script.write("#!/bin/sh\n" + opener.toUtf8()) &&
                 script.setPermissions(QFile::ReadOwner | QFile::ExeOwner)));
        script.close();
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", QFile::encodeName(bin.path()));
        std::optional<bool> answer;
        SystemPlatform().OpenUrl(QUrl("https://example.com/"), [&answer](bool ok) { answer = ok; });
        qputenv("PATH", path);
        QTRY_VERIFY(answer.has_value());
        QCOMPARE(*answer, opened);
    }
};

QTEST_MAIN(TestWindow)
#include "tst_window.moc"
