#include "panel/phasor_painter.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

#include "ui/chinese_font.h"

namespace kalvox {
namespace {

constexpr double kLegendGap = 16;
constexpr double kPadding = 12;
constexpr double kSmallestSquare = 160;

QColor qColour(const Rgb& c) { return QColor(c.r, c.g, c.b); }

QPointF qPoint(PhasorPoint p) { return {p.x, p.y}; }

void drawLabel(QPainter& painter, const PhasorLabel& label, PhasorPoint at) {
    const QFontMetricsF metrics(painter.font());
    const QString text = QString::fromStdString(label.text);
    const double width = metrics.horizontalAdvance(text);
    double x = at.x;
    if (label.align == TextAlign::Middle) x -= width / 2;
    if (label.align == TextAlign::End) x -= width;
    // The baseline: the text above, around or below the point.
    double y = at.y;
    if (label.baseline == TextBaseline::Centre) y += (metrics.ascent() - metrics.descent()) / 2;
    if (label.baseline == TextBaseline::Below) y += metrics.ascent();
    if (label.baseline == TextBaseline::Above) y -= metrics.descent();
    painter.drawText(QPointF(x, y), text);
}

void drawArrow(QPainter& painter, const PhasorArrow& arrow, const PhasorFrame& frame) {
    const PhasorPoint from = frame.toPixels(arrow.from);
    const PhasorPoint to = frame.toPixels(arrow.to);
    const QColor colour = qColour(arrow.colour);
    QPen pen(colour, arrowLineWidth(arrow), arrow.dashed ? Qt::DashLine : Qt::SolidLine,
             Qt::FlatCap, Qt::RoundJoin);
    painter.setPen(pen);
    painter.setBrush(colour);
    if (std::hypot(to.x - from.x, to.y - from.y) < 0.5) {
        painter.drawEllipse(qPoint(to), kPhasorDotRadius, kPhasorDotRadius);
        return;
    }
    const ArrowHead head = arrowHeadOf(arrow, from, to);
    // The shaft ends inside the head, so the line's end does not blunt the tip.
    const PhasorPoint back{(head.left.x + head.right.x) / 2, (head.left.y + head.right.y) / 2};
    painter.drawLine(qPoint(from), qPoint(back));
    pen.setStyle(Qt::SolidLine);
    pen.setWidthF(1);
    painter.setPen(pen);
    QPainterPath triangle;
    triangle.moveTo(qPoint(to));
    triangle.lineTo(qPoint(head.left));
    triangle.lineTo(qPoint(head.right));
    triangle.closeSubpath();
    painter.drawPath(triangle);
}

QFont diagramFont() {
    QFont font = chineseFont(9);
    font.setPixelSize(static_cast<int>(kPhasorFontPixels));
    return font;
}

}  // namespace

PhasorFrame phasorPictureFrame(const PhasorDiagram& diagram, const QRectF& area) {
    const QFontMetricsF metrics(diagramFont());
    double legendWidth = 0;
    for (const std::string& line : diagram.legend) {
        legendWidth =
            std::max(legendWidth, metrics.horizontalAdvance(QString::fromStdString(line)));
    }
    const double side =
        std::max(kSmallestSquare,
                 std::min(area.height(), area.width() - legendWidth - kLegendGap - kPadding));
    const double top = area.top() + (area.height() - std::min(side, area.height())) / 2;
    return phasorFrame(diagram, area.left(), top, side);
}

void paintPhasorDiagram(QPainter& painter, const PhasorDiagram& diagram, const QRectF& area) {
    painter.save();
    painter.fillRect(area, Qt::white);
    painter.setRenderHint(QPainter::Antialiasing);
    const QFont font = diagramFont();
    painter.setFont(font);
    const QFontMetricsF metrics(font);
    painter.setPen(qColour(kTextColour));

    if (diagram.empty()) {
        painter.drawText(area.adjusted(kPadding, kPadding, -kPadding, -kPadding),
                         Qt::AlignCenter | Qt::TextWordWrap,
                         QString::fromStdString(diagram.message));
        painter.restore();
        return;
    }

    const PhasorFrame frame = phasorPictureFrame(diagram, area);
    const double side = 2 * (frame.centreX - area.left());

    // Axes, circle and angle marks in grey, their texts a darker grey.
    painter.setPen(QPen(qColour(kGridColour), 1));
    painter.setBrush(Qt::NoBrush);
    const double e = diagram.extent;
    painter.drawLine(qPoint(frame.toPixels({-e, 0})), qPoint(frame.toPixels({e, 0})));
    painter.drawLine(qPoint(frame.toPixels({0, -e})), qPoint(frame.toPixels({0, e})));
    const double radius = diagram.circleRadius * frame.pixelsPerUnit;
    painter.drawEllipse(qPoint(frame.toPixels({0, 0})), radius, radius);
    for (const PhasorTick& t : diagram.ticks) {
        painter.drawLine(qPoint(frame.toPixels(t.inner)), qPoint(frame.toPixels(t.outer)));
    }
    painter.setPen(QColor(112, 112, 112));
    for (const PhasorTick& t : diagram.ticks) {
        drawLabel(painter, t.label, frame.toPixels(t.label.at));
    }

    for (const auto* list : {&diagram.arrows, &diagram.sums}) {
        for (const PhasorArrow& a : *list) drawArrow(painter, a, frame);
    }
    painter.setPen(qColour(kTextColour));
    for (const PhasorLabel& label : placedLabels(diagram, frame, metrics.height())) {
        drawLabel(painter, label, label.at);
    }

    // The legend right of the square.
    const double lineHeight = metrics.lineSpacing() * 1.3;
    double y = area.top() + kPadding;
    const double x = area.left() + side + kLegendGap;
    for (const std::string& line : diagram.legend) {
        drawLabel(painter, {line, {}, TextAlign::Start, TextBaseline::Below}, {x, y});
        y += lineHeight;
    }
    painter.restore();
}

}  // namespace kalvox
