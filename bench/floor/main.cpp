// The floor the start-up, memory and idle figures are compared against: a bare Qt Widgets program
// with a window of the main window's size and a comparable set of widgets, shown the way the main
// window shows them (a visible top part; a hidden panel holding the month cells, the two lists and
// two buttons; one more hidden button). Default fonts, palette and style: nothing the program adds.
// With --window-faces it draws in the window's own Chinese faces and sizes instead, to show what
// those faces cost apart from the rest of the program.
#include "ui/ChineseFonts.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStringList>
#include <QWidget>

namespace {

// The faces the window shows its texts in; all default unless --window-faces.
struct Faces {
    QFont body, today, caption, field, wording, result, joiner, count;
};

Faces WindowFaces() {
    return {ChineseFonts::Song(9),       ChineseFonts::Hei(10.5, true), ChineseFonts::Hei(10.5, true, true),
            ChineseFonts::Hei(9.75),     ChineseFonts::Hei(10.5, true), ChineseFonts::Hei(10.5),
            ChineseFonts::Hei(12, true), ChineseFonts::Song(12, true)};
}

QLabel* AddLabel(QWidget* parent, const QString& text, int x, int y, int width, const QFont& font = {}) {
    auto* label = new QLabel(text, parent);
    label->setGeometry(x, y, width, 16);
    if (font != QFont())
        label->setFont(font);
    return label;
}

void AddVisiblePart(QWidget* window, const Faces& faces) {
    AddLabel(window, QStringLiteral("今天是：2013年01月20日 星期日"), 2, 2, 316, faces.today);
    const QStringList history = {
        QStringLiteral("2013/1/23(星期三)的100天之后是：2013/5/3(星期五)"),
        QStringLiteral("2013/1/23(星期三)与2013/5/3(星期五)相差（100）天"),
    };
    for (int k = 0; k < 8; ++k)
        AddLabel(window, history.at(k % 2), 2, 24 + 19 * k, 316, faces.body);
    const QStringList captions = {QStringLiteral("计算日期"), QStringLiteral("计算天数")};
    for (int frame = 0; frame < 2; ++frame) {
        const int top = 200 + 86 * frame;
        AddLabel(window, captions.at(frame), 10, top, 80, faces.caption);
        AddLabel(window, QStringLiteral("选择日期"), 24, top + 26, 52, faces.field);
        AddLabel(window, QStringLiteral("(星期？)"), 16, top + 46, 70, faces.body);
        AddLabel(window, QStringLiteral("选择日期"), 128, top + 26, 52, faces.field);
        AddLabel(window, QStringLiteral("(星期？)"), 119, top + 46, 70, faces.body);
        AddLabel(window, QStringLiteral("天之后是："), 147, top + 32, 75, faces.wording);
        AddLabel(window, QStringLiteral("相差（?）天"), 222, top + 26, 70, faces.result);
    }
    AddLabel(window, QStringLiteral("与"), 88, 318, 17, faces.joiner);
    AddLabel(window, QStringLiteral(" 现在是：下午 02:05:09"), 0, 373, 286, faces.body);
    AddLabel(window, QStringLiteral("关于 "), 286, 373, 34, faces.body);
    auto* edit = new QLineEdit(QStringLiteral("100"), window);
    if (faces.count != QFont())
        edit->setFont(faces.count);
    edit->setGeometry(95, 230, 48, 18);
    auto* hiddenButton = new QPushButton(QStringLiteral("OK！"), window);
    hiddenButton->setGeometry(148, 228, 41, 21);
    hiddenButton->hide();
}

void AddHiddenPanel(QWidget* window) {
    auto* panel = new QWidget(window);
    panel->setGeometry(100, 0, 213, 240);
    AddLabel(panel, QStringLiteral("选择日期"), 4, 5, 184);
    AddLabel(panel, QStringLiteral("×"), 187, 5, 25);
    AddLabel(panel, QStringLiteral("年"), 79, 37, 13);
    AddLabel(panel, QStringLiteral("月"), 136, 37, 13);
    AddLabel(panel, QStringLiteral("星期日"), 155, 37, 41);
    for (int i = 0; i < 31; ++i)
        AddLabel(panel, QString::number(i + 1), 24 + 24 * (i % 7), 68 + 24 * (i / 7), 20);
    QStringList years;
    for (int year = 1960; year < 2100; ++year)
        years << QString::number(year);
    QStringList months;
    for (int month = 1; month <= 12; ++month)
        months << QString::number(month);
    auto* yearList = new QComboBox(panel);
    yearList->setGeometry(16, 32, 61, 20);
    yearList->addItems(years);
    auto* monthList = new QComboBox(panel);
    monthList->setGeometry(96, 32, 38, 20);
    monthList->addItems(months);
    auto* confirm = new QPushButton(QStringLiteral("确  认"), panel);
    confirm->setGeometry(19, 200, 81, 23);
    auto* cancel = new QPushButton(QStringLiteral("取  消"), panel);
    cancel->setGeometry(113, 200, 81, 23);
    panel->hide();
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Floor"));
    window.setFixedSize(320, 387);
    const bool windowFaces = QApplication::arguments().contains(QStringLiteral("--window-faces"));
    AddVisiblePart(&window, windowFaces ? WindowFaces() : Faces());
    AddHiddenPanel(&window);
    window.show();
    return QApplication::exec();
}
