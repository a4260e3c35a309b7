#include "ControlTree.h"

#include "DayCountBox.h"
#include "Decoration.h"
#include "FlatButton.h"
#include "Frame.h"
#include "Label.h"
#include "Twips.h"

#include <QComboBox>
#include <QPushButton>
#include <QTimer>

QColor FromBgr(unsigned int bgr) {
    return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}

namespace {

const QColor Blue = FromBgr(0x00FF9933);
const QColor Grey40 = FromBgr(0x00404040);
const QColor Paper = FromBgr(0x00C4E2C0);
const QColor ListBlue = FromBgr(0x00FFC16C);

QFont Song(qreal points, bool bold = false) {
    QFont f(QStringLiteral("宋体"));
    f.setPointSizeF(points);
    f.setBold(bold);
    return f;
}

QFont Hei(qreal points, bool bold = false, bool italic = false) {
    QFont f(QStringLiteral("黑体"));
    f.setPointSizeF(points);
    f.setBold(bold);
    f.setItalic(italic);
    return f;
}

QString Indexed(const char* name, int index) {
    return QStringLiteral("%1_%2").arg(QLatin1String(name)).arg(index);
}

struct LabelLook {
    QColor text;
    Qt::Alignment alignment = Qt::AlignLeft;
    bool autoSize = false;
    QColor back = {}; // invalid: transparent
};

Label* MakeLabel(QWidget* parent, const QString& name, QRect twips, const QString& text,
                 const LabelLook& look, const QFont* font = nullptr, const QString& tip = {}) {
    auto* label = new Label(parent);
    label->setObjectName(name);
    label->setGeometry(twips);
    if (font)
        label->setFont(*font);
    label->setAlignment(look.alignment | Qt::AlignTop);
    label->SetTextColour(look.text);
    if (look.back.isValid())
        label->SetBackColour(look.back);
    label->setToolTip(tip);
    label->SetCaption(text);
    label->SetAutoSize(look.autoSize);
    // The layout was measured for a face with tight line spacing; a taller face must not clip.
    if (label->height() < label->sizeHint().height())
        label->resize(label->width(), label->sizeHint().height());
    return label;
}

QPushButton* MakeButton(QWidget* parent, const QString& name, QRect twips, const QString& text,
                        const QFont* font) {
    auto* button = new FlatButton(text, Blue, parent);
    button->setObjectName(name);
    button->setGeometry(twips);
    if (font)
        button->setFont(*font);
    return button;
}

QComboBox* MakeList(QWidget* parent, const QString& name, QRect twips) {
    auto* list = new QComboBox(parent);
    list->setObjectName(name);
    list->setGeometry(twips);
    list->setEditable(false);
    QPalette p = list->palette();
    p.setColor(QPalette::Button, ListBlue);
    p.setColor(QPalette::Base, ListBlue);
    list->setPalette(p);
    return list;
}

QTimer* MakeTimer(QObject* parent, const QString& name, int interval) {
    auto* timer = new QTimer(parent);
    timer->setObjectName(name);
    timer->setInterval(interval);
    return timer;
}

void BuildHistoryPanel(ControlTree& t, QWidget* window) {
    Frame* panel = t.Fr[0] = new Frame(window);
    panel->setObjectName(Indexed("Fr", 0));
    panel->setGeometry(Twips::Rect(25, 30, 4735, 2700));
    panel->MakePanel(Qt::white);

    const QFont todayFont = Hei(10.5, true);
    t.Todayis[0] = MakeLabel(panel, Indexed("Todayis", 0), Twips::Rect(0, 0, 4735, 250),
                             QStringLiteral("今天是：2013年01月20日 星期日"),
                             {FromBgr(0x00E0E0E0), Qt::AlignHCenter, false, Blue}, &todayFont,
                             QStringLiteral("点击查看标准的北京时间"));

    static constexpr std::array<int, 8> HistoryTops = {360, 645, 945, 1230, 1530, 1815, 2100, 2400};
    static constexpr std::array<int, 8> LineTops = {540, 831, 1122, 1413, 1704, 1995, 2286, 2580};
    for (int k = 0; k < 8; ++k) {
        t.History[k] = MakeLabel(panel, Indexed("History", k), Twips::Rect(15, HistoryTops[k], 4720, 180), {},
                                 {FromBgr(0x00808000), Qt::AlignHCenter, true});
        t.History[k]->setMouseTracking(true);
        t.History[k]->setProperty("Tag", QString());
        auto* line = t.Line1[k] = new Decoration(Decoration::Kind::DottedLine, FromBgr(0x00E0E0E0), 1, panel);
        line->setObjectName(Indexed("Line1", k));
        line->setGeometry(Twips::ToPixels(0), Twips::ToPixels(LineTops[k]), Twips::ToPixels(4770), 1);
        line->lower();
    }
    t.T_ShanShuo[0] = MakeTimer(panel, Indexed("T_ShanShuo", 0), 250);
    t.T_ShanShuo[1] = MakeTimer(panel, Indexed("T_ShanShuo", 1), 3000);
}

Frame* MakeCalculationFrame(QWidget* window, int index, int top, const QString& caption) {
    Frame* frame = new Frame(window);
    frame->setObjectName(Indexed("Fr", index));
    frame->setGeometry(Twips::Rect(120, top, 4550, 1000));
    frame->MakeCaptioned(caption, Hei(10.5, true, true), FromBgr(0x00808080), Paper);
    return frame;
}

Label* MakeDateField(QWidget* frame, int index, int left) {
    const QFont font = Hei(9.75);
    Label* field = MakeLabel(frame, Indexed("ChooseDate", index), Twips::Rect(left, 400, 780, 195),
                             QStringLiteral("选择日期"), {FromBgr(0x00FF0000), Qt::AlignHCenter, true}, &font,
                             QStringLiteral("选择日期"));
    field->setMouseTracking(true);
    field->setCursor(Qt::PointingHandCursor);
    return field;
}

Label* MakeWeekday(QWidget* frame, int index, int left, unsigned int colour) {
    return MakeLabel(frame, Indexed("ChooseWeek", index), Twips::Rect(left, 680, 1050, 180),
                     QStringLiteral("(星期？)"), {FromBgr(colour), Qt::AlignHCenter});
}

void BuildOffsetFrame(ControlTree& t, QWidget* window) {
    Frame* frame = t.Fr[1] = MakeCalculationFrame(window, 1, 3000, QStringLiteral("计算日期"));
    t.ChooseDate[1] = MakeDateField(frame, 1, 360);

    auto* box = t.HowmuchDays = new DayCountBox(frame);
    box->setObjectName(QStringLiteral("HowmuchDays"));
    box->setGeometry(Twips::Rect(1430, 450, 720, 275));
    box->setFont(Song(12, true));
    box->setAlignment(Qt::AlignCenter);
    box->setFrame(false);
    box->setToolTip(QStringLiteral("输入天数(可为负数)后按回车键"));
    QPalette p = box->palette();
    p.setColor(QPalette::Text, Grey40);
    p.setColor(QPalette::Base, Qt::white);
    box->setPalette(p);
    box->setText(QStringLiteral("100"));
    box->setAttribute(Qt::WA_NoMousePropagation);

    t.Command1 = MakeButton(frame, QStringLiteral("Command1"), Twips::Rect(2220, 420, 615, 315),
                            QStringLiteral("OK！"), nullptr);
    t.Command1->hide();

    const QFont wordingFont = Hei(10.5, true);
    t.QianHou = MakeLabel(frame, QStringLiteral("QianHou"), Twips::Rect(2205, 480, 1125, 210),
                          QStringLiteral("天之后是："), {Grey40, Qt::AlignLeft, true}, &wordingFont);
    const QFont resultFont = Hei(10.5);
    t.CResult[1] = MakeLabel(
        frame, Indexed("CResult", 1), Twips::Rect(3315, 400, 1050, 210), QStringLiteral("\?\?\?\?/\?\?/\?\?"),
        {FromBgr(0x00008000), Qt::AlignHCenter, true}, &resultFont, QStringLiteral("计算结果"));
    t.ChooseWeek[1] = MakeWeekday(frame, 1, 240, 0x00404040);
    t.ChooseWeek[0] = MakeWeekday(frame, 0, 3360, 0x00404040);
}

void BuildDayCountFrame(ControlTree& t, QWidget* window) {
    Frame* frame = t.Fr[2] = MakeCalculationFrame(window, 2, 4300, QStringLiteral("计算天数"));
    t.ChooseDate[2] = MakeDateField(frame, 2, 240);
    const QFont andFont = Hei(12, true);
    t.yu = MakeLabel(frame, QStringLiteral("yu"), Twips::Rect(1320, 480, 255, 240), QStringLiteral("与"),
                     {Grey40, Qt::AlignLeft, true}, &andFont);
    t.ChooseDate[3] = MakeDateField(frame, 3, 1920);
    t.CResult[2] = MakeLabel(frame, Indexed("CResult", 2), Twips::Rect(2880, 480, 1620, 180),
                             QStringLiteral("相差（?）天"), {FromBgr(0x00008000), Qt::AlignHCenter}, nullptr,
                             QStringLiteral("计算结果"));
    t.ChooseWeek[2] = MakeWeekday(frame, 2, 105, 0x00404040);
    t.ChooseWeek[3] = MakeWeekday(frame, 3, 1785, 0x00004000);
}

void BuildBottomBar(ControlTree& t, QWidget* window) {
    const QColor barText = FromBgr(0x00FFFFC0);
    t.Todayis[1] = MakeLabel(window, Indexed("Todayis", 1), Twips::Rect(0, 5595, 4290, 225),
                             QStringLiteral(" 现在是：00:00"), {barText, Qt::AlignLeft, false, Blue}, nullptr,
                             QStringLiteral("点击查看标准的北京时间"));
    t.AboutMe = MakeLabel(window, QStringLiteral("AboutMe"), Twips::Rect(4295, 5595, 505, 225),
                          QStringLiteral("关于 "), {barText, Qt::AlignRight, false, Blue}, nullptr,
                          QStringLiteral("关于本程序"));
    t.Todayis[1]->setCursor(Qt::PointingHandCursor);
    t.Todayis[0]->setCursor(Qt::PointingHandCursor);
    t.AboutMe->setCursor(Qt::PointingHandCursor);
    t.Timer1 = MakeTimer(window, QStringLiteral("Timer1"), 1);
}

void BuildPicker(ControlTree& t, QWidget* window) {
    QWidget* panel = t.FrCalendar = new QWidget(window);
    panel->setObjectName(QStringLiteral("FrCalendar"));
    panel->setGeometry(Twips::Rect(6000, 0, 3200, 3600));
    QPalette p = panel->palette();
    p.setColor(QPalette::Window, Qt::white);
    panel->setPalette(p);
    panel->setAutoFillBackground(true);
    panel->setAttribute(Qt::WA_NoMousePropagation);

    t.ShCalendar = new Decoration(Decoration::Kind::Outline, Blue, 5, panel);
    t.ShCalendar->setObjectName(QStringLiteral("ShCalendar"));
    t.ShCalendar->setGeometry(Twips::Rect(0, 0, 3200, 3600));

    const QFont titleFont = Song(9.75, true);
    t.LblTitle[0] =
        MakeLabel(panel, Indexed("LblTitle", 0), Twips::Rect(60, 75, 2760, 255), QStringLiteral("选择日期"),
                  {FromBgr(0x00C0FFFF), Qt::AlignLeft, false, Blue}, &titleFont);
    const QFont glyphFont = Song(12, true);
    t.LblTitle[1] =
        MakeLabel(panel, Indexed("LblTitle", 1), Twips::Rect(2800, 75, 380, 255), QStringLiteral("×"),
                  {Qt::white, Qt::AlignHCenter, false, Blue}, &glyphFont, QStringLiteral("关闭"));
    for (Label* title : t.LblTitle)
        title->setAlignment(title->alignment() | Qt::AlignVCenter);

    t.cboyear = MakeList(panel, QStringLiteral("cboyear"), Twips::Rect(240, 480, 915, 300));
    t.cbomonth = MakeList(panel, QStringLiteral("cbomonth"), Twips::Rect(1440, 480, 570, 300));
    const QFont captionFont = Song(9, true);
    const LabelLook captionLook = {QPalette().color(QPalette::WindowText), Qt::AlignLeft, true};
    t.LblNianyue[1] = MakeLabel(panel, Indexed("LblNianyue", 1), Twips::Rect(1185, 555, 195, 180),
                                QStringLiteral("年"), captionLook, &captionFont);
    t.LblNianyue[0] = MakeLabel(panel, Indexed("LblNianyue", 0), Twips::Rect(2040, 555, 195, 180),
                                QStringLiteral("月"), captionLook, &captionFont);
    t.lblday =
        MakeLabel(panel, QStringLiteral("lblday"), Twips::Rect(2325, 555, 615, 180), QStringLiteral("星期日"),
                  {FromBgr(0x00000080), Qt::AlignHCenter, true}, &captionFont);

    QWidget* days = t.Frdays = new QWidget(panel);
    days->setObjectName(QStringLiteral("Frdays"));
    days->setGeometry(Twips::Rect(240, 900, 2700, 1935));
    QPalette dp = days->palette();
    dp.setColor(QPalette::Window, Paper);
    days->setPalette(dp);
    days->setAutoFillBackground(true);
    for (int i = 0; i < 31; ++i) {
        Label* cell = t.lblnumber[i] =
            MakeLabel(days, Indexed("lblnumber", i),
                      Twips::Rect(120 + 360 * (i % 7), 120 + 360 * (i / 7), 300, 285), QString::number(i + 1),
                      {QPalette().color(QPalette::WindowText), Qt::AlignCenter, false, Qt::white});
        cell->setAlignment(Qt::AlignCenter);
        cell->setCursor(Qt::PointingHandCursor);
    }

    const QFont buttonFont = Song(9, true);
    t.cmdok = MakeButton(panel, QStringLiteral("cmdok"), Twips::Rect(280, 3000, 1215, 345),
                         QStringLiteral("确  认"), &buttonFont);
    t.cmdcancel = MakeButton(panel, QStringLiteral("cmdcancel"), Twips::Rect(1700, 3000, 1215, 345),
                             QStringLiteral("取  消"), &buttonFont);
    panel->hide();
}

} // namespace

