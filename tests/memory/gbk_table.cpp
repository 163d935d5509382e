#include "tests/memory/gbk_table.h"

#include <cstddef>

namespace kalvox::test {

// The bytes of data/gbk_table.bin, generated at configure time.
extern const unsigned char kGbkTable[];
extern const std::size_t kGbkTableSize;

bool gbkTableComplete() { return kGbkTableSize == 0x20000; }

std::optional<std::string> recordedGbk(char16_t c) {
    if (!gbkTableComplete()) return std::nullopt;
    const unsigned char high = kGbkTable[2 * c];
    const unsigned char low = kGbkTable[2 * c + 1];
    if (high == 0xFF && low == 0xFF) return std::nullopt;
    if (high == 0) return std::string(1, static_cast<char>(low));
    return std::string{static_cast<char>(high), static_cast<char>(low)};
}

}  // namespace kalvox::test
