#include "core/History.h"

#include <QTest>

namespace {

History FilledWith(const QStringList& texts) {
    History history;
    for (int slot = 0; slot < texts.size(); ++slot)
        history.SetSlot(slot, texts[slot]);
    return history;
}

QStringList SlotTexts(const History& history) {
    return QStringList(history.AllSlots().begin(), history.AllSlots().end());
}

} // namespace

class TestHistory : public QObject {
    Q_OBJECT

private slots:
    void Add_data() {
        QTest::addColumn<QStringList>("before");
        QTest::addColumn<QString>("entry");
        QTest::addColumn<int>("slot");
        QTest::addColumn<QStringList>("after");
        const QString e;
        QTest::newRow("empty list") << QStringList{e, e, e, e, e, e, e, e} << "n" << 0
                                    << QStringList{"n", e, e, e, e, e, e, e};
        QTest::newRow("gap at slot 3 filled without shift")
            << QStringList{"a", "b", "c", e, "e", "f", "g", "h"} << "n" << 3
            << QStringList{"a", "b", "c", "n", "e", "f", "g", "h"};
        QTest::newRow("blank text is an entry")
            << QStringList{" ", e, e, e, e, e, e, e} << "n" << 1 << QStringList{" ", "n", e, e, e, e, e, e};
        QTest::newRow("full list shifts up") << QStringList{"a", "b", "c", "d", "e", "f", "g", "h"} << "n"
                                             << 7 << QStringList{"b", "c", "d", "e", "f", "g", "h", "n"};
        QTest::newRow("duplicate of the newest added again")
            << QStringList{"a", "b", "c", "d", "e", "f", "g", "h"} << "h" << 7
            << QStringList{"b", "c", "d", "e", "f", "g", "h", "h"};
    }
    void Add() {
        QFETCH(QStringList, before);
        QFETCH(QString, entry);
        QFETCH(int, slot);
        QFETCH(QStringList, after);
        History history = FilledWith(before);
        QCOMPARE(history.Add(entry), slot);
        QCOMPARE(history.ShanShuoIndex(), slot);
        QCOMPARE(SlotTexts(history), after);
    }

    void NineAddsDropTheFirst() {
        History history;
        QCOMPARE(history.ShanShuoIndex(), 0);
        for (int n = 1; n <= 9; ++n) {
            const int slot = history.Add(QString::number(n));
            QCOMPARE(slot, std::min(n - 1, 7));
            QCOMPARE(history.ShanShuoIndex(), slot);
        }
        QCOMPARE(SlotTexts(history), (QStringList{"2", "3", "4", "5", "6", "7", "8", "9"}));
    }

    void EntryTexts() {
        QCOMPARE(HistoryEntry::Offset("2013/1/23", "(星期三)", "100", "天之后是：", "2013/5/3", "(星期五)"),
                 QStringLiteral("2013/1/23(星期三)的100天之后是：2013/5/3(星期五)"));
        QCOMPARE(HistoryEntry::Offset("2013/1/23", "(星期三)", "100", "天之前是：", "2012/10/15", "(星期一)"),
                 QStringLiteral("2013/1/23(星期三)的100天之前是：2012/10/15(星期一)"));
        QCOMPARE(HistoryEntry::DayCount("2013/1/23", "(星期三)", "2013/5/3", "(星期五)", "相差（100）天"),
                 QStringLiteral("2013/1/23(星期三)与2013/5/3(星期五)相差（100）天"));
    }
};

QTEST_GUILESS_MAIN(TestHistory)
#include "tst_history.moc"
