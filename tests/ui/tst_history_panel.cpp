#include "support/WindowFixture.h"

#include "core/GbkCodec.h"
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
// The blink's palette colours by index; every blink ends in dark cyan.
const QHash<int, QColor> Palette = {{1, 0x000080},  {3, 0x008080},  {5, 0x800080}, {8, 0x808080},
                                    {10, 0x00FF00}, {12, 0xFF0000}, {14, 0xFFFF00}};

// A finished offset calculation from 2013/1/20 by the count the window starts with, 100 days.
void CalculateOffset(const WindowFixture& w) {
    w.C<Label>("ChooseDate_1")->SetCaption(QStringLiteral("2013/1/20"));
    w.C<Label>("ChooseWeek_1")->SetCaption(QStringLiteral("(星期日)"));
    w.C<QLineEdit>("HowmuchDays")->setText("100");
    w.Click("Command1");
}

QByteArray GbkLines(const QStringList& lines) {
    return GbkCodec::Encode(lines.join("\r\n") + "\r\n"); // Qt without ICU has no GBK
}

// Moves the pointer onto `target` (a decoration stands for its frame's bare surface), coming from
// the window's corner: a move to where the pointer already is would be dropped.
void Hover(const WindowFixture& w, const QString& name) {
    QWidget* target = w.C(name);
    QWidget* receiver =
        target->testAttribute(Qt::WA_TransparentForMouseEvents) ? target->parentWidget() : target;
    for (int y = 0; y < target->height(); ++y)
        for (int x = 0; x < target->width(); x += 2)
            if (const QPoint at = target->mapTo(w.window.get(), QPoint(x, y)); w->childAt(at) == receiver) {
                QTest::mouseMove(w->windowHandle(), QPoint(1, 1));
                QTest::mouseMove(w->windowHandle(), at);
                return;
            }
    QFAIL(qPrintable("nowhere to hover over " + name));
}

} // namespace

class TestHistoryPanel : public QObject {
    Q_OBJECT

private slots:
    void closeSavesOnlyWithFirstEntry_data() {
        QTest::addColumn<QByteArray>("before"); // null: no file
        QTest::addColumn<bool>("calculate");
        QTest::addColumn<QByteArray>("after"); // null: no file
        QTest::newRow("first result")
            << QByteArray() << true << GbkLines({OffsetEntry, "", "", "", "", "", "", ""});
        QTest::newRow("no result") << QByteArray() << false << QByteArray();
        QTest::newRow("first line empty") << GbkLines({"", "x"}) << false << GbkLines({"", "x"});
        const QByteArray tenLines = GbkLines(Full + QStringList{"i", "j"}),
                         utf8 = "\xE4\xB8\xAD\xE6\x96\x87\nx\n";
        QTest::newRow("ten lines, no result: untouched") << tenLines << false << tenLines;
        QTest::newRow("UTF-8 with LF, no result: untouched") << utf8 << false << utf8;
    }
    void closeSavesOnlyWithFirstEntry() {
        QFETCH(QByteArray, before);
        QFETCH(bool, calculate);
        QFETCH(QByteArray, after);
        WindowFixture f({}, false);
        QFile file(f.HistoryPath());
        QVERIFY(before.isNull() || (file.open(QIODevice::WriteOnly) && file.write(before) && file.flush()));
        file.close();
        f.Start();
        if (calculate) {
            CalculateOffset(f);
            // In the file before the window closes, as a killed program leaves it.
            QCOMPARE(HistoryFile::Load(f.HistoryPath()).lines.value(0), OffsetEntry);
        }
        QVERIFY(f->close());
        QCOMPARE(file.exists(), !after.isNull());
        QVERIFY(after.isNull() || (file.open(QIODevice::ReadOnly) && file.readAll() == after));
        QVERIFY(f.platform.boxes.isEmpty());
    }

    void fileNotHeldWholeIsKeptBeforeReplaced_data() {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<bool>("kept"); // a copy of the old bytes is made, and told
        QTest::newRow("ten lines") << GbkLines(Full + QStringList{"i", "j"}) << true;
        QTest::newRow("bytes that are no GBK") << QByteArray("\xE4\xB8\xAD\xFF\n\0\x81") << true;
        QTest::newRow("a line cut at the read limit") << QByteArray(HistoryFile::ReadLimit + 1, 'x') << true;
        QTest::newRow("GBK with CR line ends, held whole") << QByteArray("a\rb\r\x80") << false;
    }
    void fileNotHeldWholeIsKeptBeforeReplaced() {
        QFETCH(QByteArray, before);
        QFETCH(bool, kept);
        WindowFixture f({}, false);
        QVERIFY(WriteFile(f.HistoryPath(), before));
        f.Start();
        CalculateOffset(f);
        CalculateOffset(f); // the copy keeps the bytes the user had, not those of the first write
        QCOMPARE(ReadFile(f.HistoryPath() + ".bak"), kept ? before : QByteArray());
        QCOMPARE(HistoryFile::Load(f.HistoryPath()).lines.count(OffsetEntry), 2);
        QCOMPARE(f.platform.boxes,
                 kept ? QStringList{"I Brenmoor: "
                                    "原有的历史记录文件含有本程序无法完整保留的内容，已将它原样保存为“" +
                                    f.HistoryPath() + ".bak”。"}
                      : QStringList());
    }

