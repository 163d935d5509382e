#include "model/phasor_diagram.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "engine/detail/float_chars.h"
#include "engine/error_messages.h"
#include "engine/number_item.h"
#include "engine/number_text.h"
#include "engine/value_forms.h"
#include "model/symmetrical_components.h"

namespace kalvox {
namespace {

constexpr std::array<Rgb, kRegisterCount> kColours{{
    {184, 134, 11},  // phase a: dark yellow
    {34, 139, 34},   // phase b: green
    {220, 20, 60},   // phase c: red
    {30, 90, 200},   // blue
    {138, 43, 226},  // violet
    {0, 139, 139},   // cyan
    {240, 110, 0},   // orange
    {139, 69, 19},   // brown
    {255, 20, 147},  // pink
}};

// The angle marks: every 30 degrees, from the circle outwards, their texts beyond.
constexpr int kTickStep = 30;
constexpr double kTickLength = 0.04;
constexpr double kTickTextRadius = 1.1;
// Room beyond the angle marks' texts, so that they fit into the square.
constexpr double kTickTextRoom = 0.08;
// Gap between an arrow and its name, as a share of the square's half side.
constexpr double kLabelGap = 0.03;
// Room for a name beyond the farthest point of an arrow, in circle radii.
constexpr double kNameRoom = 0.07;
// Below this share of the magnitudes added, a sum counts as zero: what is left is
// the rounding of the values' texts (the engine's own rule for a sum).
constexpr double kCancelledSum = 1e-13;
// How far back from the tip an arrow's name stands, in circle radii.
constexpr double kBesideHead = 0.1;
// Arrows whose ends lie closer than this, in circle radii, lie on one another.
constexpr double kSameEnd = 0.01;
// A direction component beyond this puts a text beside the point rather than
// centred on it.
constexpr double kSideways = 0.38;

std::string_view trimmed(std::string_view s) {
    const std::size_t b = s.find_first_not_of(" \t");
    if (b == std::string_view::npos) return {};
    return s.substr(b, s.find_last_not_of(" \t") - b + 1);
}

// A real value text: one number item with an optional sign.
std::optional<double> readReal(std::string_view text) {
    std::string_view item = text;
    if (!item.empty() && (item.front() == '-' || item.front() == '+')) item.remove_prefix(1);
    if (item.empty() || holdsImaginaryUnit(item) || !isWellFormedNumber(item)) return std::nullopt;
    return leadingNumber(text);
}

double wrappedAngle(double a) {
    a = std::fmod(a, 360.0);
    if (a > 180) a -= 360;
    if (a <= -180) a += 360;
    return a;
}

std::optional<Phasor> normalised(std::optional<double> magnitude, std::optional<double> angle) {
    if (!magnitude || !angle || !std::isfinite(*magnitude) || !std::isfinite(*angle))
        return std::nullopt;
    Phasor p{*magnitude, *angle};
    if (p.magnitude < 0) {
        p.magnitude = -p.magnitude;
        p.angle += 180;
    }
    p.angle = wrappedAngle(p.angle);
    if (p.magnitude == 0) p.angle = 0;
    return p;
}

PhasorPoint rectangular(const Phasor& p, double scale) {
    if (p.magnitude == 0) return {};
    const double r = degToRad(p.angle);
    return {p.magnitude * std::cos(r) / scale, p.magnitude * std::sin(r) / scale};
}

double length(PhasorPoint p) { return std::hypot(p.x, p.y); }

const char* unitText(PhasorUnit unit) {
    switch (unit) {
        case PhasorUnit::Voltage:
            return "U/V";
        case PhasorUnit::Current:
            return "I";
        case PhasorUnit::Other:
            break;
    }
    return "其他";
}

// A text beside point `at`, on the side the direction (dx, dy) points to.
PhasorLabel besides(std::string text, PhasorPoint at, double dx, double dy) {
    PhasorLabel label{std::move(text), at, TextAlign::Middle, TextBaseline::Centre};
    if (dx > kSideways) label.align = TextAlign::Start;
    if (dx < -kSideways) label.align = TextAlign::End;
    if (dy > kSideways) label.baseline = TextBaseline::Above;
    if (dy < -kSideways) label.baseline = TextBaseline::Below;
    return label;
}

// The name of an arrow: beyond the tip of an arrow from the origin; beside the
// middle of an arrow in a chain, whose tip the next arrow starts from.
PhasorLabel arrowLabel(const PhasorArrow& arrow, bool atMiddle, double gap) {
    const double dx = arrow.to.x - arrow.from.x;
    const double dy = arrow.to.y - arrow.from.y;
    const double len = std::hypot(dx, dy);
    if (len < 1e-9) {
        // A zero value: its name below and right of the point.
        return {arrow.name,
                {arrow.to.x + gap, arrow.to.y - gap},
                TextAlign::Start,
                TextBaseline::Below};
    }
    const double ux = dx / len;
    const double uy = dy / len;
    // On the left-hand side of the arrow (the sum takes the right-hand side): beside
    // the head, so that the texts beyond the circle stay clear, or beside the middle.
    const double side = arrow.dashed ? -1 : 1;
    const double nx = -uy * side;
    const double ny = ux * side;
    const double along = atMiddle ? len / 2 : len - std::min(len / 2, kBesideHead);
    const PhasorPoint at{arrow.from.x + ux * along + nx * gap,
                         arrow.from.y + uy * along + ny * gap};
    return besides(arrow.name, at, nx, ny);
}

}  // namespace

std::optional<Phasor> readPhasor(std::string_view content) {
    const std::string_view text = trimmed(content);
    if (text.empty() || isErrorDisplay(text)) return std::nullopt;
    if (!holdsImaginaryUnit(text)) return normalised(readReal(text), 0.0);
    const std::optional<ValueForms> forms = valueForms(text);
    if (!forms) return std::nullopt;
    const std::string_view exponential = forms->exponential;
    const std::size_t p = exponential.find("ej");
    // A complex value on an axis may come back as a real.
    if (p == std::string_view::npos) return normalised(readReal(exponential), 0.0);
    return normalised(leadingNumber(exponential.substr(0, p)),
                      leadingNumber(exponential.substr(p + 2)));
}

PhasorUnit unitOfName(std::string_view name) {
    name = trimmed(name);
    if (name.empty()) return PhasorUnit::Other;
    switch (name.front()) {
        case 'U':
        case 'u':
        case 'V':
        case 'v':
            return PhasorUnit::Voltage;
        case 'I':
        case 'i':
            return PhasorUnit::Current;
        default:
            return PhasorUnit::Other;
    }
}

std::vector<PhasorValue> registerPhasors(const MemoryRegisters& registers) {
    // Registers 4-6 as 对称分量 stored them from registers 1-3: their stored
    // expressions are the sequence expressions of the phases' texts.
    const std::array<std::string, 3> sequences =
        sequenceExpressions(registers[0].content, registers[1].content, registers[2].content);
    bool components = true;
    for (std::size_t i = 0; i < 3; ++i) {
        const MemoryRegister& phase = registers[static_cast<std::size_t>(kPhaseRegisters[i] - 1)];
        const MemoryRegister& part = registers[static_cast<std::size_t>(kSequenceRegisters[i] - 1)];
        components =
            components && !trimmed(phase.content).empty() && part.storedExpression == sequences[i];
    }

    std::vector<PhasorValue> values;
    for (int k = 1; k <= kRegisterCount; ++k) {
        const MemoryRegister& reg = registers[static_cast<std::size_t>(k - 1)];
        const std::optional<Phasor> value = readPhasor(reg.content);
        if (!value) continue;
        const std::string_view tag = trimmed(reg.tag);
        PhasorValue v;
        v.name = tag.empty() ? "MW" + std::to_string(k) : std::string(tag);
        v.value = *value;
        v.colour = k - 1;
        v.chained = !(components && k >= kSequenceRegisters[0] && k <= kSequenceRegisters[2]);
        values.push_back(std::move(v));
    }
    return values;
}

std::span<const Rgb> phasorColours() { return kColours; }

ArrowHead arrowHead(PhasorPoint from, PhasorPoint to, double length, double halfWidth) {
    const double dx = to.x - from.x;
    const double dy = to.y - from.y;
    const double len = std::hypot(dx, dy);
    if (len == 0) return {to, to};
    const double shrink = std::min(1.0, len / 2 / length);
    length *= shrink;
    halfWidth *= shrink;
    const double ux = dx / len;
    const double uy = dy / len;
    const PhasorPoint back{to.x - ux * length, to.y - uy * length};
    return {{back.x - uy * halfWidth, back.y + ux * halfWidth},
            {back.x + uy * halfWidth, back.y - ux * halfWidth}};
}

ArrowHead arrowHeadOf(const PhasorArrow& a, PhasorPoint from, PhasorPoint to) {
    return arrowHead(from, to, kPhasorHeadLength * (1 + 0.5 * a.covered),
                     kPhasorHeadHalfWidth * (1 + a.covered));
}

PhasorFrame phasorFrame(const PhasorDiagram& diagram, double left, double top, double side) {
    const double half = side / 2;
    const double usable = std::max(half - kPhasorMargin, half / 2);
    return {left + half, top + half, usable / diagram.extent};
}

std::vector<PhasorLabel> placedLabels(const PhasorDiagram& diagram, const PhasorFrame& frame,
                                      double lineHeight) {
    std::vector<PhasorLabel> labels;
    for (const auto* list : {&diagram.arrows, &diagram.sums}) {
        for (const PhasorArrow& a : *list) {
            PhasorLabel label = a.label;
            label.at = frame.toPixels(label.at);
            labels.push_back(std::move(label));
        }
    }
    // One line at a time away from the arrow: up for a text above it, else down.
    for (std::size_t i = 0; i < labels.size(); ++i) {
        for (int tries = 0; tries < kRegisterCount * 2; ++tries) {
            bool clash = false;
            for (std::size_t j = 0; j < i && !clash; ++j) {
                clash = labels[i].align == labels[j].align &&
                        std::fabs(labels[i].at.x - labels[j].at.x) < lineHeight * 2 &&
                        std::fabs(labels[i].at.y - labels[j].at.y) < lineHeight;
            }
            if (!clash) break;
            labels[i].at.y += labels[i].baseline == TextBaseline::Above ? -lineHeight : lineHeight;
        }
    }
    return labels;
}

std::string numberWithDigits(double x, int digits) {
    digits = std::clamp(digits, 1, 15);
    if (digits == 15 || !std::isfinite(x)) return numberText(x);
    char buffer[64];
    const char* end = detail::writeScientific(x, digits - 1, buffer, sizeof buffer);
    double rounded = x;
    if (detail::readDouble(buffer, end, rounded) != detail::ReadStatus::Ok) rounded = x;
    return numberText(rounded);
}

std::string polarLabel(const Phasor& value, int digits) {
    return numberWithDigits(value.magnitude, digits) + "∠" + numberWithDigits(value.angle, digits) +
           "°";
}

PhasorDiagram phasorDiagram(std::span<const PhasorValue> values, const PhasorOptions& options) {
    PhasorDiagram d;
    d.view = options.view;
    if (values.empty()) {
        d.message = std::string(kNoPhasorMessage);
        return d;
    }

    // Grouping: offered when the magnitudes lie far apart and the names say two units.
    double largest = 0;
    double smallest = 0;
    bool units[3] = {false, false, false};
    for (const PhasorValue& v : values) {
        largest = std::max(largest, v.value.magnitude);
        if (v.value.magnitude > 0 && (smallest == 0 || v.value.magnitude < smallest))
            smallest = v.value.magnitude;
        units[static_cast<int>(unitOfName(v.name))] = true;
    }
    const int unitCount = units[0] + units[1] + units[2];
    d.groupingOffered = smallest > 0 && largest > kGroupingRatio * smallest && unitCount > 1;
    d.grouped = d.groupingOffered && options.groupByUnit;

    // The scales: one, or one per unit in the order U/V, I, others.
    std::vector<int> scaleOfValue(values.size(), 0);
    int scaleOfUnit[3] = {0, 0, 0};
    if (d.grouped) {
        for (int u = 0; u < 3; ++u) {
            if (!units[u]) continue;
            scaleOfUnit[u] = static_cast<int>(d.scales.size());
            d.scales.push_back({unitText(static_cast<PhasorUnit>(u)), 0, ""});
        }
    } else {
        d.scales.push_back({"", 0, ""});
    }
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (d.grouped) scaleOfValue[i] = scaleOfUnit[static_cast<int>(unitOfName(values[i].name))];
        PhasorScale& s = d.scales[static_cast<std::size_t>(scaleOfValue[i])];
        s.magnitude = std::max(s.magnitude, values[i].value.magnitude);
    }
    for (PhasorScale& s : d.scales) {
        s.text = (s.unit.empty() ? "" : s.unit + ":") +
                 "圆 = " + numberWithDigits(s.magnitude, options.digits);
    }

