#pragma once
// The phasor diagram (相量图): values drawn as arrows, as engineers sketch them.
// PhasorDiagram turns the values (the registers, or the values kalvox-calc is
// given) into a description in abstract coordinates: arrows, labels, the scale
// circle, the angle marks every 30 degrees and, in the head-to-tail view, the
// chain and its dashed sum. The window paints it with QPainter, the SVG writer
// writes it as SVG; neither adds geometry of its own. Standard C++ only.
//
// Coordinates: the origin is the centre, y points up (mathematics, not screen),
// and the circle has radius 1: it stands for the largest magnitude of a scale.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "memory/registers.h"

namespace kalvox {

// A value as magnitude (never negative) and angle in degrees, in (-180, 180].
struct Phasor {
    double magnitude = 0;
    double angle = 0;
};

// A register's content read as a value: a real ("-5", "1E-05"), a complex value in
// exponential ("99.77ej14.66"), algebraic ("3+j4") or imaginary ("j4") form.
// nullopt for nothing, an error display or any other text.
std::optional<Phasor> readPhasor(std::string_view content);

// Which scale a value goes on when the diagram groups by unit: by the first
// letter of its name, U or V a voltage, I a current.
enum class PhasorUnit { Voltage, Current, Other };
PhasorUnit unitOfName(std::string_view name);

// One value to draw.
struct PhasorValue {
    std::string name;  // the tag, "MW1" ... "MW9", or the expression's text
    Phasor value;
    int colour = 0;  // index into phasorColours()
    // Whether the head-to-tail view adds it into the chain; a value that is a part
    // of others (a sequence component of the phases) stays at the origin.
    bool chained = true;
};

// The values of the registers in register order: every register that holds a value,
// named by its tag or "MW1" ... "MW9" when the tag is blank, coloured by its number.
// Registers 4-6 that hold the symmetrical components of registers 1-3, as 对称分量
// stored them, are not chained: the phases' sum is then the dashed arrow, 3·U0.
std::vector<PhasorValue> registerPhasors(const MemoryRegisters& registers);

enum class PhasorView {
    SameOrigin,  // 同原点: every arrow from the origin
    HeadToTail,  // 首尾相接: added one after the other, the sum dashed
};

struct PhasorOptions {
    PhasorView view = PhasorView::SameOrigin;
    bool groupByUnit = false;  // 按单位分组, when it is offered
    int digits = 15;           // significant digits of the numbers in the labels
};

// A colour as red, green, blue.
struct Rgb {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

// The arrows' colours, one for each register, all distinct and dark enough on
// white: phases a, b, c in the yellow, green and red of Chinese switchgear.
std::span<const Rgb> phasorColours();
inline constexpr Rgb kSumColour{0, 0, 0};
inline constexpr Rgb kGridColour{160, 160, 160};  // axes, circle, angle marks
inline constexpr Rgb kTextColour{0, 0, 0};

struct PhasorPoint {
    double x = 0;
    double y = 0;
};

// Where a text stands beside its anchor point.
enum class TextAlign { Start, Middle, End };       // the anchor at the text's left, centre, right
enum class TextBaseline { Above, Centre, Below };  // the text above, around or below the anchor

struct PhasorLabel {
    std::string text;
    PhasorPoint at;
    TextAlign align = TextAlign::Start;
    TextBaseline baseline = TextBaseline::Centre;
};

struct PhasorArrow {
    std::string name;       // "Ua", "MW1", "Σ" for the sum
    std::string valueText;  // polar form: "230∠-120°"
    Phasor value;           // in the value's own unit
    PhasorPoint from;
    PhasorPoint to;
    Rgb colour;
    bool dashed = false;  // the sum of the head-to-tail chain
    int scale = 0;        // index into PhasorDiagram::scales
    // How many later arrows lie on this one (U1 on Ua of a balanced set): it is drawn
    // that much wider, so that its colour shows around theirs.
    int covered = 0;
    PhasorLabel label;  // the name beside the arrow
};

// What the circle stands for on one scale.
struct PhasorScale {
    std::string unit;      // "" when there is one scale, else "U/V", "I" or "其他"
    double magnitude = 0;  // the magnitude at radius 1
    std::string text;      // for the legend: "圆 = 230" or "U/V:圆 = 230"
};

// An angle mark on the circle.
struct PhasorTick {
    double angle = 0;  // degrees
    PhasorPoint inner;
    PhasorPoint outer;
    PhasorLabel label;  // "30°"
};

struct PhasorDiagram {
    PhasorView view = PhasorView::SameOrigin;
    std::vector<PhasorArrow> arrows;  // the values in their order
    std::vector<PhasorArrow> sums;    // the head-to-tail view: one dashed sum per chain
    std::vector<PhasorScale> scales;
    std::vector<PhasorTick> ticks;
    double circleRadius = 1;
    // Half the side of the square that holds the circle, the chain and the angle
    // marks' texts, centred on the origin.
    double extent = 1;
    bool groupingOffered = false;  // the magnitudes differ by more than kGroupingRatio
    bool grouped = false;          // the values are on one scale per unit
    // The legend: one line per arrow and sum ("Ua  230∠-120°"), then the scales.
    std::vector<std::string> legend;
    // When no value is there to draw: the one line the diagram shows instead.
    std::string message;

