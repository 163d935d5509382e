#include "model/symmetrical_components.h"

namespace kalvox {
namespace {

// The rotation factor α and α² as value texts.
constexpr std::string_view kAlpha = "1ej120";
constexpr std::string_view kAlphaSquared = "1ej-120";

// Appends the text in brackets (appended piece by piece: GCC 12 sees a false
// overlap in "(" + text + ")").
void appendBracketed(std::string& s, std::string_view text) {
    s += '(';
    s += text;
    s += ')';
}

// (x + f·y + g·z)/3 with the factors f and g ("" for none).
std::string third(std::string_view x, std::string_view f, std::string_view y, std::string_view g,
                  std::string_view z) {
    std::string s = "(";
    appendBracketed(s, x);
    s += '+';
    if (!f.empty()) s.append(f).append("*");
    appendBracketed(s, y);
    s += '+';
    if (!g.empty()) s.append(g).append("*");
    appendBracketed(s, z);
    s += ")/3";
    return s;
}

bool isBlank(char c) { return c == ' ' || c == '\t'; }

// The length of the UTF-8 character that begins with byte b.
std::size_t characterLength(unsigned char b) {
    if (b >= 0xF0) return 4;
    if (b >= 0xE0) return 3;
    if (b >= 0xC0) return 2;
    return 1;
}

}  // namespace

std::array<std::string, 3> sequenceExpressions(std::string_view a, std::string_view b,
                                               std::string_view c) {
    return {third(a, "", b, "", c), third(a, kAlpha, b, kAlphaSquared, c),
            third(a, kAlphaSquared, b, kAlpha, c)};
}

std::array<std::string, 3> sequenceTags(std::string_view phaseTag) {
    std::size_t start = 0;
    while (start < phaseTag.size() && isBlank(phaseTag[start])) ++start;
    if (start == phaseTag.size()) return {"0序", "正序", "负序"};
    const std::string letter(
        phaseTag.substr(start, characterLength(static_cast<unsigned char>(phaseTag[start]))));
    return {letter + "0", letter + "1", letter + "2"};
}

std::string emptyPhaseMessage(int k) {
    return "第" + std::to_string(k) +
           "个存储结果为空。对称分量由第1、2、3个存储结果(a、b、c 相)计算。";
}

std::string unusablePhaseMessage(int k, std::string_view error) {
    return "第" + std::to_string(k) + "个存储结果不能用于计算对称分量:" + std::string(error);
}

}  // namespace kalvox
