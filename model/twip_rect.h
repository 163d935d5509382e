#pragma once
// The window and its dialogs are designed in twips (1/1440 inch). At 100% scale one
// device-independent pixel stands for 15 twips. Standard C++ only; ui/twips.h turns
// the rectangles into the toolkit's.

namespace kalvox {

inline constexpr int kTwipsPerPixel = 15;

// A length in twips as whole pixels, rounded to the nearest pixel.
constexpr int twipsToPixels(int twips) { return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel; }

// A rectangle given in twips (left, top, width, height).
struct TwipRect {
    int left;
    int top;
    int width;
    int height;
};

}  // namespace kalvox
