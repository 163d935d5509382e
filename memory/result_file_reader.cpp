#include "memory/result_file_reader.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

#include <cerrno>
#include <system_error>
#include <vector>

#include "memory/file_names.h"
#include "memory/gbk_codec.h"

namespace kalvox {
namespace {

OpenedResultFile refused(const std::string& fileName, ReadError error, int line,
                         const std::string& reason) {
    OpenedResultFile file;
    file.error = error;
    file.line = line;
    const std::string where = line > 0 ? "第" + std::to_string(line) + "行" : std::string();
    file.message = "文件“" + shownName(fileName) + "”没有打开:" + where + reason + "。";
    return file;
}

OpenedResultFile tooLarge(const std::string& fileName) {
    return refused(fileName, ReadError::TooLarge, 0,
                   "文件大于1 MiB(" + std::to_string(kMaxResultFileSize) + "字节)");
}

// The lines of the file without their line ends (CR LF or LF). A final line
// end does not start another line; an empty file is one empty line. A CR that
// does not stand right before an LF stays in its line.
std::vector<std::string_view> splitLines(std::string_view bytes) {
    std::vector<std::string_view> lines;
    for (std::size_t from = 0;;) {
        const std::size_t end = bytes.find('\n', from);
        if (end == std::string_view::npos) {
            // The text after the last line end is a line unless the file ended there
            // (and is not empty).
            if (from < bytes.size() || lines.empty()) lines.push_back(bytes.substr(from));
            return lines;
        }
        std::string_view line = bytes.substr(from, end - from);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.push_back(line);
        from = end + 1;
    }
}

// The first control character of the text and its place (counted from 1 in
// characters); column 0 when there is none.
struct ControlCharacter {
    char32_t code = 0;
    int column = 0;
};
ControlCharacter firstControl(std::string_view text) {
    int column = 0;
    for (std::size_t i = 0; i < text.size();) {
        const Utf8Character c = readUtf8(text, i);
        ++column;
        if (c.code < 0x20 || (c.code >= 0x7F && c.code < 0xA0)) return {c.code, column};
        i += c.length;
    }
    return {};
}

// A register line: content after the last "=", stored expression between the
// last two, tag before them. The line holds at least one "=". A blank tag is
// read as none: the save key never writes one, so a register keeps no tag of
// spaces that the next save would drop.
MemoryRegister registerFromLine(std::string_view line) {
    MemoryRegister reg;
    const std::size_t last = line.rfind('=');
    reg.content = line.substr(last + 1);
    const std::size_t before = last > 0 ? line.rfind('=', last - 1) : std::string_view::npos;
    if (before == std::string_view::npos) {
        reg.storedExpression = line.substr(0, last);
    } else {
        reg.tag = line.substr(0, before);
        if (isBlank(reg.tag)) reg.tag.clear();
        reg.storedExpression = line.substr(before + 1, last - before - 1);
    }
    return reg;
}

// Whether the save key writes a line for the register: not when its tag and its
// content are both blank.
bool savedAsLine(const MemoryRegister& reg) { return !isBlank(reg.tag) || !isBlank(reg.content); }

}  // namespace

OpenedResultFile decodeResultFile(std::string_view bytes, const std::string& fileName) {
    if (bytes.size() > kMaxResultFileSize) return tooLarge(fileName);
    if (!gbkAvailable())
        return refused(fileName, ReadError::NoDecoder, 0, "本机没有GBK编码转换程序");
    OpenedResultFile file;
    const std::vector<std::string_view> lines = splitLines(bytes);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const int number = static_cast<int>(i) + 1;
        const std::optional<std::string> decoded = fromGbk(lines[i]);
        if (!decoded) return refused(fileName, ReadError::NotGbk, number, "不是GBK编码的文本");
        const std::string& text = *decoded;
        if (const ControlCharacter c = firstControl(text); c.column != 0) {
            OpenedResultFile bad = refused(
                fileName, ReadError::ControlCharacter, number,
                "第" + std::to_string(c.column) + "个字符是控制字符" + codePointText(c.code));
            bad.character = c.code;
            return bad;
        }
        const std::size_t last = text.rfind('=');
        if (last == std::string::npos) {
            return refused(fileName, ReadError::NoEquals, number,
                           number == 1 ? "没有“=”,不是“表达式=计算结果”" : "没有“=”");
        }
        if (number == 1) {
            file.input = text.substr(0, last);
            file.output = text.substr(last + 1);
            continue;
        }
        // A register the save key would not write fills no row: the file says no
        // more of it than an empty row would, and the rows after it move up as they
        // do on the next save.
        const MemoryRegister reg = registerFromLine(text);
        if (!savedAsLine(reg)) continue;
        if (file.registerLines == kRegisterCount) {
            return refused(fileName, ReadError::TooManyRegisters, number,
                           "是第" + std::to_string(kRegisterCount + 1) + "个存储结果,存储结果最多" +
                               std::to_string(kRegisterCount) + "个");
        }
        file.registers[static_cast<std::size_t>(file.registerLines++)] = reg;
    }
    return file;
}

namespace {

// Reads at most `limit` bytes of the file; errno says why not.
std::optional<std::string> readAtMost(const std::filesystem::path& path, std::size_t limit) {
#ifdef _WIN32
    const int fd = ::_wopen(path.c_str(), _O_RDONLY | _O_BINARY);
#else
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
#endif
    if (fd < 0) return std::nullopt;
    std::string bytes(limit, '\0');
    std::size_t filled = 0;
    while (filled < limit) {
#ifdef _WIN32
        const int got = ::_read(fd, bytes.data() + filled, static_cast<unsigned>(limit - filled));
#else
        const ssize_t got = ::read(fd, bytes.data() + filled, limit - filled);
        if (got < 0 && errno == EINTR) continue;
#endif
        if (got < 0) {
            const int code = errno;
#ifdef _WIN32
            ::_close(fd);
#else
            ::close(fd);
#endif
            errno = code;
            return std::nullopt;
        }
        if (got == 0) break;
        filled += static_cast<std::size_t>(got);
    }
#ifdef _WIN32
    ::_close(fd);
#else
    ::close(fd);
#endif
    bytes.resize(filled);
    return bytes;
}

}  // namespace

OpenedResultFile readResultFile(const std::string& fileName) {
    if (isBlank(fileName)) {
        OpenedResultFile file;
        file.error = ReadError::Unreadable;
        file.message = "没有给出文件名,文件没有打开。";
        return file;
    }
    const std::filesystem::path path = pathOf(fileName);
    std::error_code ec;
    const std::filesystem::file_status status = std::filesystem::status(path, ec);
    if (!std::filesystem::exists(status)) {
        return refused(fileName, ReadError::Unreadable, 0, "文件不存在");
    }
    if (std::filesystem::is_directory(status)) {
        return refused(fileName, ReadError::Unreadable, 0, "这个名字是一个文件夹");
    }
    if (std::filesystem::is_regular_file(status) &&
        std::filesystem::file_size(path, ec) > kMaxResultFileSize && !ec) {
        return tooLarge(fileName);
    }
    errno = 0;
    // One byte more than allowed tells a file that grew past the limit.
    const std::optional<std::string> bytes = readAtMost(path, kMaxResultFileSize + 1);
    if (!bytes) {
        if (errno == EACCES || errno == EPERM) {
            return refused(fileName, ReadError::Unreadable, 0, "没有读这个文件的权限");
        }
        return refused(fileName, ReadError::Unreadable, 0, "读取时出错(" + errnoText(errno) + ")");
    }
    return decodeResultFile(*bytes, fileName);
}

}  // namespace kalvox
