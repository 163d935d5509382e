#include "about/app_icon.h"

#include <QString>

#include "ui/icon_sizes.h"

// Registers the compiled-in resource file "kalvox_icons" with Qt. It lives in
// the global namespace because the resource compiler names it there.
static void initIconResources() { Q_INIT_RESOURCE(kalvox_icons); }

namespace kalvox {

QIcon appIcon() {
    initIconResources();
    QIcon icon;
    for (int size : kIconSizes) {
        icon.addFile(QStringLiteral(":/kalvox/icons/kalvox-%1.png").arg(size), QSize(size, size));
    }
    return icon;
}

QPixmap appIconPixmap32() {
    initIconResources();
    return QPixmap(QStringLiteral(":/kalvox/icons/kalvox-32.png"));
}

}  // namespace kalvox
