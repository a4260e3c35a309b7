#include "support/WindowFixture.h"

#include "core/support/FileBytes.h"
#include "ui/HistoryPanel.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QTextDocument>
#include <QTimer>

// The history as the window shows, copies, saves, highlights and blinks it.
namespace {

const QString OffsetEntry = QStringLiteral("2013/1/20(星期日)的100天之后是：2013/4/30(星期二)");
const QStringList Full = {"a", "b", "c", "d", "e", "f", "g", "h"};

void CalculateOffset(const WindowFixture& w) { // from 2013/1/20 by the count at start, 100 days
    w.C<Label>("ChooseDate_1")->SetCaption(QStringLiteral("2013/1/20"));
    w.C<Label>("ChooseWeek_1")->SetCaption(QStringLiteral("(星期日)"));
    w.Click("Command1");
}

// From the corner first: a move to where the pointer is would be dropped.
void Hover(const WindowFixture& w, const QString& name) {
    QTest::mouseMove(w->windowHandle(), QPoint(1, 1));
    QTest::mouseMove(w->windowHandle(), w.C(name)->mapTo(w.window.get(), w.C(name)->rect().center()));
}

} // namespace

class TestHistoryPanel : public QObject {
    Q_OBJECT

private slots:
    void savedAtOnceForeignFilesKept_data() {
        QTest::addColumn<QByteArray>("before"); // null: no file
        QTest::addColumn<bool>("calculate");
        QTest::addColumn<bool>("kept"); // its bytes saved as .bak before it is replaced, and told
        const QByteArray foreign = "\xE4\xB8\xAD\xFF\n"; // no GBK
        QTest::newRow("a result is in the file when made") << QByteArray() << true << false;
        QTest::newRow("foreign, no result: byte-identical") << foreign << false << false;
        QTest::newRow("foreign, replaced: kept first") << foreign << true << true;
        QTest::newRow("GBK with CR line ends, held whole: replaced")
            << QByteArray("a\rb\r\x80") << true << false;
    }
    void savedAtOnceForeignFilesKept() {
        QFETCH(QByteArray, before);
        QFETCH(bool, calculate);
        QFETCH(bool, kept);
        WindowFixture f({}, false);
        const QString path = f.HistoryPath();
        QVERIFY(before.isNull() || WriteFile(path, before));
        f.Start();
        if (calculate) {
            CalculateOffset(f);
            CalculateOffset(f); // the .bak keeps the user's bytes, not those of the first write
            // In the file before the window closes, as a killed program leaves it.
            QCOMPARE(HistoryFile::Load(path).lines.count(OffsetEntry), 2);
        }
        QVERIFY(f->close());
        QCOMPARE(ReadFile(path + ".bak"), kept ? before : QByteArray());
        QVERIFY(calculate || (QFile::exists(path) == !before.isNull() && ReadFile(path) == before));
        QCOMPARE(f.platform.boxes.size(), int(kept));
        QVERIFY(!kept || f.platform.boxes[0].contains(path + ".bak"));
    }

    void fullListShiftsEveryShownLine() {
        WindowFixture w(Full);
        w.C<HistoryPanel>("Fr_0")->AddHistory("x");
        const QStringList shown = Full.mid(1) << "x";
        for (int k = 0; k < 8; ++k)
            QCOMPARE(w.Text(QString("History_%1").arg(k)), shown[k]);
    }

    // Entries show and copy literally and whole; one far too long is bounded.
    void copyAndBounds() {
        const QString markup = "a  <i>b</i>  &amp;", huge(HistoryFile::ReadLimit / 2, u'中');
        const QStringList lines = {markup, "", huge};
        WindowFixture w(lines);
        auto* first = w.C<Label>("History_0");
        auto* longest = w.C<Label>("History_2");
        QCOMPARE(first->textFormat(), Qt::PlainText);
        QVERIFY(longest->font().letterSpacing() >= -0.5 &&
                longest->geometry().right() < w.C("Fr_0")->width());
        Hover(w, "History_2");
        QVERIFY(longest->IsBold() && longest->toolTip().size() < 300);
        Hover(w, "Line1_2"); // the panel's bare surface
        QVERIFY(!longest->IsBold());
        Hover(w, "History_0");
        QTextDocument tip;
        tip.setHtml(first->toolTip());
        QCOMPARE(tip.toPlainText(), "点击复制:" + markup);
        for (int k : {0, 1, 2}) {
            QGuiApplication::clipboard()->setText("before");
            w.Click(QString("History_%1").arg(k));
            QCOMPARE(QGuiApplication::clipboard()->text(), lines[k]);
        }
        QCOMPARE(w.platform.boxes.size(), 3);
        QCOMPARE(w.platform.boxes[0], "I Brenmoor: 复制成功！您可以在文本框内按 Ctrl V 粘贴本条内容。");
    }

    void blink() {
        const QHash<int, QColor> palette = {{1, 0x000080},  {3, 0x008080},  {5, 0x800080}, {8, 0x808080},
                                            {10, 0x00FF00}, {12, 0xFF0000}, {14, 0xFFFF00}};
        WindowFixture w(Full.first(6));
        auto* panel = w.C<HistoryPanel>("Fr_0");
        auto* step = w.C<QTimer>("T_ShanShuo_0");
        auto* stop = w.C<QTimer>("T_ShanShuo_1");
        auto* last = w.C<Label>("History_7");
        panel->AddHistory("x");
        QTRY_VERIFY(stop->isActive()); // from the first step on History_6
        const int stopRemaining = stop->remainingTime();
        QTest::qSleep(40); // no timer fires while sleeping
        // A new entry takes the blink over from its first colour; the stop timer runs on.
        panel->AddHistory("y");
        QVERIFY2(stop->remainingTime() <= stopRemaining - 30, "the stop timer was restarted");
        QList<int> steps; // the colour indexes History_7 shows, step by step
        connect(step, &QTimer::timeout, this, [&] {
            steps << last->property("Tag").toInt();
            QCOMPARE(TextColour(last), palette[steps.last()]);
        });
        QTRY_VERIFY_WITH_TIMEOUT(!step->isActive() && !stop->isActive(), 5000);
        QCOMPARE(TextColour(last), QColor(0, 128, 128));
        QCOMPARE(TextColour(w.C("History_6")), palette[1]); // keeps its last step's colour
        // Eleven steps after the takeover, a twelfth when due together with the stop.
        QCOMPARE(steps.mid(0, 11), QList<int>({1, 3, 5, 8, 10, 12, 14, 1, 3, 5, 8}));
        QVERIFY(steps.size() <= 12);
    }
};

QTEST_MAIN(TestHistoryPanel)
#include "tst_history_panel.moc"
