#include "tests/memory/scratch_folder.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <random>

namespace kalvox::test {

namespace fs = std::filesystem;

fs::path fsPath(const std::string& utf8) {
    return fs::path(std::u8string(utf8.begin(), utf8.end()));
}

namespace {
std::string utf8(const fs::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}
}  // namespace

ScratchFolder::ScratchFolder() {
    std::error_code ec;
    const fs::path base = fs::temp_directory_path(ec);
    if (ec) return;
    std::random_device seed;
    for (int attempt = 0; attempt < 100; ++attempt) {
        const fs::path candidate = base / ("kalvox-test-" + std::to_string(seed()));
        if (fs::create_directory(candidate, ec)) {
            root_ = candidate;
            return;
        }
    }
}

ScratchFolder::~ScratchFolder() {
    if (root_.empty()) return;
    std::error_code ec;
    // Folders a test made read-only must be writable again to be emptied.
    for (auto it = fs::recursive_directory_iterator(root_, ec);
         !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
        fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
    }
    fs::permissions(root_, fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(root_, ec);
}

std::string ScratchFolder::path() const { return utf8(root_); }

std::string ScratchFolder::path(const std::string& name) const {
    return utf8(root_ / fsPath(name));
}

std::string readAll(const std::string& file) {
    std::ifstream in(fsPath(file), std::ios::binary);
    if (!in) return "<unreadable>";
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool writeRaw(const std::string& file, const std::string& bytes) {
    std::ofstream out(fsPath(file), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out.flush());
}

std::vector<std::string> entries(const std::string& folder) {
    std::vector<std::string> names;
    std::error_code ec;
    for (const fs::directory_entry& entry : fs::directory_iterator(fsPath(folder), ec)) {
        names.push_back(utf8(entry.path().filename()));
    }
    std::sort(names.begin(), names.end());
    return names;
}

bool exists(const std::string& file) {
    std::error_code ec;
    return fs::exists(fsPath(file), ec);
}

bool makeFolder(const std::string& folder) {
    std::error_code ec;
    return fs::create_directory(fsPath(folder), ec);
}

void setMode(const std::string& file, fs::perms mode) {
    std::error_code ec;
    fs::permissions(fsPath(file), mode, fs::perm_options::replace, ec);
}

}  // namespace kalvox::test
