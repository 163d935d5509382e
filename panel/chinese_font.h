#pragma once
// Fonts of the window: "宋体" where it is installed, otherwise another Chinese font.

#include <QFont>

namespace kalvox {

// A font of "宋体" at the given size, with installed Chinese families as fallbacks.
QFont chineseFont(qreal pointSize);

}  // namespace kalvox
