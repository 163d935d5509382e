#include "memory/gbk_codec.h"

namespace kalvox {

QString codePointText(char32_t c) {
    return QStringLiteral("U+%1").arg(static_cast<uint>(c), 4, 16, QLatin1Char('0')).toUpper();
}

}  // namespace kalvox
