#include "core/ColourCycle.h"

#include <QTest>

using ColourCycle::Rgb;

class TestColourCycle : public QObject {
    Q_OBJECT

private slots:
    void palette_data();
    void palette();
    void stepsFromTag_data();
    void stepsFromTag();
    void firstMatchWins();
    void runsFourteenSteps();
};

void TestColourCycle::palette_data() {
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("rgb");
    const int colours[16] = {0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080, 0x808000, 0xC0C0C0,
                             0x808080, 0x0000FF, 0x00FF00, 0x00FFFF, 0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF};
    for (int i = 0; i < 16; ++i)
        QTest::addRow("%d", i) << i << colours[i];
    QTest::newRow("below range is black") << -1 << 0x000000;
    QTest::newRow("above range is black") << 16 << 0x000000;
}

void TestColourCycle::palette() {
    QFETCH(int, index);
    QFETCH(int, rgb);
    const Rgb colour = ColourCycle::PaletteColour(index);
    QCOMPARE((colour.red << 16) | (colour.green << 8) | colour.blue, rgb);
}

void TestColourCycle::stepsFromTag_data() {
    QTest::addColumn<QString>("tag");
    QTest::addColumn<int>("next");
    QTest::newRow("empty") << "" << 1;
    QTest::newRow("1") << "1" << 3;
    QTest::newRow("3") << "3" << 5;
    QTest::newRow("5") << "5" << 8;
    QTest::newRow("8") << "8" << 10;
    QTest::newRow("10") << "10" << 12;
    QTest::newRow("12") << "12" << 14;
    QTest::newRow("14 restarts") << "14" << 1;
    QTest::newRow("foreign number") << "7" << 1;
    QTest::newRow("zero") << "0" << 1;
    QTest::newRow("not a number") << "abc" << 1;
}

void TestColourCycle::stepsFromTag() {
    QFETCH(QString, tag);
    QFETCH(int, next);
    QCOMPARE(ColourCycle::NextIndex(tag), next);
}

void TestColourCycle::firstMatchWins() {
    // 5 appears twice: its first successor is taken; the last member always restarts the cycle.
    const std::array<int, 7> cycle = {2, 5, 7, 5, 9, 11, 4};
    QCOMPARE(ColourCycle::NextIndex("5", cycle), 7);
    QCOMPARE(ColourCycle::NextIndex("4", cycle), 2);
    QCOMPARE(ColourCycle::NextIndex("", cycle), 2);
}

void TestColourCycle::runsFourteenSteps() {
    const QList<int> expected = {1, 3, 5, 8, 10, 12, 14, 1, 3, 5, 8, 10, 12, 14};
    QList<int> seen;
    QString tag;
    for (int step = 0; step < 14; ++step) {
        seen.append(ColourCycle::NextIndex(tag));
        tag = QString::number(seen.back());
    }
    QCOMPARE(seen, expected);
    QCOMPARE(ColourCycle::HistoryColour, ColourCycle::PaletteColour(3));
}

QTEST_GUILESS_MAIN(TestColourCycle)
#include "tst_colourcycle.moc"
