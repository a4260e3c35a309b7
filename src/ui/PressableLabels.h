#pragma once

#include <QString>

class QWidget;

// The labels that act on a click, made usable without a mouse: Tab reaches them after the design's
// controls, Enter or Space presses them, they show the focus outline, and a screen reader finds
// each as a button (a link for the time page) whose press action does what a click does. History
// entries are named after their place, an empty one as such ("历史记录 3：空"). Lines and outlines
// are left out of what a screen reader reads.
namespace PressableLabels {

// `window` holds the controls by their design names; the new tab stops follow `last`.
void SetUp(QWidget* window, QWidget* last);

} // namespace PressableLabels
