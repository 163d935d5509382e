#pragma once
// One conversion through the C library's iconv, for the systems that have it.

#include <optional>
#include <string>
#include <string_view>

namespace kalvox {

// The whole input converted from the encoding `from` to `to` (iconv's names,
// e.g. "GBK", "UTF-8"), or nullopt when the converter is missing, refuses a
// sequence (EILSEQ) or finds one cut off (EINVAL). Each call opens its own
// descriptor, so no state is kept between calls.
std::optional<std::string> iconvConversion(const char* to, const char* from,
                                           std::string_view input);

}  // namespace kalvox
