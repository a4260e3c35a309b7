#include "support/WindowFixture.h"

#include "core/support/FileBytes.h"
#include "ui/HistoryPanel.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QTextDocument>
#include <QTimer>

// The history as the window shows, copies, saves, highlights and blinks it.
namespace {

const QStringList Full = {"a", "b", "c", "d", "e", "f", "g", "h"};

void CalculateOffset(const WindowFixture& w) { // by the count at start, 100 days
    w.C<Label>("ChooseDate_1")->SetCaption("2013/1/20");
    w.Click("Command1");
}

} // namespace

class TestHistoryPanel : public QObject {
    Q_OBJECT

private slots:
    void savedAtOnceForeignFilesKept_data() {
        QTest::addColumn<QByteArray>("before"); // null: no file
        QTest::addColumn<bool>("calculate");
        QTest::addColumn<bool>("kept");                  // as .bak before it is replaced, and told
        const QByteArray foreign = "\xE4\xB8\xAD\xFF\n"; // no GBK
        QTest::newRow("a result is in the file when made") << QByteArray() << true << false;
        QTest::newRow("foreign, no result: byte-identical") << foreign << false << false;
        QTest::newRow("foreign, replaced: kept first") << foreign << true << true;
        QTest::newRow("GBK with CR line ends: held whole") << QByteArray("a\rb\r\x80") << true << false;
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
            QCOMPARE(HistoryFile::Load(path).lines.filter("100天之后").size(), 2);
        }
        QVERIFY(f->close());
        QCOMPARE(ReadFile(path + ".bak"), kept ? before : QByteArray());
        QVERIFY(calculate || (QFile::exists(path) == !before.isNull() && ReadFile(path) == before));
        QCOMPARE(f.platform.boxes.size(), int(kept));
        QVERIFY(!kept || f.platform.boxes[0].contains(path + ".bak"));
    }

    void copiedWholeShownBounded() {
        const QString markup = "a  <i>b</i>  &amp;", huge(HistoryFile::ReadLimit / 2, u'中');
        const QStringList lines = {markup, "", huge};
        WindowFixture w(lines);
        auto* first = w.C<Label>("History_0");
        auto* longest = w.C<Label>("History_2");
        QCOMPARE(first->textFormat(), Qt::PlainText);
        QVERIFY(longest->font().letterSpacing() >= -1.5 &&
                longest->geometry().right() < w.C("Fr_0")->width());
        emit longest->moved({}, {}); // hovered
        QVERIFY(longest->IsBold() && longest->toolTip().size() < 300);
        emit w.C<Frame>("Fr_0")->surfaceMoved(); // the pointer on the panel's bare surface
        QVERIFY(!longest->IsBold());
        emit first->moved({}, {});
        QTextDocument tip;
        tip.setHtml(first->toolTip());
        QCOMPARE(tip.toPlainText(), "点击复制:" + markup);
        for (int k : {0, 1, 2}) {
            QGuiApplication::clipboard()->setText("before");
            w.Click(QString("History_%1").arg(k));
            QCOMPARE(QGuiApplication::clipboard()->text(), lines[k]);
        }
        QCOMPARE(w.platform.boxes.size(), 3);
        QVERIFY(w.platform.boxes[0].startsWith("I Brenmoor: 复制成功"));
    }

    void blinkAndShift() {
        const QHash<int, QColor> palette = {{1, 0x000080},  {3, 0x008080},  {5, 0x800080}, {8, 0x808080},
                                            {10, 0x00FF00}, {12, 0xFF0000}, {14, 0xFFFF00}};
        WindowFixture w(Full.first(6));
        auto* panel = w.C<HistoryPanel>("Fr_0");
        auto* step = w.C<QTimer>("T_ShanShuo_0");
        auto* stop = w.C<QTimer>("T_ShanShuo_1");
        auto* last = w.C<Label>("History_7");
        panel->AddHistory("x");
        QTRY_VERIFY(stop->isActive()); // from the first step on History_6
        panel->AddHistory("y");        // takes the blink over, from its first colour
        QList<int> steps;              // the colour indexes History_7 shows, step by step
        connect(step, &QTimer::timeout, this, [&] {
            steps << last->property("Tag").toInt();
            QCOMPARE(TextColour(last), palette[steps.last()]);
        });
        QTRY_VERIFY_WITH_TIMEOUT(!step->isActive() && !stop->isActive(), 5000);
        QCOMPARE(TextColour(last), palette[3]);             // dark cyan
        QCOMPARE(TextColour(w.C("History_6")), palette[1]); // keeps its last step's colour
        // Eleven steps after the takeover, a twelfth when due together with the stop.
        QCOMPARE(steps.mid(0, 11), QList<int>({1, 3, 5, 8, 10, 12, 14, 1, 3, 5, 8}));
        QVERIFY(steps.size() <= 12);
        panel->AddHistory("z"); // a full list shifts every shown line
        const QStringList shown = Full.mid(1, 5) << "x"
                                                 << "y"
                                                 << "z";
        for (int k = 0; k < 8; ++k)
            QCOMPARE(w.Text(QString("History_%1").arg(k)), shown[k]);
    }
};

QTEST_MAIN(TestHistoryPanel)
#include "tst_history_panel.moc"
