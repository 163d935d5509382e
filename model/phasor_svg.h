#pragma once
// The phasor diagram as an SVG picture, for reports: kalvox-calc --phasors and the
// diagram window's 另存为 write it. Every value is one <path> (its shaft and head,
// class "phasor"), the dashed sum of the head-to-tail view one <path> of class
// "phasor-sum"; axes, circle and angle marks are lines and a circle. The legend
// stands to the right of the diagram. Standard C++ only; UTF-8.

#include <string>
#include <string_view>

#include "model/phasor_diagram.h"

namespace kalvox {

// The side of the diagram's square in the picture, in pixels.
inline constexpr int kSvgDiagramSide = 480;

// The whole SVG document.
std::string phasorSvg(const PhasorDiagram& diagram);

// A text with the characters XML reserves written as entities.
std::string xmlEscaped(std::string_view text);

}  // namespace kalvox
