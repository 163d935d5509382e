#include "model/value_entry.h"

#include "engine/error_messages.h"

namespace kalvox {
namespace {

constexpr char16_t kPi = u'\u03C0';  // a typed π reads as the π key's number

bool isDigit(char16_t c) { return c >= u'0' && c <= u'9'; }
bool isLetter(char16_t c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); }

// A sign of its own: not the sign of an exponent ("1E-05") or of an angle ("5ej-30").
bool isValueSign(std::string_view text, std::size_t i) {
    if (text[i] != '+' && text[i] != '-') return false;
    if (i == 0) return true;
    switch (text[i - 1]) {
        case 'e':
        case 'E':
        case 'j':
        case 'J':
            return false;
        default:
            return true;
    }
}

}  // namespace

bool endsValue(char16_t c) {
    return isDigit(c) || c == u'.' || c == u')' || c == u'!' || c == u'j' || c == u'J' || c == kPi;
}

bool beginsValue(char16_t c) {
    if (c == u'e' || c == u'E') return false;
    return isDigit(c) || c == u'.' || c == u'(' || c == kPi || isLetter(c);
}

std::u16string standingAlone(std::u16string_view value, char16_t before, char16_t after) {
    std::u16string text;
    if (endsValue(before)) text += u'*';
    text += value;
    if (beginsValue(after)) text += u'*';
    return text;
}

std::string recalledText(const std::string& content) {
    for (std::size_t i = 0; i < content.size(); ++i) {
        if (isValueSign(content, i)) return "(" + content + ")";
    }
    return content;
}

bool recallsAValue(std::string_view content) {
    return !content.empty() && !isErrorDisplay(content);
}

}  // namespace kalvox
