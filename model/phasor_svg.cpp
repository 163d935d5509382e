#include "model/phasor_svg.h"

#include <algorithm>
#include <cmath>

#include "engine/detail/float_chars.h"

namespace kalvox {
namespace {

constexpr double kLegendGap = 16;      // between the square and the legend
constexpr double kLegendLine = 18;     // one line of the legend
constexpr double kLegendPadding = 16;  // around the legend
constexpr const char* kFontFamily =
    "WenQuanYi Micro Hei, Microsoft YaHei, Noto Sans CJK SC, sans-serif";

// A coordinate with two decimals, independent of the locale.
std::string num(double x) {
    if (std::fabs(x) < 0.005) x = 0;  // no "-0.00"
    char buffer[32];
    std::string s(buffer, detail::writeFixed(x, 2, buffer, sizeof buffer));
    while (s.back() == '0') s.pop_back();
    if (s.back() == '.') s.pop_back();
    return s;
}

std::string colour(const Rgb& c) {
    constexpr char kHex[] = "0123456789abcdef";
    std::string s = "#";
    for (std::uint8_t v : {c.r, c.g, c.b}) {
        s += kHex[v >> 4];
        s += kHex[v & 15];
    }
    return s;
}

// The width a text takes, roughly: Chinese characters a full em, the rest 0.6 em.
double textWidth(std::string_view text, double fontPixels) {
    double width = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto b = static_cast<unsigned char>(text[i]);
        if ((b & 0xC0) == 0x80) continue;
        width += b >= 0xE0 ? 1.0 : 0.6;
    }
    return width * fontPixels;
}

void line(std::string& out, PhasorPoint a, PhasorPoint b) {
    out += "<line x1=\"" + num(a.x) + "\" y1=\"" + num(a.y) + "\" x2=\"" + num(b.x) + "\" y2=\"" +
           num(b.y) + "\"/>\n";
}

void text(std::string& out, const PhasorLabel& label, PhasorPoint at, const char* fill) {
    const char* anchor = label.align == TextAlign::Start    ? "start"
                         : label.align == TextAlign::Middle ? "middle"
                                                            : "end";
    double y = at.y;
    if (label.baseline == TextBaseline::Centre) y += kPhasorFontPixels * 0.35;
    if (label.baseline == TextBaseline::Below) y += kPhasorFontPixels * 0.85;
    out += "<text x=\"" + num(at.x) + "\" y=\"" + num(y) + "\" text-anchor=\"" + anchor +
           "\" fill=\"" + fill + "\">" + xmlEscaped(label.text) + "</text>\n";
}

// One step of a path's data: the command and its point.
void step(std::string& d, char command, PhasorPoint p) {
    d += command;
    d.append(num(p.x)).append(" ").append(num(p.y)).append(" ");
}

// One arrow as one path: the shaft, then the head as a closed triangle; a value of
// magnitude 0 as a dot.
void arrow(std::string& out, const PhasorArrow& a, const PhasorFrame& frame) {
    const PhasorPoint from = frame.toPixels(a.from);
    const PhasorPoint to = frame.toPixels(a.to);
    std::string d;
    if (std::hypot(to.x - from.x, to.y - from.y) < 0.5) {
        // Two half circles.
        const std::string r = num(kPhasorDotRadius);
        step(d, 'M', {to.x - kPhasorDotRadius, to.y});
        for (double across : {2 * kPhasorDotRadius, -2 * kPhasorDotRadius}) {
            d.append("a").append(r).append(" ").append(r).append(" 0 1 0 ");
            d.append(num(across)).append(" 0 ");
        }
    } else {
        const ArrowHead head = arrowHeadOf(a, from, to);
        step(d, 'M', from);
        step(d, 'L', to);
        step(d, 'M', head.left);
        step(d, 'L', to);
        step(d, 'L', head.right);
    }
    d += 'Z';
    const std::string c = colour(a.colour);
    out += "<path class=\"" + std::string(a.dashed ? "phasor-sum" : "phasor") + "\" d=\"" + d +
           "\" stroke=\"" + c + "\" fill=\"" + c + "\" stroke-width=\"" + num(arrowLineWidth(a)) +
           "\" stroke-linejoin=\"round\"" + (a.dashed ? " stroke-dasharray=\"7 4\"" : "") +
           "><title>" + xmlEscaped(a.name + " " + a.valueText) + "</title></path>\n";
}

}  // namespace

std::string xmlEscaped(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            case '\'':
                out += "&apos;";
                break;
            default:
                // Control characters have no place in XML 1.0 text.
                if (static_cast<unsigned char>(c) >= 0x20 || c == '\t' || c == '\n') out += c;
        }
    }
    return out;
}

std::string phasorSvg(const PhasorDiagram& diagram) {
    const double side = kSvgDiagramSide;
    std::vector<std::string> legend = diagram.legend;
    if (diagram.empty()) legend = {diagram.message};
    double legendWidth = 0;
    for (const std::string& l : legend) {
        legendWidth = std::max(legendWidth, textWidth(l, kPhasorFontPixels));
    }
    const double legendLeft = diagram.empty() ? kLegendPadding : side + kLegendGap;
    const double width = std::ceil(legendLeft + legendWidth + kLegendPadding);
    const double height = std::ceil(
        std::max(diagram.empty() ? 0 : side, kLegendPadding * 2 + kLegendLine * legend.size()));

    std::string out =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"" +
        num(width) + "\" height=\"" + num(height) + "\" viewBox=\"0 0 " + num(width) + " " +
        num(height) + "\" font-family=\"" + kFontFamily + "\" font-size=\"" +
        num(kPhasorFontPixels) + "\">\n<title>相量图</title>\n<rect width=\"" + num(width) +
        "\" height=\"" + num(height) + "\" fill=\"#ffffff\"/>\n";

    if (!diagram.empty()) {
        const PhasorFrame frame = phasorFrame(diagram, 0, 0, side);
        const std::string grid = colour(kGridColour);
        out += "<g stroke=\"" + grid + "\" stroke-width=\"1\" fill=\"none\">\n";
        const double e = diagram.extent;
        line(out, frame.toPixels({-e, 0}), frame.toPixels({e, 0}));
        line(out, frame.toPixels({0, -e}), frame.toPixels({0, e}));
        const PhasorPoint centre = frame.toPixels({0, 0});
        out += "<circle cx=\"" + num(centre.x) + "\" cy=\"" + num(centre.y) + "\" r=\"" +
               num(diagram.circleRadius * frame.pixelsPerUnit) + "\"/>\n";
        for (const PhasorTick& t : diagram.ticks) {
            line(out, frame.toPixels(t.inner), frame.toPixels(t.outer));
        }
        out += "</g>\n";
        for (const PhasorTick& t : diagram.ticks) {
            text(out, t.label, frame.toPixels(t.label.at), "#707070");
        }
        for (const auto* list : {&diagram.arrows, &diagram.sums}) {
            for (const PhasorArrow& a : *list) arrow(out, a, frame);
        }
        for (const PhasorLabel& label : placedLabels(diagram, frame, kPhasorFontPixels * 1.2)) {
            text(out, label, label.at, "#000000");
        }
    }

    double y = kLegendPadding;
    for (const std::string& l : legend) {
        const PhasorLabel row{l, {}, TextAlign::Start, TextBaseline::Below};
        text(out, row, {legendLeft, y}, "#000000");
        y += kLegendLine;
    }
    out += "</svg>\n";
    return out;
}

}  // namespace kalvox
