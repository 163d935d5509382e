#include "panel/chinese_font.h"

#include <QFontDatabase>
#include <QStringList>

namespace kalvox {

QFont chineseFont(qreal pointSize) {
    static const QStringList preferred = {
        QStringLiteral("宋体"),
        QStringLiteral("SimSun"),
        QStringLiteral("NSimSun"),
        QStringLiteral("AR PL UMing CN"),
        QStringLiteral("Noto Serif CJK SC"),
        QStringLiteral("WenQuanYi Micro Hei"),
        QStringLiteral("Noto Sans CJK SC"),
        QStringLiteral("WenQuanYi Zen Hei"),
        QStringLiteral("Droid Sans Fallback"),
    };
    const QStringList installed = QFontDatabase::families(QFontDatabase::SimplifiedChinese);
    QStringList families;
    for (const QString& family : preferred) {
        if (installed.contains(family, Qt::CaseInsensitive)) families.append(family);
    }
    if (families.isEmpty()) families.append(preferred.first());
    QFont font;
    font.setFamilies(families);
    font.setPointSizeF(pointSize);
    font.setWeight(QFont::Normal);
    return font;
}

}  // namespace kalvox