    // The arrows; in the head-to-tail view every scale has its own chain.
    struct Chain {
        PhasorPoint end;
        double x = 0;  // the sum in the values' own unit
        double y = 0;
        double added = 0;  // the magnitudes added
        int count = 0;
    };
    std::vector<Chain> chains(d.scales.size());
    const bool headToTail = options.view == PhasorView::HeadToTail;
    for (std::size_t i = 0; i < values.size(); ++i) {
        const PhasorValue& v = values[i];
        const int scale = scaleOfValue[i];
        const double unit = d.scales[static_cast<std::size_t>(scale)].magnitude;
        const PhasorPoint p = rectangular(v.value, unit > 0 ? unit : 1);
        PhasorArrow a;
        a.name = v.name;
        a.valueText = polarLabel(v.value, options.digits);
        a.value = v.value;
        a.colour = kColours[static_cast<std::size_t>(v.colour) % kColours.size()];
        a.scale = scale;
        a.to = p;
        if (headToTail && v.chained) {
            Chain& c = chains[static_cast<std::size_t>(scale)];
            a.from = c.end;
            a.to = {c.end.x + p.x, c.end.y + p.y};
            c.end = a.to;
            const PhasorPoint own = rectangular(v.value, 1);
            c.x += own.x;
            c.y += own.y;
            c.added += v.value.magnitude;
            ++c.count;
        }
        d.arrows.push_back(std::move(a));
    }
    for (std::size_t s = 0; s < chains.size(); ++s) {
        const Chain& c = chains[s];
        if (c.count < 2) continue;
        PhasorArrow sum;
        sum.name = d.grouped ? "Σ" + d.scales[s].unit : "Σ";
        double size = std::hypot(c.x, c.y);
        if (std::isfinite(c.added) && size <= kCancelledSum * c.added) size = 0;
        sum.value = {size, size == 0 ? 0 : wrappedAngle(radToDeg(std::atan2(c.y, c.x)))};
        // Values near the largest double may add up beyond it: said, not written as a number.
        sum.valueText =
            std::isfinite(size) ? polarLabel(sum.value, options.digits) : "超出数值范围";
        sum.colour = kSumColour;
        sum.dashed = true;
        sum.scale = static_cast<int>(s);
        sum.to = size == 0 ? PhasorPoint{} : c.end;
        d.sums.push_back(std::move(sum));
    }

