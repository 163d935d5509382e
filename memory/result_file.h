#pragma once
// The result file: the current calculation and every non-blank memory register,
// one line each, in GBK with CR LF after every line.
//
//   line 1:          input "=" output
//   register k line: tag "=" storedExpression "=" content   (tag not blank)
//                    storedExpression "=" content           (tag blank)
//
// A register whose tag and content are both blank gives no line, so a file has
// between 1 and 10 lines. Nothing is trimmed, escaped or quoted: the blank test
// only decides whether a register or its tag is written, and an "=" inside a
// text is written as it stands.
//
// Writing is all or nothing wherever the folder allows a new file: the bytes go
// to a temporary file beside the target that is renamed into place only after
// every byte reached the disk. On any failure the earlier file, if there was one,
// is left exactly as it was. In a folder that allows no new file, an existing
// writable file is replaced in place instead; a failure after it was truncated
// says that the earlier content is lost.
// What Kalvox writes, it can open again: a file larger than the reader takes
// (kMaxResultFileSize) is refused before anything is written.
// Failures come back as values with a message ready for a message box; nothing
// here shows anything. Standard C++ only: texts, file names and messages are
// UTF-8, the file's content is bytes.

#include <string>
#include <string_view>
#include <vector>

#include "engine/blank.h"
#include "memory/registers.h"

namespace kalvox {

// The two filters of the save dialog, in order; both give the same content.
inline constexpr std::string_view kTextFileFilter = "文本文件(*.txt)";
inline constexpr std::string_view kResultFileFilter = "计算结果(*.jsq)";
std::vector<std::string> saveDialogFilters();  // {kTextFileFilter, kResultFileFilter}
// The open dialog offers them and every file.
inline constexpr std::string_view kAllFilesFilter = "所有文件(*)";
// {kTextFileFilter, kResultFileFilter, kAllFilesFilter}
std::vector<std::string> openDialogFilters();

// A result file larger than this is refused by the reader unread, so the writer
// writes none: a saved file of ten lines only comes near it with a huge text.
inline constexpr std::size_t kMaxResultFileSize = 1024 * 1024;

// Which text of the calculation or of a register a field of a line comes from.
enum class FieldSource {
    Input,             // the input box (line 1)
    Output,            // the output box (line 1)
    Tag,               // a register's tag box
    StoredExpression,  // a register's stored input text
    Content,           // a register's content box
};

// One text of a line, before the "=" that join the fields are added.
struct LineField {
    FieldSource source;
    std::string text;
};

// One line of the file without its line end. registerNumber is 0 for the
// calculation line and k (1 to 9) for register k.
struct ResultLine {
    int registerNumber = 0;
    std::vector<LineField> fields;

    std::string text() const;  // the fields joined by "="
};

// The lines of the file, in file order.
std::vector<ResultLine> resultLines(std::string_view input, std::string_view output,
                                    const MemoryRegisters& registers);

enum class SaveError {
    None,
    Unencodable,     // a text holds a character GBK has no code for
    NoEncoder,       // the GBK converter is not available
    TooLarge,        // the content is larger than the reader takes
    NoFileName,      // the file name is blank
    IsFolder,        // the name names a folder
    FolderMissing,   // the folder of the file does not exist
    ReadOnlyFile,    // the existing file may not be changed
    ReadOnlyFolder,  // no new file may be created in the folder
    DiskFull,        // no space left (or over quota)
    WriteFailed,     // any other failure to create, write or rename the file
};

// Outcome of encoding or saving. On failure `message` is a complete Chinese
// sentence for a message box naming what went wrong; on success it is empty.
struct SaveResult {
    SaveError error = SaveError::None;
    std::string message;

    // Set for SaveError::Unencodable: where the character is and which it is.
    int registerNumber = 0;  // 0: the calculation line; 1 to 9: register k
    FieldSource field = FieldSource::Input;
    char32_t character = 0;  // the first character GBK cannot encode

    bool ok() const { return error == SaveError::None; }
};

// The bytes of a file: every line in GBK followed by CR LF.
struct EncodedFile {
    std::string bytes;  // empty when result fails
    SaveResult result;  // names the first unencodable character, if any
};
EncodedFile encodeResultFile(const std::vector<ResultLine>& lines);

// Writes the bytes to fileName whole or not at all (in place in a folder that
// allows no new file, see above). Bytes larger than kMaxResultFileSize are
// refused before anything is touched.
SaveResult writeResultFile(const std::string& fileName, std::string_view bytes);

// The whole save: lines, encoding, writing. Nothing is written unless every
// text can be encoded. This is the call the save command makes after the
// evaluation and the file dialog. The input may hold a lone surrogate of the
// input box as its own three bytes (see gbk_codec.h).
SaveResult saveResultFile(const std::string& fileName, std::string_view input,
                          std::string_view output, const MemoryRegisters& registers);

}  // namespace kalvox
