#pragma once

#include <QColor>

#include <array>

class Decoration;
class DayCountBox;
class Frame;
class Label;
class QComboBox;
class QPushButton;
class QTimer;
class QWidget;

// A colour written as &H00BBGGRR.
QColor FromBgr(unsigned int bgr);

// Every control of the main window, created by BuildControlTree with its designed place, text, look
// and object name. Arrays are indexed as the controls are numbered (unused members stay null).
struct ControlTree {
    Decoration* Shape1 = nullptr;
    std::array<Frame*, 3> Fr = {};
    std::array<Label*, 2> Todayis = {};
    std::array<Label*, 8> History = {};
    std::array<Decoration*, 9> Line1 = {};
    std::array<QTimer*, 2> T_ShanShuo = {};
    QTimer* Timer1 = nullptr;
    Label* AboutMe = nullptr;

    std::array<Label*, 4> ChooseDate = {};
    std::array<Label*, 4> ChooseWeek = {};
    std::array<Label*, 3> CResult = {};
    DayCountBox* HowmuchDays = nullptr;
    QPushButton* Command1 = nullptr;
    Label* QianHou = nullptr;
    Label* yu = nullptr;

    QWidget* FrCalendar = nullptr;
    Decoration* ShCalendar = nullptr;
    std::array<Label*, 2> LblTitle = {};
    QComboBox* cboyear = nullptr;
    QComboBox* cbomonth = nullptr;
    std::array<Label*, 2> LblNianyue = {};
    Label* lblday = nullptr;
    QWidget* Frdays = nullptr;
    std::array<Label*, 31> lblnumber = {};
    QPushButton* cmdok = nullptr;
    QPushButton* cmdcancel = nullptr;
};

// Builds the whole tree inside `window`, whose client area is set to the visible 4800 twips.
ControlTree BuildControlTree(QWidget* window);

// Lays a day cell out as marked (border, blue) or unmarked (white).
void SetDayCellMarked(Label* cell, bool marked);
