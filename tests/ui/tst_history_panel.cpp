#include "support/WindowFixture.h"

#include "ui/DayCountBox.h"
#include "ui/Label.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QtTest>

// The history as the window shows, copies and saves it.
namespace {

const QString OffsetEntry = QStringLiteral("2013/1/20(星期日)的1天之后是：2013/1/21(星期一)");

// A finished offset calculation from 2013/1/20 by `count` days.
void CalculateOffset(MainWindow& window, int count) {
    const ControlTree& c = window.Controls();
    c.ChooseDate[1]->SetCaption(QStringLiteral("2013/1/20"));
    c.ChooseWeek[1]->SetCaption(QStringLiteral("(星期日)"));
    c.HowmuchDays->setText(QString::number(count));
    window.ConfirmOffset();
}

QByteArray Lines(const QStringList& lines) {
    QByteArray bytes;
    for (const QString& line : lines)
        bytes += Gbk(line) + "\r\n";
    return bytes;
}

} // namespace

class HistoryPanelTest : public QObject {
    Q_OBJECT
private slots:
    void nineResultsKeepTheLastEight();
    void clickCopiesEntry_data();
    void clickCopiesEntry();
    void closeSavesOnlyWithFirstEntry_data();
    void closeSavesOnlyWithFirstEntry();
    void unwritableSaveWarns();
};

void HistoryPanelTest::nineResultsKeepTheLastEight() {
    WindowFixture f;
    MainWindow& window = f.Start();
    const ControlTree& c = window.Controls();
    QStringList added;
    for (int count = 1; count <= 8; ++count) {
        CalculateOffset(window, count);
        QCOMPARE(window.HistoryList().ShanShuoIndex(), count - 1);
        added << window.HistoryList().Slot(count - 1);
    }
    QCOMPARE(added.first(), OffsetEntry);
    c.ChooseDate[2]->SetCaption(QStringLiteral("2013/1/1"));
    c.ChooseWeek[2]->SetCaption(QStringLiteral("(星期二)"));
    c.ChooseDate[3]->SetCaption(QStringLiteral("2013/2/1"));
    c.ChooseWeek[3]->SetCaption(QStringLiteral("(星期五)"));
    window.Calculate(2);
    added << QStringLiteral("2013/1/1(星期二)与2013/2/1(星期五)相差（31）天");

    QCOMPARE(window.HistoryList().ShanShuoIndex(), 7);
    for (int k = 0; k < 8; ++k) {
        QCOMPARE(window.HistoryList().Slot(k), added[k + 1]);
        QCOMPARE(c.History[k]->text(), added[k + 1]);
    }
    QVERIFY(c.T_ShanShuo[0]->isActive());
}

void HistoryPanelTest::clickCopiesEntry_data() {
    QTest::addColumn<int>("index");
    QTest::newRow("first") << 0;
    QTest::newRow("last, looking like markup") << 7;
}

void HistoryPanelTest::clickCopiesEntry() {
    QFETCH(int, index);
    WindowFixture f;
    QVERIFY(WriteBytes(f.HistoryPath(), Lines({OffsetEntry, "b", "c", "d", "e", "f", "g", "<b>x</b>"})));
    Label* entry = f.Start().Controls().History[index];
    QCOMPARE(entry->textFormat(), Qt::PlainText);
    QGuiApplication::clipboard()->setText(QStringLiteral("before"));
    QTest::mouseClick(entry, Qt::LeftButton);
    QCOMPARE(QGuiApplication::clipboard()->text(), index == 0 ? OffsetEntry : QStringLiteral("<b>x</b>"));
    QCOMPARE(f.platform.messages.size(), 1);
    QCOMPARE(f.platform.messages[0].icon, Platform::Icon::Information);
    QCOMPARE(f.platform.messages[0].title, QStringLiteral("Brenmoor"));
    QCOMPARE(f.platform.messages[0].text,
             QStringLiteral("复制成功！您可以在文本框内按 Ctrl V 粘贴本条内容。"));
}

void HistoryPanelTest::closeSavesOnlyWithFirstEntry_data() {
    QTest::addColumn<QByteArray>("before"); // null: no file
    QTest::addColumn<bool>("calculate");
    QTest::addColumn<QByteArray>("after"); // null: no file

    const QStringList ten = {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"};
    QTest::newRow("first result") << QByteArray() << true << Lines({OffsetEntry, "", "", "", "", "", "", ""});
    QTest::newRow("no result") << QByteArray() << false << QByteArray();
    QTest::newRow("first line empty") << Lines({"", "x"}) << false << Lines({"", "x"});
    QTest::newRow("ten lines") << Lines(ten) << false << Lines(ten.first(8));
}

void HistoryPanelTest::closeSavesOnlyWithFirstEntry() {
    QFETCH(QByteArray, before);
    QFETCH(bool, calculate);
    QFETCH(QByteArray, after);
    WindowFixture f;
    if (!before.isNull())
        QVERIFY(WriteBytes(f.HistoryPath(), before));
    MainWindow& window = f.Start();
    if (calculate)
        CalculateOffset(window, 1);
    QVERIFY(window.close());

    QFile file(f.HistoryPath());
    QCOMPARE(file.exists(), !after.isNull());
    if (!after.isNull()) {
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), after);
    }
    QVERIFY(f.platform.messages.isEmpty());
}

void HistoryPanelTest::unwritableSaveWarns() {
    WindowFixture f;
    const QString path = f.dir.filePath(QStringLiteral("missing/Quillet.log"));
    MainWindow& window = f.Start(path);
    CalculateOffset(window, 1);
    window.close();
    QCOMPARE(f.platform.messages.size(), 1);
    QCOMPARE(f.platform.messages[0].icon, Platform::Icon::Warning);
    QCOMPARE(f.platform.messages[0].title, QStringLiteral("Brenmoor"));
    QVERIFY2(f.platform.messages[0].text.contains(path), qPrintable(f.platform.messages[0].text));
}

QTEST_MAIN(HistoryPanelTest)
#include "tst_history_panel.moc"
