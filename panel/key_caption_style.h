#pragma once
// Room for the captions of the window's small keys under the Windows styles.

#include <QFont>
#include <QString>

class QPushButton;

namespace kalvox {

// Under the Windows styles, whose push buttons keep wide margins around their text,
// the key's caption gets the whole button but a one-pixel frame, and a caption still
// wider than that (a wide fallback font, as under Wine without SimSun) is drawn in a
// smaller size that fits, never clipped. The button keeps its place and size; under
// other styles nothing changes.
void giveCaptionRoom(QPushButton* key);

// The font, no smaller than 6 points, in which text fits width pixels: the font
// itself when the text fits, else the largest half-point size below it that does.
QFont fittingCaptionFont(const QFont& font, const QString& text, int width);

}  // namespace kalvox
