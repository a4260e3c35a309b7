#pragma once

#include <QFont>

// The window's two Chinese faces, "宋体" (Song) and "黑体" (Hei). Each is resolved once to the first
// installed family of its candidates, faces whose characters are one em wide, ASCII half an em and the
// line about one em high, so texts fill the layout's boxes as designed. Every attribute is set
// explicitly, so a control never inherits italic or bold from its container.
namespace ChineseFonts {

QFont Song(qreal points, bool bold = false);
QFont Hei(qreal points, bool bold = false, bool italic = false);

} // namespace ChineseFonts
