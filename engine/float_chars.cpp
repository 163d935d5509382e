// Correctly rounded conversions between doubles and decimal text, by std::to_chars
// and std::from_chars, or by snprintf and strtod where the build defines
// KALVOX_PORTABLE_FLOAT_CHARS (their standard library lacks the floating-point
// overloads).

#include "engine/detail/float_chars.h"

#include <cmath>
#include <string>

#ifdef KALVOX_PORTABLE_FLOAT_CHARS
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#else
#include <charconv>
#include <system_error>
#endif

namespace kalvox::detail {

#ifdef KALVOX_PORTABLE_FLOAT_CHARS

namespace {
char* writeFormat(const char* format, double x, int decimals, char* buf, std::size_t size) {
    const int written = std::snprintf(buf, size, format, decimals, x);
    if (written < 0) return buf;
    const auto length = static_cast<std::size_t>(written);
    return buf + (length < size ? length : size - 1);
}
}  // namespace

char* writeScientific(double x, int decimals, char* buf, std::size_t size) {
    return writeFormat("%.*e", x, decimals, buf, size);
}

char* writeFixed(double x, int decimals, char* buf, std::size_t size) {
    return writeFormat("%.*f", x, decimals, buf, size);
}

ReadStatus readDouble(const char* first, const char* last, double& value) {
    // strtod needs a terminated text, and reads more forms (hex, inf) than the
    // cleaned numbers handed here ever hold.
    const std::string text(first, last);
    char* end = nullptr;
    errno = 0;
    const double v = std::strtod(text.c_str(), &end);
    if (end == text.c_str()) return ReadStatus::Invalid;
    if (errno == ERANGE) {
        // strtod reports a subnormal result too; only infinity and a text that
        // rounds to zero are out of range, as for std::from_chars.
        if (std::isinf(v) || v == 0) return ReadStatus::OutOfRange;
    }
    value = v;
    return ReadStatus::Ok;
}

#else

char* writeScientific(double x, int decimals, char* buf, std::size_t size) {
    return std::to_chars(buf, buf + size, x, std::chars_format::scientific, decimals).ptr;
}

char* writeFixed(double x, int decimals, char* buf, std::size_t size) {
    return std::to_chars(buf, buf + size, x, std::chars_format::fixed, decimals).ptr;
}

ReadStatus readDouble(const char* first, const char* last, double& value) {
    const auto [ptr, ec] = std::from_chars(first, last, value, std::chars_format::general);
    if (ec == std::errc::result_out_of_range) return ReadStatus::OutOfRange;
    if (ec != std::errc{}) return ReadStatus::Invalid;
    return ReadStatus::Ok;
}

#endif

}  // namespace kalvox::detail
