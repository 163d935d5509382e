#include "ui/chinese_font.h"

#include <QFontDatabase>
#include <QStringList>
#include <array>

namespace kalvox {
namespace {

struct ChineseFamily {
    const char* name;  // UTF-8
    bool inPixelFont;  // named by chinesePixelFont() as well
};

// In order of preference.
constexpr std::array<ChineseFamily, 10> kFamilies{{
    {"宋体", false},
    {"SimSun", true},
    {"NSimSun", true},
    {"Microsoft YaHei", true},
    {"AR PL UMing CN", false},
    {"Noto Serif CJK SC", false},
    {"WenQuanYi Micro Hei", true},
    {"Noto Sans CJK SC", true},
    {"WenQuanYi Zen Hei", false},
    {"Droid Sans Fallback", false},
}};

}  // namespace

QFont chineseFont(qreal pointSize) {
    const QStringList installed = QFontDatabase::families(QFontDatabase::SimplifiedChinese);
    QStringList families;
    for (const ChineseFamily& family : kFamilies) {
        const QString name = QString::fromUtf8(family.name);
        if (installed.contains(name, Qt::CaseInsensitive)) families.append(name);
    }
    if (families.isEmpty()) families.append(QString::fromUtf8(kFamilies.front().name));
    QFont font;
    font.setFamilies(families);
    font.setPointSizeF(pointSize);
    font.setWeight(QFont::Normal);
    return font;
}

QFont chinesePixelFont(QFont base, int pixelSize) {
    QStringList families;
    for (const ChineseFamily& family : kFamilies) {
        if (family.inPixelFont) families.append(QString::fromUtf8(family.name));
    }
    base.setFamilies(families);
    base.setPixelSize(pixelSize);
    return base;
}

}  // namespace kalvox
