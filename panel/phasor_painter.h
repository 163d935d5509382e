#pragma once
// Paints a phasor diagram's description with QPainter: the square with axes, circle,
// angle marks and arrows at the left, the legend to its right. The geometry is the
// description's own; this only maps it onto pixels.

#include <QRectF>

#include "model/phasor_diagram.h"

class QPainter;

namespace kalvox {

// Paints the diagram into the area (white background included). A diagram without
// values shows its one-line message.
void paintPhasorDiagram(QPainter& painter, const PhasorDiagram& diagram, const QRectF& area);

// Where paintPhasorDiagram puts the diagram's square in the area: the centre and the
// pixels per unit, so a point of the description can be found in the picture.
PhasorFrame phasorPictureFrame(const PhasorDiagram& diagram, const QRectF& area);

}  // namespace kalvox
