// libFuzzer harness over the result file reader: arbitrary bytes as the content
// of a file that the 打开 command opens.
//
// Invariants checked on every input (a failed one aborts, so the fuzzer keeps
// the input as a crash):
// - nothing crashes and no sanitizer reports anything;
// - a refused file gets a message that names the file and, unless the file as a
//   whole is at fault (too large), the first bad line, which the file has;
// - an accepted file gives one calculation line (input and output without a
//   line end) and at most nine registers, filled from register 1 on;
// - what was accepted, written again as the save key writes it, encodes
//   without a fault, and reading those bytes gives the same input, output and
//   registers, and writing them gives the same bytes;
// - the accepted file goes on into what opening it does in the window: the
//   registers' tooltips (the other form of each content) and "=" on the input.

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "engine/engine.h"
#include "engine/error_messages.h"
#include "engine/value_forms.h"
#include "memory/registers.h"
#include "memory/result_file.h"
#include "memory/result_file_reader.h"

namespace {

using kalvox::OpenedResultFile;
using kalvox::ReadError;

const std::string& fileName() {
    static const std::string name = "结果.jsq";
    return name;
}

[[noreturn]] void fail(const char* what, const std::string& detail) {
    std::fprintf(stderr, "invariant broken: %s\n  %s\n", what, detail.c_str());
    std::abort();
}

std::string describe(const OpenedResultFile& f) {
    std::string s = "input \"" + f.input + "\" output \"" + f.output + "\" registers " +
                    std::to_string(f.registerLines);
    for (int k = 0; k < kalvox::kRegisterCount; ++k) {
        const kalvox::MemoryRegister& r = f.registers[static_cast<std::size_t>(k)];
        s += "\n  " + std::to_string(k + 1) + ": tag \"" + r.tag + "\" expression \"" +
             r.storedExpression + "\" content \"" + r.content + "\"";
    }
    return s;
}

bool sameRegister(const kalvox::MemoryRegister& a, const kalvox::MemoryRegister& b) {
    return a.tag == b.tag && a.storedExpression == b.storedExpression && a.content == b.content;
}

bool emptyRegister(const kalvox::MemoryRegister& r) {
    return r.tag.empty() && r.storedExpression.empty() && r.content.empty();
}

bool holdsLineEnd(const std::string& s) { return s.find_first_of("\r\n") != std::string::npos; }

bool startsWith(const std::string& s, const std::string& start) { return s.rfind(start, 0) == 0; }
bool endsWith(const std::string& s, const std::string& end) {
    return s.size() >= end.size() && s.compare(s.size() - end.size(), end.size(), end) == 0;
}

// Lines of the bytes as the reader counts them: one more than the LFs, less a
// final LF.
int lineCount(std::string_view bytes) {
    const auto lf = static_cast<int>(std::count(bytes.begin(), bytes.end(), '\n'));
    return !bytes.empty() && bytes.back() == '\n' && lf > 0 ? lf : lf + 1;
}

void checkRefusal(const OpenedResultFile& file, std::string_view bytes) {
    if (file.error == ReadError::None) fail("refused without an error", file.message);
    if (file.error == ReadError::NoDecoder || file.error == ReadError::Unreadable)
        fail("reading bytes in memory failed", file.message);
    const std::string start = "文件“" + fileName() + "”没有打开:";
    if (!startsWith(file.message, start) || !endsWith(file.message, "。"))
        fail("refusal message not framed", file.message);
    if (file.error == ReadError::TooLarge) {
        if (file.line != 0 || bytes.size() <= kalvox::kMaxResultFileSize)
            fail("too large refused wrongly", file.message);
    } else {
        if (file.line < 1 || file.line > lineCount(bytes))
            fail("refusal names no line of the file", file.message);
        if (file.message.find("第" + std::to_string(file.line) + "行") == std::string::npos)
            fail("refusal message does not name its line", file.message);
    }
    if (file.registerLines != 0 || !file.input.empty() || !file.output.empty())
        fail("refused file still gives content", describe(file));
    for (const kalvox::MemoryRegister& r : file.registers)
        if (!emptyRegister(r)) fail("refused file still gives a register", describe(file));
}

void checkAccepted(const OpenedResultFile& file, std::string_view bytes) {
    if (!file.message.empty() || file.line != 0 || file.character != 0)
        fail("accepted file carries a refusal", describe(file));
    if (file.registerLines < 0 || file.registerLines > kalvox::kRegisterCount ||
        file.registerLines >= lineCount(bytes))
        fail("register count out of range", describe(file));
    if (holdsLineEnd(file.input) || holdsLineEnd(file.output))
        fail("calculation holds a line end", describe(file));
    for (int k = 0; k < kalvox::kRegisterCount; ++k) {
        const kalvox::MemoryRegister& r = file.registers[static_cast<std::size_t>(k)];
        if (k >= file.registerLines && !emptyRegister(r))
            fail("a register after the last register line is filled", describe(file));
        if (holdsLineEnd(r.tag) || holdsLineEnd(r.storedExpression) || holdsLineEnd(r.content))
            fail("register holds a line end", describe(file));
        if (r.storedExpression.find('=') != std::string::npos ||
            r.content.find('=') != std::string::npos)
            fail("expression or content holds \"=\"", describe(file));
    }
    if (file.output.find('=') != std::string::npos) fail("output holds \"=\"", describe(file));
}

// Writes what was read as the save key does and reads it again.
void checkRoundTrip(const OpenedResultFile& file) {
    const kalvox::EncodedFile written =
        kalvox::encodeResultFile(kalvox::resultLines(file.input, file.output, file.registers));
    if (!written.result.ok())
        fail("the writer cannot encode what was read",
             written.result.message + "\n" + describe(file));
    const OpenedResultFile again = kalvox::decodeResultFile(written.bytes, fileName());
    if (!again.ok())
        fail("what the writer wrote is refused", again.message + "\n" + describe(file));
    bool same = again.input == file.input && again.output == file.output &&
                again.registerLines == file.registerLines;
    for (std::size_t k = 0; k < file.registers.size(); ++k)
        same = same && sameRegister(again.registers[k], file.registers[k]);
    if (!same) fail("written and read again differs", describe(file) + "\n" + describe(again));
    const kalvox::EncodedFile rewritten =
        kalvox::encodeResultFile(kalvox::resultLines(again.input, again.output, again.registers));
    if (rewritten.bytes != written.bytes)
        fail("writing what was read again changes the bytes", describe(file));
}

// What the window does with an opened file: every register's content box gets
// a tooltip with the other form of its value, and "=" evaluates the input.
void loadAsTheWindowDoes(const OpenedResultFile& file) {
    for (const kalvox::MemoryRegister& r : file.registers) (void)kalvox::otherForm(r.content);
    kalvox::Engine engine;
    const kalvox::Outcome out = engine.evaluate(file.input);
    if (out.failed) {
        const auto message = kalvox::displayedMessage(out.text2);
        if (!message || !kalvox::isEngineMessage(*message))
            fail("opened input gives an unknown error display", out.text2);
    } else if (out.text2.empty()) {
        fail("opened input gives an empty output", file.input);
    }
    (void)kalvox::otherForm(out.text2);  // the output box's tooltip
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const OpenedResultFile file = kalvox::decodeResultFile(bytes, fileName());
    if (!file.ok()) {
        checkRefusal(file, bytes);
        return 0;
    }
    checkAccepted(file, bytes);
    checkRoundTrip(file);
    loadAsTheWindowDoes(file);
    return 0;
}
