#include "panel/filter_key.h"

namespace kalvox {

std::int16_t filterKey(std::int16_t code) {
    if (code == 8) return code;                 // backspace
    if (code >= 40 && code <= 57) return code;  // ( ) * + , - . / 0-9
    if (code == 'E') return 'e';
    if (code == 'J') return 'j';
    if (code == 'e' || code == 'j') return code;
    if (code == -3 || code == -12) return code;
    return 0;
}

}  // namespace kalvox
