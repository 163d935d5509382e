#include "memory/gbk_codec.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <QStringDecoder>
#include <QStringEncoder>
#endif

namespace kalvox {

namespace {
// GBK's codes end at FE. Some converters read a lone FF as the private-use
// character U+F8F5 and write that character back as FF, others refuse both: here
// both are refused everywhere, so a file reads the same on every system.
constexpr char16_t kFFCharacter = 0xF8F5;

bool holdsFFCharacter(QStringView text) { return text.contains(QChar(kFFCharacter)); }
bool holdsFF(QByteArrayView bytes) { return bytes.contains('\xFF'); }
}  // namespace

#ifdef _WIN32

namespace {
constexpr UINT kGbkCodePage = 936;
}

bool gbkAvailable() { return IsValidCodePage(kGbkCodePage) != 0; }

std::optional<QByteArray> toGbk(QStringView text) {
    if (text.isEmpty()) return QByteArray();
    if (holdsFFCharacter(text)) return std::nullopt;
    const auto* wide = reinterpret_cast<const wchar_t*>(text.utf16());
    const int length = static_cast<int>(text.size());
    // No best-fit: a character without its own code must not become a look-alike.
    // The default character reports any character that had to be replaced;
    // WC_ERR_INVALID_CHARS is not allowed with code page 936, so lone surrogates are
    // caught by the same report.
    BOOL replaced = FALSE;
    const int size = WideCharToMultiByte(kGbkCodePage, WC_NO_BEST_FIT_CHARS, wide, length, nullptr,
                                         0, nullptr, &replaced);
    if (size <= 0 || replaced) return std::nullopt;
    QByteArray bytes(size, Qt::Uninitialized);
    replaced = FALSE;
    WideCharToMultiByte(kGbkCodePage, WC_NO_BEST_FIT_CHARS, wide, length, bytes.data(), size,
                        nullptr, &replaced);
    if (replaced) return std::nullopt;
    return bytes;
}

std::optional<QString> fromGbk(QByteArrayView bytes) {
    if (bytes.isEmpty()) return QString();
    if (holdsFF(bytes)) return std::nullopt;
    const int length = static_cast<int>(bytes.size());
    const int size =
        MultiByteToWideChar(kGbkCodePage, MB_ERR_INVALID_CHARS, bytes.data(), length, nullptr, 0);
    if (size <= 0) return std::nullopt;
    QString text(size, Qt::Uninitialized);
    MultiByteToWideChar(kGbkCodePage, MB_ERR_INVALID_CHARS, bytes.data(), length,
                        reinterpret_cast<wchar_t*>(text.data()), size);
    return text;
}

#else

namespace {
constexpr const char* kCodec = "GBK";
}

bool gbkAvailable() { return QStringEncoder(kCodec).isValid() && QStringDecoder(kCodec).isValid(); }

std::optional<QByteArray> toGbk(QStringView text) {
    if (holdsFFCharacter(text)) return std::nullopt;
    QStringEncoder encoder(kCodec, QStringConverter::Flag::Stateless);
    if (!encoder.isValid()) return std::nullopt;
    // The encoder works lazily: only the conversion to bytes runs it.
    QByteArray bytes = encoder.encode(text);
    if (encoder.hasError()) return std::nullopt;
    return bytes;
}

std::optional<QString> fromGbk(QByteArrayView bytes) {
    if (holdsFF(bytes)) return std::nullopt;
    QStringDecoder decoder(kCodec, QStringConverter::Flag::Stateless);
    if (!decoder.isValid()) return std::nullopt;
    QString text = decoder.decode(bytes);
    if (decoder.hasError()) return std::nullopt;
    return text;
}

#endif

QString codePointText(char32_t c) {
    return QStringLiteral("U+%1").arg(static_cast<uint>(c), 4, 16, QLatin1Char('0')).toUpper();
}

}  // namespace kalvox
