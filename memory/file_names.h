#pragma once
// File names as the result file's reader and writer take them: UTF-8 text, turned
// into the system's paths here, and shown in messages with the system's separators.

#include <filesystem>
#include <string>

namespace kalvox {

// The path a UTF-8 file name stands for.
std::filesystem::path pathOf(const std::string& fileName);

// A path as UTF-8 text.
std::string utf8Of(const std::filesystem::path& path);

// A file name as messages show it: with "\" between folders on Windows.
std::string shownName(std::string fileName);

// The system's description of an errno value, for a failure without a reason of
// its own.
std::string errnoText(int code);

}  // namespace kalvox
