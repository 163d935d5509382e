// The lines of the result file as GBK bytes, each followed by CR LF.
//
// GBK is the code page the result files have always used on Simplified Chinese
// systems. The conversion is stateless, so every field can be encoded on its own
// and the pieces joined with the ASCII "=", CR and LF.
// A character without a GBK code is never replaced by "?": the first one found
// is reported with the register and the field it sits in. Only the micro sign
// is written as the Greek mu, the same SI prefix.
#include "memory/gbk_codec.h"
#include "memory/result_file.h"
#include "memory/utf8.h"

namespace kalvox {
namespace {

std::string fieldName(int registerNumber, FieldSource field) {
    switch (field) {
        case FieldSource::Input:
            return "输入框的表达式";
        case FieldSource::Output:
            return "输出框的计算结果";
        case FieldSource::Tag:
        case FieldSource::StoredExpression:
        case FieldSource::Content:
            break;
    }
    const char* part = field == FieldSource::Tag                ? "存储标志"
                       : field == FieldSource::StoredExpression ? "表达式"
                                                                : "计算结果";
    const std::string k = std::to_string(registerNumber);
    return "第" + k + "个存储结果(MW" + k + ")的" + part;
}

// Whether a character has a glyph of its own to show in a message: not a
// control, format or private-use character, a surrogate or a noncharacter.
bool showable(char32_t c) {
    if (c < 0x20 || (c >= 0x7F && c < 0xA0)) return false;                    // controls
    if (c == 0xAD || c == 0x61C || c == 0x180E || c == 0xFEFF) return false;  // format
    if ((c >= 0x200B && c <= 0x200F) || (c >= 0x202A && c <= 0x202E) ||
        (c >= 0x2060 && c <= 0x206F) || (c >= 0xFFF9 && c <= 0xFFFB) ||
        (c >= 0xE0000 && c <= 0xE0FFF)) {
        return false;  // format and tags
    }
    if (c >= 0xD800 && c < 0xE000) return false;                               // surrogates
    if ((c >= 0xE000 && c < 0xF900) || c >= 0xF0000) return false;             // private use
    if ((c >= 0xFDD0 && c <= 0xFDEF) || (c & 0xFFFE) == 0xFFFE) return false;  // noncharacters
    return true;
}

// How a character is named in a message: itself in quotes when it can be
// shown, always followed by its code point.
std::string characterName(char32_t c) {
    const std::string code = codePointText(c);
    if (!showable(c)) return code;
    std::string name = "“";
    appendUtf8(name, c);
    return name + "”(" + code + ")";
}

// The first character of the text GBK cannot encode; 0 when there is none.
// A lone surrogate and a byte that is no UTF-8 count as unencodable.
char32_t firstUnencodable(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const Utf8Character c = readUtf8(text, i);
        if (!toGbk(text.substr(i, c.length))) return c.code;
        i += c.length;
    }
    return 0;
}

SaveResult unencodable(int registerNumber, FieldSource field, char32_t c) {
    SaveResult result;
    result.error = SaveError::Unencodable;
    result.registerNumber = registerNumber;
    result.field = field;
    result.character = c;
    result.message = fieldName(registerNumber, field) + "中的字符" + characterName(c) +
                     "不能用GBK编码保存,文件没有保存。";
    return result;
}

// The micro sign, which GBK lacks, as the Greek small letter mu, which it has:
// as an SI prefix ("100µ") both read the same, so a typed prefix can be saved.
std::string withGreekMu(std::string_view text) {
    constexpr std::string_view kMicroSign = "\u00B5";
    constexpr std::string_view kGreekMu = "\u03BC";
    std::string out(text);
    for (std::size_t p = out.find(kMicroSign); p != std::string::npos;
         p = out.find(kMicroSign, p + kGreekMu.size()))
        out.replace(p, kMicroSign.size(), kGreekMu);
    return out;
}

}  // namespace

EncodedFile encodeResultFile(const std::vector<ResultLine>& lines) {
    EncodedFile file;
    for (const ResultLine& line : lines) {
        for (std::size_t i = 0; i < line.fields.size(); ++i) {
            const LineField& field = line.fields[i];
            if (!gbkAvailable()) {
                file.bytes.clear();
                file.result.error = SaveError::NoEncoder;
                file.result.message = "本机没有GBK编码转换程序,文件没有保存。";
                return file;
            }
            const std::optional<std::string> bytes = toGbk(withGreekMu(field.text));
            if (!bytes) {
                file.bytes.clear();
                file.result =
                    unencodable(line.registerNumber, field.source, firstUnencodable(field.text));
                return file;
            }
            if (i > 0) file.bytes += '=';
            file.bytes += *bytes;
        }
        file.bytes += "\r\n";
    }
    return file;
}

}  // namespace kalvox