    // The square: the circle, the angle marks' texts and every arrow.
    d.extent = kTickTextRadius + kTickTextRoom;
    for (const auto* list : {&d.arrows, &d.sums}) {
        for (const PhasorArrow& a : *list) {
            d.extent = std::max(d.extent, length(a.to) * (1 + kNameRoom) + kNameRoom);
        }
    }

    for (int angle = 0; angle < 360; angle += kTickStep) {
        const double shown = wrappedAngle(angle);
        const double r = degToRad(angle);
        const double c = std::cos(r);
        const double s = std::sin(r);
        PhasorTick t;
        t.angle = shown;
        t.inner = {c, s};
        t.outer = {c * (1 + kTickLength), s * (1 + kTickLength)};
        t.label =
            besides(numberText(shown) + "°", {c * kTickTextRadius, s * kTickTextRadius}, c, s);
        d.ticks.push_back(std::move(t));
    }

    const double gap = kLabelGap * d.extent;
    for (std::size_t i = 0; i < d.arrows.size(); ++i) {
        PhasorArrow& a = d.arrows[i];
        a.label = arrowLabel(a, headToTail && values[i].chained, gap);
    }
    for (PhasorArrow& sum : d.sums) {
        sum.label = arrowLabel(sum, true, gap);
    }

    for (std::size_t i = 0; i < d.arrows.size(); ++i) {
        PhasorArrow& a = d.arrows[i];
        if (length({a.to.x - a.from.x, a.to.y - a.from.y}) < kSameEnd) continue;
        for (std::size_t j = i + 1; j < d.arrows.size(); ++j) {
            const PhasorArrow& b = d.arrows[j];
            if (length({a.from.x - b.from.x, a.from.y - b.from.y}) < kSameEnd &&
                length({a.to.x - b.to.x, a.to.y - b.to.y}) < kSameEnd)
                ++a.covered;
        }
    }

    for (const auto* list : {&d.arrows, &d.sums}) {
        for (const PhasorArrow& a : *list) d.legend.push_back(a.name + "  " + a.valueText);
    }
    if (headToTail) {
        std::string apart;
        for (const PhasorValue& v : values) {
            if (!v.chained) apart += (apart.empty() ? "" : "、") + v.name;
        }
        if (!apart.empty()) d.legend.push_back(apart + " 为分量,从原点画出");
    }
    for (const PhasorScale& s : d.scales) d.legend.push_back(s.text);
    return d;
}

}  // namespace kalvox
