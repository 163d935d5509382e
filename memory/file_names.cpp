#include "memory/file_names.h"

#include <algorithm>
#include <cstring>

namespace kalvox {

std::filesystem::path pathOf(const std::string& fileName) {
    return std::filesystem::path(std::u8string(fileName.begin(), fileName.end()));
}

std::string utf8Of(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

std::string shownName(std::string fileName) {
#ifdef _WIN32
    std::replace(fileName.begin(), fileName.end(), '/', '\\');
#endif
    return fileName;
}

std::string errnoText(int code) { return std::strerror(code); }

}  // namespace kalvox
