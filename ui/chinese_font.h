#pragma once
// Fonts of the window and its dialogs: "宋体" where it is installed, otherwise another
// Chinese font. All Chinese families the program names are listed in one place.

#include <QFont>

namespace kalvox {

// The window's font: "宋体" at the given size, with the installed Chinese families as
// fallbacks (the first family of the list when none of them is installed).
QFont chineseFont(qreal pointSize);

// A font for a dialog laid out in pixels: `base` with the Song faces and two common
// sans faces named, installed or not, at the given pixel size.
QFont chinesePixelFont(QFont base, int pixelSize);

}  // namespace kalvox
