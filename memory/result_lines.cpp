// From the calculation and the registers to the lines of the result file.
#include "memory/result_file.h"

namespace kalvox {

std::vector<std::string> saveDialogFilters() {
    return {std::string(kTextFileFilter), std::string(kResultFileFilter)};
}

std::vector<std::string> openDialogFilters() {
    std::vector<std::string> filters = saveDialogFilters();
    filters.emplace_back(kAllFilesFilter);
    return filters;
}

std::string ResultLine::text() const {
    std::string line;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0) line += '=';
        line += fields[i].text;
    }
    return line;
}

std::vector<ResultLine> resultLines(std::string_view input, std::string_view output,
                                    const MemoryRegisters& registers) {
    std::vector<ResultLine> lines;
    lines.push_back(
        {0,
         {{FieldSource::Input, std::string(input)}, {FieldSource::Output, std::string(output)}}});
    for (int k = 1; k <= kRegisterCount; ++k) {
        const MemoryRegister& reg = registers[static_cast<std::size_t>(k - 1)];
        const bool tagged = !isBlank(reg.tag);
        if (!tagged && isBlank(reg.content)) continue;
        ResultLine line{k, {}};
        if (tagged) line.fields.push_back({FieldSource::Tag, reg.tag});
        line.fields.push_back({FieldSource::StoredExpression, reg.storedExpression});
        line.fields.push_back({FieldSource::Content, reg.content});
        lines.push_back(std::move(line));
    }
    return lines;
}

SaveResult saveResultFile(const std::string& fileName, std::string_view input,
                          std::string_view output, const MemoryRegisters& registers) {
    const EncodedFile encoded = encodeResultFile(resultLines(input, output, registers));
    if (!encoded.result.ok()) return encoded.result;
    return writeResultFile(fileName, encoded.bytes);
}

}  // namespace kalvox
