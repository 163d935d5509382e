#pragma once
// The twips of the design (model/twip_rect.h) as the toolkit's pixels; Qt's high-DPI
// scaling takes care of larger screens.

#include <QRect>

#include "model/twip_rect.h"

namespace kalvox {

inline QRect toPixels(const TwipRect& r) {
    return QRect(twipsToPixels(r.left), twipsToPixels(r.top), twipsToPixels(r.width),
                 twipsToPixels(r.height));
}

}  // namespace kalvox
