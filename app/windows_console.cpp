#include "app/windows_console.h"

#ifdef _WIN32

#include <fcntl.h>
#include <io.h>
#include <windows.h>
// shellapi.h needs the declarations of windows.h before it.
#include <shellapi.h>

#include <cstdio>
#include <istream>
#include <ostream>
#include <streambuf>

namespace kalvox {

namespace {

std::string toUtf8(const wchar_t* wide, int length) {
    if (length == 0) return {};
    const int size = WideCharToMultiByte(CP_UTF8, 0, wide, length, nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<std::size_t>(size > 0 ? size : 0), '\0');
    if (size > 0) {
        WideCharToMultiByte(CP_UTF8, 0, wide, length, text.data(), size, nullptr, nullptr);
    }
    return text;
}

std::wstring toUtf16(const char* utf8, int length) {
    if (length == 0) return {};
    const int size = MultiByteToWideChar(CP_UTF8, 0, utf8, length, nullptr, 0);
    std::wstring text(static_cast<std::size_t>(size > 0 ? size : 0), L'\0');
    if (size > 0) MultiByteToWideChar(CP_UTF8, 0, utf8, length, text.data(), size);
    return text;
}

bool isConsole(HANDLE handle) {
    DWORD mode = 0;
    return handle != INVALID_HANDLE_VALUE && handle != nullptr && GetConsoleMode(handle, &mode);
}

// The number of bytes at the front of [first, last) that end on a whole UTF-8
// character: a sequence cut by the buffer's end waits for the next write.
std::size_t wholeCharacters(const char* first, const char* last) {
    const char* end = last;
    for (int back = 0; back < 4 && end != first; ++back) {
        const auto c = static_cast<unsigned char>(*(end - 1));
        if (c < 0x80) break;  // ASCII: everything before is whole
        if (c >= 0xC0) {      // a lead byte: whole only with all its trail bytes
            const int need = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : 2;
            if (back + 1 < need) return static_cast<std::size_t>(end - 1 - first);
            break;
        }
        --end;  // a trail byte: look further back
        if (back == 3) break;
    }
    return static_cast<std::size_t>(last - first);
}

// Writes UTF-8 to a console as UTF-16.
class ConsoleOutput : public std::streambuf {
public:
    explicit ConsoleOutput(HANDLE handle) : handle_(handle) {
        setp(buffer_, buffer_ + sizeof buffer_);
    }
    ~ConsoleOutput() override { sync(); }

protected:
    int_type overflow(int_type c) override {
        if (!flush(false)) return traits_type::eof();
        if (c != traits_type::eof()) {
            *pptr() = traits_type::to_char_type(c);
            pbump(1);
        }
        return traits_type::not_eof(c);
    }
    int sync() override { return flush(true) ? 0 : -1; }

private:
    bool flush(bool all) {
        const std::size_t pending = static_cast<std::size_t>(pptr() - pbase());
        const std::size_t whole = all ? pending : wholeCharacters(pbase(), pptr());
        const std::wstring wide = toUtf16(pbase(), static_cast<int>(whole));
        DWORD written = 0;
        const bool ok =
            wide.empty() ||
            WriteConsoleW(handle_, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
        // The cut character moves to the front of the buffer.
        const std::size_t rest = pending - whole;
        for (std::size_t k = 0; k < rest; ++k) buffer_[k] = buffer_[whole + k];
        setp(buffer_, buffer_ + sizeof buffer_);
        pbump(static_cast<int>(rest));
        return ok;
    }

    HANDLE handle_;
    char buffer_[4096];
};

// Reads a console in UTF-16 and hands the text on as UTF-8.
class ConsoleInput : public std::streambuf {
public:
    explicit ConsoleInput(HANDLE handle) : handle_(handle) {}

protected:
    int_type underflow() override {
        if (gptr() < egptr()) return traits_type::to_int_type(*gptr());
        wchar_t wide[1024];
        DWORD read = 0;
        if (!ReadConsoleW(handle_, wide, 1024, &read, nullptr) || read == 0) {
            return traits_type::eof();
        }
        // Ctrl-Z at the start of a line ends the input, as it does for other programs.
        if (wide[0] == 0x1A) return traits_type::eof();
        DWORD length = read;
        // A high surrogate at the end waits for its partner in the next read.
        if (length > 1 && IS_HIGH_SURROGATE(wide[length - 1]) &&
            ReadConsoleW(handle_, wide + length, 1, &read, nullptr) && read == 1) {
            ++length;
        }
        text_ = toUtf8(wide, static_cast<int>(length));
        setg(text_.data(), text_.data(), text_.data() + text_.size());
        return text_.empty() ? traits_type::eof() : traits_type::to_int_type(*gptr());
    }

private:
    HANDLE handle_;
    std::string text_;
};

// Plain bytes through the C runtime in binary mode.
class BinaryOutput : public std::streambuf {
public:
    explicit BinaryOutput(std::FILE* file) : file_(file) {
        _setmode(_fileno(file), _O_BINARY);
        setp(buffer_, buffer_ + sizeof buffer_);
    }
    ~BinaryOutput() override { sync(); }

protected:
    int_type overflow(int_type c) override {
        if (sync() != 0) return traits_type::eof();
        if (c != traits_type::eof()) {
            *pptr() = traits_type::to_char_type(c);
            pbump(1);
        }
        return traits_type::not_eof(c);
    }
    int sync() override {
        const std::size_t pending = static_cast<std::size_t>(pptr() - pbase());
        const bool ok =
            std::fwrite(pbase(), 1, pending, file_) == pending && std::fflush(file_) == 0;
        setp(buffer_, buffer_ + sizeof buffer_);
        return ok ? 0 : -1;
    }

private:
    std::FILE* file_;
    char buffer_[4096];
};

class BinaryInput : public std::streambuf {
public:
    explicit BinaryInput(std::FILE* file) : file_(file) { _setmode(_fileno(file), _O_BINARY); }

protected:
    int_type underflow() override {
        if (gptr() < egptr()) return traits_type::to_int_type(*gptr());
        const std::size_t read = std::fread(buffer_, 1, sizeof buffer_, file_);
        if (read == 0) return traits_type::eof();
        setg(buffer_, buffer_, buffer_ + read);
        return traits_type::to_int_type(*gptr());
    }

private:
    std::FILE* file_;
    char buffer_[4096];
};

std::unique_ptr<std::streambuf> outputFor(DWORD which, std::FILE* file) {
    const HANDLE handle = GetStdHandle(which);
    if (isConsole(handle)) return std::make_unique<ConsoleOutput>(handle);
    return std::make_unique<BinaryOutput>(file);
}

}  // namespace

std::vector<std::string> utf8Arguments() {
    int count = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> arguments;
    if (!wide) return arguments;
    for (int i = 0; i < count; ++i) {
        arguments.push_back(toUtf8(wide[i], static_cast<int>(wcslen(wide[i]))));
    }
    LocalFree(wide);
    return arguments;
}

struct Utf8StandardStreams::Parts {
    std::unique_ptr<std::streambuf> inBuffer;
    std::unique_ptr<std::streambuf> outBuffer;
    std::unique_ptr<std::streambuf> errBuffer;
    std::istream in{nullptr};
    std::ostream out{nullptr};
    std::ostream err{nullptr};
};

Utf8StandardStreams::Utf8StandardStreams() : parts(std::make_unique<Parts>()) {
    const HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
    if (isConsole(input)) {
        parts->inBuffer = std::make_unique<ConsoleInput>(input);
    } else {
        parts->inBuffer = std::make_unique<BinaryInput>(stdin);
    }
    parts->outBuffer = outputFor(STD_OUTPUT_HANDLE, stdout);
    parts->errBuffer = outputFor(STD_ERROR_HANDLE, stderr);
    parts->in.rdbuf(parts->inBuffer.get());
    parts->out.rdbuf(parts->outBuffer.get());
    parts->err.rdbuf(parts->errBuffer.get());
}

Utf8StandardStreams::~Utf8StandardStreams() {
    parts->out.flush();
    parts->err.flush();
}

std::istream& Utf8StandardStreams::in() { return parts->in; }
std::ostream& Utf8StandardStreams::out() { return parts->out; }
std::ostream& Utf8StandardStreams::err() { return parts->err; }

}  // namespace kalvox

#endif
