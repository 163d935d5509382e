#include "app/phasor_file.h"

#include <filesystem>
#include <fstream>
#include <vector>

#include "model/phasor_diagram.h"
#include "model/phasor_svg.h"

namespace kalvox {

std::string arrowName(std::string_view expression, int n) {
    const std::size_t b = expression.find_first_not_of(" \t");
    if (b != std::string_view::npos) {
        expression = expression.substr(b, expression.find_last_not_of(" \t") - b + 1);
        int characters = 0;  // code points: every byte but a UTF-8 continuation byte
        for (char c : expression) {
            if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++characters;
        }
        if (characters <= kLongestArrowName) return std::string(expression);
    }
    std::string order = "#";
    order += std::to_string(n);
    return order;
}

std::string writePhasorFile(const std::string& fileName, std::span<const PhasorResult> results,
                            bool headToTail) {
    std::vector<PhasorValue> values;
    for (std::size_t i = 0; i < results.size(); ++i) {
        const int n = static_cast<int>(i) + 1;
        const std::optional<Phasor> value = readPhasor(results[i].value);
        if (!value) {
            std::string message = "result ";
            message.append(std::to_string(n)).append(" is no value: ").append(results[i].value);
            return message;
        }
        values.push_back({arrowName(results[i].expression, n), *value,
                          static_cast<int>(i % phasorColours().size()), true});
    }
    PhasorOptions options;
    options.view = headToTail ? PhasorView::HeadToTail : PhasorView::SameOrigin;
    const std::string svg = phasorSvg(phasorDiagram(values, options));

    // The name is UTF-8 on every system, also where the C library expects another code page.
    const std::filesystem::path path(
        std::u8string(reinterpret_cast<const char8_t*>(fileName.data()), fileName.size()));
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    if (file) file.write(svg.data(), static_cast<std::streamsize>(svg.size()));
    if (file) file.close();
    if (!file) {
        std::string message = "cannot write the phasor diagram to '";
        message.append(fileName).append("'");
        return message;
    }
    return "";
}

}  // namespace kalvox