    bool empty() const { return arrows.empty(); }
};

// Grouping by unit is offered when the largest magnitude is more than this many
// times the smallest one that is not zero, and the values have names of two units.
inline constexpr double kGroupingRatio = 20;

// The line a diagram without values shows.
inline constexpr std::string_view kNoPhasorMessage =
    "没有可画的数值:用 MW1…MW9 存储实数或复数后,这里画出它们的相量。";

// The head of an arrow that ends at `to`: the two back corners of a triangle of the
// given length and half width, in the arrow's own coordinates (pixels, say). A
// head longer than half the arrow is shortened to that.
struct ArrowHead {
    PhasorPoint left;
    PhasorPoint right;
};
ArrowHead arrowHead(PhasorPoint from, PhasorPoint to, double length, double halfWidth);

// The sizes of a drawing of the diagram, in pixels: the window and the SVG writer
// draw alike.
inline constexpr double kPhasorFontPixels = 12;
inline constexpr double kPhasorLineWidth = 2;
inline constexpr double kPhasorHeadLength = 12;
inline constexpr double kPhasorHeadHalfWidth = 4.5;
inline constexpr double kPhasorDotRadius = 3;  // a value of magnitude 0
inline constexpr double kPhasorMargin = 36;    // room for texts outside the square

// The width of an arrow's line and the size of its head, widened for an arrow that
// others cover.
inline double arrowLineWidth(const PhasorArrow& a) { return kPhasorLineWidth * (1 + a.covered); }
// The head of the arrow drawn from `from` to `to` (pixels): a covered arrow's head is
// longer and much wider, so that it shows around the heads on it.
ArrowHead arrowHeadOf(const PhasorArrow& a, PhasorPoint from, PhasorPoint to);

// The diagram placed into a square of `side` pixels at (left, top), y pointing down.
struct PhasorFrame {
    double centreX = 0;
    double centreY = 0;
    double pixelsPerUnit = 1;

    PhasorPoint toPixels(PhasorPoint p) const {
        return {centreX + p.x * pixelsPerUnit, centreY - p.y * pixelsPerUnit};
    }
};
PhasorFrame phasorFrame(const PhasorDiagram& diagram, double left, double top, double side);

// The names of the arrows and then of the sums as they stand in a picture drawn in
// the frame: anchored in pixels, and moved apart a line (of lineHeight pixels) at a
// time where two would lie on one another.
std::vector<PhasorLabel> placedLabels(const PhasorDiagram& diagram, const PhasorFrame& frame,
                                      double lineHeight);

// The diagram of the values.
PhasorDiagram phasorDiagram(std::span<const PhasorValue> values, const PhasorOptions& options);

// A value in polar form with the given significant digits: "230∠-120°".
std::string polarLabel(const Phasor& value, int digits);

// A number with at most the given significant digits (1 to 15), written as the
// engine writes its numbers.
std::string numberWithDigits(double x, int digits);

}  // namespace kalvox
