#pragma once
// The program's icon: a phasor at 30 degrees in the complex plane. The same
// picture serves as the window icon and in the About dialog.

#include <QIcon>
#include <QPixmap>

namespace kalvox {

// The icon in every size the resources carry (kIconSizes).
QIcon appIcon();

// The icon as a 32 x 32 picture, as the About dialog shows it.
QPixmap appIconPixmap32();

}  // namespace kalvox
