#pragma once
// A fresh folder for one test, removed with everything in it afterwards, and the
// file helpers the result file tests share. Names are UTF-8.

#include <filesystem>
#include <string>
#include <vector>

namespace kalvox::test {

class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    bool isValid() const { return !root_.empty(); }
    // The folder itself, and a name in it ("sub/r.txt" for one in a subfolder).
    std::string path() const;
    std::string path(const std::string& name) const;

private:
    std::filesystem::path root_;
};

std::filesystem::path fsPath(const std::string& utf8);

// The bytes of a file, or "<unreadable>".
std::string readAll(const std::string& file);
// Writes the bytes as the whole file; false on failure.
bool writeRaw(const std::string& file, const std::string& bytes);
// The names in a folder, hidden ones included, sorted.
std::vector<std::string> entries(const std::string& folder);
bool exists(const std::string& file);
bool makeFolder(const std::string& folder);
// Sets the permission bits of a file or folder (POSIX: the mode's 0777 part).
void setMode(const std::string& file, std::filesystem::perms mode);

}  // namespace kalvox::test
