#include "model/save_name.h"

namespace kalvox {

std::string filterExtension(std::string_view filter) {
    const std::size_t open = filter.rfind("(*.");
    if (open == std::string_view::npos) return {};
    const std::size_t from = open + 3;
    const std::size_t end = filter.find_first_of(" ;)", from);
    if (end == std::string_view::npos) return {};
    const std::string_view extension = filter.substr(from, end - from);
    if (extension.find_first_of("*?[") != std::string_view::npos) return {};
    return std::string(extension);
}

std::string savedFileName(std::string_view name, std::string_view filter) {
    const std::size_t separator = name.find_last_of("/\\");
    const std::string_view file =
        separator == std::string_view::npos ? name : name.substr(separator + 1);
    const std::string extension = filterExtension(filter);
    if (file.empty() || extension.empty() || file.find('.') != std::string_view::npos) {
        return std::string(name);
    }
    return std::string(name) + "." + extension;
}

}  // namespace kalvox
