#include "ChineseFonts.h"

#include <QFontDatabase>
#include <QStringList>

namespace {

// The Windows faces first; then faces with their metrics. A substitution list would make Qt search
// through the fallbacks for every font it builds, so the family is settled here once instead.
QString FirstInstalled(const QStringList& candidates) {
    for (const QString& family : candidates)
        if (QFontDatabase::hasFamily(family))
            return family;
    return candidates.first();
}

const QString& SongFamily() {
    static const QString family =
        FirstInstalled({QStringLiteral("SimSun"), QStringLiteral("AR PL UMing CN"),
                        QStringLiteral("WenQuanYi Zen Hei Mono"), QStringLiteral("Noto Sans Mono CJK SC")});
    return family;
}

const QString& HeiFamily() {
    static const QString family =
        FirstInstalled({QStringLiteral("SimHei"), QStringLiteral("WenQuanYi Zen Hei Mono"),
                        QStringLiteral("Noto Sans Mono CJK SC"), QStringLiteral("AR PL UMing CN")});
    return family;
}

QFont Make(const QString& family, qreal points, bool bold, bool italic) {
    QFont font(family);
    font.setPointSizeF(points);
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}

} // namespace

namespace ChineseFonts {

QFont Song(qreal points, bool bold) {
    return Make(SongFamily(), points, bold, false);
}

QFont Hei(qreal points, bool bold, bool italic) {
    return Make(HeiFamily(), points, bold, italic);
}

} // namespace ChineseFonts