void SetDayCellMarked(Label* cell, bool marked) {
    cell->setFrameShape(marked ? QFrame::Box : QFrame::NoFrame);
    cell->SetBackColour(marked ? ListBlue : QColor(Qt::white));
}

ControlTree BuildControlTree(QWidget* window) {
    ControlTree t;
    window->setFixedSize(Twips::ToPixels(4800), Twips::ToPixels(5805));
    t.Shape1 = new Decoration(Decoration::Kind::Outline, Blue, 2, window);
    t.Shape1->setObjectName(QStringLiteral("Shape1"));
    t.Shape1->setGeometry(Twips::Rect(0, 0, 4800, 5595));

    BuildHistoryPanel(t, window);
    t.Line1[8] = new Decoration(Decoration::Kind::SolidLine, Blue, 2, window);
    t.Line1[8]->setObjectName(Indexed("Line1", 8));
    t.Line1[8]->setGeometry(0, Twips::ToPixels(2760) - 1, Twips::ToPixels(4760), 2);
    BuildOffsetFrame(t, window);
    BuildDayCountFrame(t, window);
    BuildBottomBar(t, window);
    BuildPicker(t, window);

    // Keyboard order: the picker's buttons and lists first, then the day-count box and its button.
    QWidget::setTabOrder(t.cmdok, t.cmdcancel);
    QWidget::setTabOrder(t.cmdcancel, t.cbomonth);
    QWidget::setTabOrder(t.cbomonth, t.cboyear);
    QWidget::setTabOrder(t.cboyear, t.HowmuchDays);
    QWidget::setTabOrder(t.HowmuchDays, t.Command1);
    return t;
}
