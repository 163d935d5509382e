#pragma once
// The one rule for a blank text, used by the "=" key, the input history, the
// memory registers and the result file: nothing but spaces (U+0020). A tab or an
// ideographic space is not blank.

#include <string_view>

namespace kalvox {

inline bool isBlank(std::string_view text) {
    return text.find_first_not_of(' ') == std::string_view::npos;
}

}  // namespace kalvox
