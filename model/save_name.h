#pragma once
// The name a result file is saved under. A save dialog returns the name as typed;
// the filter the user chose says the extension a name typed without one gets, so
// that "三相计算" under 文本文件(*.txt) is saved as "三相计算.txt" and the open
// dialog's filter shows it again. Standard C++ only; names are UTF-8.

#include <string>
#include <string_view>

namespace kalvox {

// The extension a dialog filter names, without its point: "txt" for
// "文本文件(*.txt)", "" for a filter without one such as "所有文件(*)".
std::string filterExtension(std::string_view filter);

// The name typed, with the filter's extension added when the file name (after the
// last folder separator) has no extension; a name with one is kept as typed.
std::string savedFileName(std::string_view name, std::string_view filter);

}  // namespace kalvox
