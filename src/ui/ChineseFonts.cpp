#include "ChineseFonts.h"

#include <QFont>
#include <QStringList>

void InstallChineseFonts() {
    // Where the Windows faces exist they win; otherwise the Noto CJK families stand in.
    QFont::insertSubstitutions(
        QStringLiteral("宋体"),
        {QStringLiteral("SimSun"), QStringLiteral("Noto Sans CJK SC"), QStringLiteral("WenQuanYi Zen Hei")});
    QFont::insertSubstitutions(
        QStringLiteral("黑体"),
        {QStringLiteral("SimHei"), QStringLiteral("Noto Sans CJK SC"), QStringLiteral("WenQuanYi Zen Hei")});
}