    void placesAndFailuresAreTold_data() {
        QTest::addColumn<QString>("read"); // in the fixture's folder, which holds Quillet.log with "a"
        QTest::addColumn<QString>("write");
        QTest::addColumn<QString>("box"); // how the first box begins
        QTest::newRow("read beside, saved in the data folder") << "Quillet.log"
                                                               << "data.log"
                                                               << "I Brenmoor: 程序所在";
        QTest::newRow("no folder to save in") << "Quillet.log"
                                              << "none/Quillet.log"
                                              << "W Brenmoor: 无法保存";
        QTest::newRow("a folder in the file's place") << "."
                                                      << "other.log"
                                                      << "W Brenmoor: 无法读取";
    }
    void placesAndFailuresAreTold() {
        QFETCH(QString, read);
        QFETCH(QString, write);
        QFETCH(QString, box);
        WindowFixture f({"a"}, false);
        f.Start({f.dir.filePath(read), f.dir.filePath(write)});
        CalculateOffset(f);
        f->close();
        QVERIFY2(f.platform.boxes.value(0).startsWith(box), qPrintable(f.platform.boxes.join('\n')));
        // What was read is kept: in the file it came from, and in the place written to.
        QCOMPARE(HistoryFile::Load(f.HistoryPath()).lines.value(0), "a");
        if (write == "data.log")
            QCOMPARE(HistoryFile::Load(f.dir.filePath(write)).lines.mid(0, 2),
                     QStringList({"a", OffsetEntry}));
    }

    void hoverAndCopy() {
        const QString markup = "a  <i>b</i>  &amp;";
        const QStringList lines = {"a", "", "c", markup, "e", "f", "g", "h"};
        WindowFixture w(lines);
        for (int k = 0; k < 8; ++k)
            QCOMPARE(w.Text(QString("History_%1").arg(k)), lines[k]);
        QCOMPARE(w.C<QLabel>("History_3")->textFormat(), Qt::PlainText);
        const auto bold = [&w](const QStringList& labels) {
            QStringList names;
            for (const QString& name : labels)
                names << (w.C<Label>(name)->IsBold() ? name : "-");
            return names;
        };
        // Labels, another control, then the bare surface of their own frame (the lines of the history
        // panel are bare surface).
        for (const auto& [labels, elsewhere, own] :
             {std::tuple(QStringList{"History_0", "History_3"}, "Fr_1", "Line1_0"),
              {QStringList{"ChooseDate_1"}, "Fr_0", "Fr_1"},
              {QStringList{"ChooseDate_2", "ChooseDate_3"}, "yu", "Fr_2"}}) {
            const QStringList none(labels.size(), "-");
            QCOMPARE(bold(labels), none);
            for (const QString& name : labels)
                Hover(w, name);
            QCOMPARE(bold(labels), labels);
            Hover(w, elsewhere);
            QCOMPARE(bold(labels), labels);
            Hover(w, own);
            QCOMPARE(bold(labels), none);
        }
        QTextDocument tip; // the copy tooltip shows an entry literally, markup and spaces too
        tip.setHtml(w.C("History_3")->toolTip());
        QCOMPARE(tip.toPlainText(), "点击复制:" + markup);
        // A click copies the entry as it stands, an empty one too, and says so.
        for (int k : {3, 1}) {
            QGuiApplication::clipboard()->setText("before");
            w.Click(QString("History_%1").arg(k));
            QCOMPARE(QGuiApplication::clipboard()->text(), lines[k]);
        }
        QCOMPARE(w.platform.boxes.size(), 2);
        QCOMPARE(w.platform.boxes.value(1), "I Brenmoor: 复制成功！您可以在文本框内按 Ctrl V 粘贴本条内容。");
    }

    // A line far too long for the panel (from a file written elsewhere) is set barely tighter and
    // cut short on screen and in its tooltip; the entry itself stays whole.
    void oversizedEntryStaysReadable() {
        const QString huge(HistoryFile::ReadLimit / 2, u'中'); // two bytes each
        WindowFixture w({huge});
        auto* entry = w.C<Label>("History_0");
        QVERIFY(entry->font().letterSpacing() >= -0.5);
        QVERIFY(entry->geometry().right() < w.C("Fr_0")->width());
        Hover(w, "History_0");
        QVERIFY(entry->toolTip().size() < 300);
        w.Click("History_0");
        QCOMPARE(QGuiApplication::clipboard()->text(), huge);
        QCOMPARE(entry->text(), huge);
    }

    void blink() {
        WindowFixture w(Full.first(6));
        auto* panel = w.C<HistoryPanel>("Fr_0");
        auto* step = w.C<QTimer>("T_ShanShuo_0");
        auto* stop = w.C<QTimer>("T_ShanShuo_1");
        auto* last = w.C<Label>("History_7");
        panel->AddHistory("x");
        QVERIFY(step->isActive() && !stop->isActive());
        QTRY_VERIFY(stop->isActive()); // from the first step on History_6
        const int stopRemaining = stop->remainingTime();
        QTest::qSleep(40); // no timer fires while sleeping
        // A new entry takes the running blink over, from its own first colour; the stop timer runs on.
        panel->AddHistory("y");
        QVERIFY2(stop->remainingTime() <= stopRemaining - 30, "the stop timer was restarted");
        QList<int> steps; // the colour indexes History_7 shows, step by step
        connect(step, &QTimer::timeout, this, [&] {
            steps << last->property("Tag").toInt();
            QCOMPARE(TextColour(last), Palette[steps.last()]);
        });
        QTRY_VERIFY_WITH_TIMEOUT(!step->isActive() && !stop->isActive(), 5000);
        QCOMPARE(TextColour(last), QColor(0, 128, 128));
        QCOMPARE(TextColour(w.C("History_6")), Palette[1]); // keeps its last step's colour
        // On time: eleven steps after the takeover, a twelfth when due together with the stop.
        QCOMPARE(steps.mid(0, 11), QList<int>({1, 3, 5, 8, 10, 12, 14, 1, 3, 5, 8}));
        QVERIFY(steps.size() <= 12);
    }
};

QTEST_MAIN(TestHistoryPanel)
#include "tst_history_panel.moc"
