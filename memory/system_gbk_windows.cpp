// GBK through the Windows code page 936. The code page converts from and to UTF-16,
// so UTF-8 goes through UTF-16 on the way.
#include <windows.h>

#include "memory/system_gbk.h"

namespace kalvox::system_gbk {
namespace {

constexpr UINT kGbkCodePage = 936;

// The text of a code page's bytes in UTF-16; nullopt when a byte sequence is invalid.
std::optional<std::wstring> toWide(UINT codePage, std::string_view bytes) {
    if (bytes.empty()) return std::wstring();
    const int length = static_cast<int>(bytes.size());
    const int size =
        MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes.data(), length, nullptr, 0);
    if (size <= 0) return std::nullopt;
    std::wstring wide(static_cast<std::size_t>(size), L'\0');
    if (MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes.data(), length, wide.data(),
                            size) != size) {
        return std::nullopt;
    }
    return wide;
}

// The UTF-16 text in UTF-8, which holds every character.
std::string toUtf8(const std::wstring& wide) {
    if (wide.empty()) return {};
    const int length = static_cast<int>(wide.size());
    const int size =
        WideCharToMultiByte(CP_UTF8, 0, wide.data(), length, nullptr, 0, nullptr, nullptr);
    if (size <= 0) return {};
    std::string text(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), length, text.data(), size, nullptr, nullptr);
    return text;
}

}  // namespace

bool available() { return IsValidCodePage(kGbkCodePage) != 0; }

std::optional<std::string> encode(std::string_view utf8) {
    const std::optional<std::wstring> wide = toWide(CP_UTF8, utf8);
    if (!wide) return std::nullopt;
    if (wide->empty()) return std::string();
    const int length = static_cast<int>(wide->size());
    // No best-fit: a character without its own code must not become a look-alike.
    // The default character reports any character that had to be replaced;
    // WC_ERR_INVALID_CHARS is not allowed with code page 936.
    BOOL replaced = FALSE;
    const int size = WideCharToMultiByte(kGbkCodePage, WC_NO_BEST_FIT_CHARS, wide->data(), length,
                                         nullptr, 0, nullptr, &replaced);
    if (size <= 0 || replaced) return std::nullopt;
    std::string bytes(static_cast<std::size_t>(size), '\0');
    replaced = FALSE;
    WideCharToMultiByte(kGbkCodePage, WC_NO_BEST_FIT_CHARS, wide->data(), length, bytes.data(),
                        size, nullptr, &replaced);
    if (replaced) return std::nullopt;
    return bytes;
}

std::optional<std::string> decode(std::string_view bytes) {
    const std::optional<std::wstring> wide = toWide(kGbkCodePage, bytes);
    if (!wide) return std::nullopt;
    return toUtf8(*wide);
}

}  // namespace kalvox::system_gbk
