// From the calculation and the registers to the lines of the result file.
#include "engine/blank.h"
#include "memory/result_file.h"

namespace kalvox {

QStringList saveDialogFilters() {
    return {QString::fromUtf16(kTextFileFilter), QString::fromUtf16(kResultFileFilter)};
}

QStringList openDialogFilters() {
    return saveDialogFilters() << QString::fromUtf16(kAllFilesFilter);
}

QString ResultLine::text() const {
    QString line;
    for (qsizetype i = 0; i < fields.size(); ++i) {
        if (i > 0) line += u'=';
        line += fields[i].text;
    }
    return line;
}

QList<ResultLine> resultLines(const QString& input, const QString& output,
                              const MemoryRegisters& registers) {
    QList<ResultLine> lines;
    lines.append({0, {{FieldSource::Input, input}, {FieldSource::Output, output}}});
    for (int k = 1; k <= kRegisterCount; ++k) {
        const MemoryRegister& reg = registers[k - 1];
        const bool tagged = !isBlank(reg.tag);
        if (!tagged && isBlank(reg.content)) continue;
        ResultLine line{k, {}};
        if (tagged) line.fields.append({FieldSource::Tag, QString::fromStdString(reg.tag)});
        line.fields.append(
            {FieldSource::StoredExpression, QString::fromStdString(reg.storedExpression)});
        line.fields.append({FieldSource::Content, QString::fromStdString(reg.content)});
        lines.append(line);
    }
    return lines;
}

bool isBlank(QStringView text) { return isBlank(std::string_view(text.toString().toStdString())); }

SaveResult saveResultFile(const QString& fileName, const QString& input, const QString& output,
                          const MemoryRegisters& registers) {
    const EncodedFile encoded = encodeResultFile(resultLines(input, output, registers));
    if (!encoded.result.ok()) return encoded.result;
    return writeResultFile(fileName, encoded.bytes);
}

}  // namespace kalvox
