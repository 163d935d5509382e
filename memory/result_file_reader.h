#pragma once
// Reading a result file back: the calculation line and the register lines that
// the save key wrote (see result_file.h for the layout).
//
//   line 1:           input "=" output          split at its last "="
//   every later line: [tag "="] storedExpression "=" content
//                     content: the text after the last "="; stored expression:
//                     the text between the last two "="; tag: everything before
//                     them, "=" included; a line with a single "=" has no tag
//
// The file does not say which rows were blank when it was saved, so its
// register lines fill registers 1, 2, ... in file order and the rest stay empty.
// What the save key never writes is read as the next save would write it: a
// blank tag (spaces only) as no tag, and a line whose tag and content are both
// blank as no register at all. So a file opened and saved again reads the same.
//
// Lines end in CR LF as written; LF alone is accepted too, and so is a last
// line without a line end. Reading is all or nothing: the first fault refuses
// the whole file, with a Chinese message naming the file and the line. Nothing
// here writes a file or shows anything. Standard C++ only: file names, texts and
// messages are UTF-8.

#include <string>
#include <string_view>

#include "memory/registers.h"
#include "memory/result_file.h"  // kMaxResultFileSize

namespace kalvox {

enum class ReadError {
    None,
    Unreadable,        // missing, a folder, no permission, or a failing read
    TooLarge,          // more than kMaxResultFileSize bytes
    NoDecoder,         // the GBK converter is not available
    NotGbk,            // a line holds bytes that are not GBK text
    ControlCharacter,  // a line holds NUL, a tab, a lone CR or another control character
    NoEquals,          // a line has no "=" (an empty line or an empty file among them)
    TooManyRegisters,  // more than kRegisterCount registers
};

// What a file holds, or why it was refused.
struct OpenedResultFile {
    ReadError error = ReadError::None;
    std::string message;     // on failure: a complete sentence for a message box
    int line = 0;            // on failure: the first bad line (1 = calculation); 0 = the file
    char32_t character = 0;  // ReadError::ControlCharacter: the character found

    std::string input;          // line 1 before its last "="
    std::string output;         // line 1 after its last "="
    MemoryRegisters registers;  // register lines from register 1 on; later rows empty
    int registerLines = 0;      // how many registers the file's lines fill

    bool ok() const { return error == ReadError::None; }
};

// The contents of a file already in memory; fileName only names it in messages.
OpenedResultFile decodeResultFile(std::string_view bytes, const std::string& fileName);

// Opens fileName read-only and decodes it.
OpenedResultFile readResultFile(const std::string& fileName);

}  // namespace kalvox
