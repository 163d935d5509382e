// The lines of the result file as GBK bytes, each followed by CR LF.
//
// GBK is the code page the result files have always used on Simplified Chinese
// systems. The conversion is stateless, so every field can be encoded on its own
// and the pieces joined with the ASCII "=", CR and LF.
// A character without a GBK code is never replaced by "?": the first one found
// is reported with the register and the field it sits in.
#include "memory/gbk_codec.h"
#include "memory/result_file.h"

namespace kalvox {
namespace {

QString fieldName(int registerNumber, FieldSource field) {
    switch (field) {
        case FieldSource::Input:
            return QStringLiteral("输入框的表达式");
        case FieldSource::Output:
            return QStringLiteral("输出框的计算结果");
        case FieldSource::Tag:
        case FieldSource::StoredExpression:
        case FieldSource::Content:
            break;
    }
    const QString part = field == FieldSource::Tag                ? QStringLiteral("存储标志")
                         : field == FieldSource::StoredExpression ? QStringLiteral("表达式")
                                                                  : QStringLiteral("计算结果");
    return QStringLiteral("第%1个存储结果(MW%1)的%2").arg(registerNumber).arg(part);
}

// How a character is named in a message: itself in quotes when it can be
// shown, always followed by its code point.
QString characterName(char32_t c) {
    const QString code = codePointText(c);
    const bool showable = QChar::isPrint(c) && !QChar::isSurrogate(c);
    if (!showable) return code;
    return QStringLiteral("“") + QString::fromUcs4(&c, 1) + QStringLiteral("”(") + code +
           QStringLiteral(")");
}

// The first code point of the text GBK cannot encode; 0 when there is none.
// A lone surrogate counts as unencodable.
char32_t firstUnencodable(const QString& text) {
    for (qsizetype i = 0; i < text.size();) {
        const QChar c = text[i];
        qsizetype length = 1;
        char32_t code = c.unicode();
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            code = QChar::surrogateToUcs4(c, text[i + 1]);
            length = 2;
        } else if (c.isSurrogate()) {
            return code;
        }
        if (!toGbk(QStringView(text).mid(i, length))) return code;
        i += length;
    }
    return 0;
}

SaveResult unencodable(int registerNumber, FieldSource field, char32_t c) {
    SaveResult result;
    result.error = SaveError::Unencodable;
    result.registerNumber = registerNumber;
    result.field = field;
    result.character = c;
    result.message = QStringLiteral("%1中的字符%2不能用GBK编码保存,文件没有保存。")
                         .arg(fieldName(registerNumber, field), characterName(c));
    return result;
}

}  // namespace

EncodedFile encodeResultFile(const QList<ResultLine>& lines) {
    EncodedFile file;
    for (const ResultLine& line : lines) {
        for (qsizetype i = 0; i < line.fields.size(); ++i) {
            const LineField& field = line.fields[i];
            if (!gbkAvailable()) {
                file.bytes.clear();
                file.result.error = SaveError::NoEncoder;
                file.result.message = QStringLiteral("本机没有GBK编码转换程序,文件没有保存。");
                return file;
            }
            const std::optional<QByteArray> bytes = toGbk(field.text);
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
