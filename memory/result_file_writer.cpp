// Writing the result file whole or not at all.
//
// The bytes go into a temporary file in the target's folder, which is renamed
// over the target only when every byte has been written and has reached the
// disk, so a failure at any point leaves an earlier file untouched. The new file
// keeps the permissions of the one it replaces. Before it starts, the
// folder and an existing file are checked, so that the common failures get a
// precise reason; the errno of a failing system call names the rest.
//
// A folder that allows no new file leaves no room for the temporary file. If the
// target exists there and may be written, its content is replaced in place
// (truncate, then write): the user chose that file and may change it. A failure
// during such a write is reported as such, since the earlier content is gone.
//
// A file or folder without any write permission bit counts as read-only even
// for a user (such as root) whom the system would let write anyway: the user
// marked it so, and the calculator respects that.
//
// Content the reader would refuse as too large is not written at all: what the
// calculator saves, it can open again.
#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <random>
#include <system_error>

#include "memory/file_names.h"
#include "memory/result_file.h"

namespace kalvox {
namespace {

namespace fs = std::filesystem;

constexpr fs::perms kAnyWrite =
    fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;

struct Failure {
    SaveError error;
    std::string reason;
};

std::string quoted(const fs::path& path) { return "“" + shownName(utf8Of(path)) + "”"; }

// --- The system's calls, one place each for POSIX and Windows ---------------------

// Whether the system lets this user write the file, or create files in the folder
// (which on POSIX systems also takes the folder's search permission); errno says why not.
bool systemAllowsWriting(const fs::path& path, bool folder) {
#ifdef _WIN32
    // The Windows C library knows only the read-only attribute, and refuses X_OK.
    (void)folder;
    constexpr int kWriteOk = 2;
    return ::_waccess(path.c_str(), kWriteOk) == 0;
#else
    return ::access(path.c_str(), folder ? (W_OK | X_OK) : W_OK) == 0;
#endif
}

// Opens a file for writing; -1 with errno on failure. `create`: a new file that
// must not exist yet; otherwise an existing file, truncated.
int openForWriting(const fs::path& path, bool create) {
#ifdef _WIN32
    const int flags = _O_WRONLY | _O_BINARY | (create ? (_O_CREAT | _O_EXCL) : _O_TRUNC);
    return ::_wopen(path.c_str(), flags, _S_IREAD | _S_IWRITE);
#else
    const int flags = O_WRONLY | O_CLOEXEC | (create ? (O_CREAT | O_EXCL) : O_TRUNC);
    return ::open(path.c_str(), flags, 0666);
#endif
}

// Writes every byte; false with errno on failure.
bool writeAll(int handle, std::string_view bytes) {
    while (!bytes.empty()) {
#ifdef _WIN32
        const int chunk = static_cast<int>(std::min<std::size_t>(bytes.size(), 1u << 30));
        const int written = ::_write(handle, bytes.data(), static_cast<unsigned>(chunk));
#else
        const ssize_t written = ::write(handle, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) continue;
#endif
        if (written < 0) return false;
        if (written == 0) {
            errno = EIO;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// Forces the written bytes of an open file onto the disk; errno says why not.
bool syncToDisk(int handle) {
#ifdef _WIN32
    return ::_commit(handle) == 0;
#else
    return ::fsync(handle) == 0;
#endif
}

// Closes the file; false with errno when the close reports a failed write.
bool closeFile(int handle) {
#ifdef _WIN32
    return ::_close(handle) == 0;
#else
    return ::close(handle) == 0;
#endif
}

// Gives the new file the permissions of the one it replaces (POSIX); a file that
// replaces none keeps those of a new file (the user's umask).
void setPermissions(int handle, const fs::path& target, bool existed) {
#ifdef _WIN32
    (void)handle;
    (void)target;
    (void)existed;
#else
    struct stat old {};
    if (existed && ::stat(target.c_str(), &old) == 0) {
        (void)::fchmod(handle, old.st_mode & 07777);
    }
#endif
}

// Renames the temporary file over the target; false with errno on failure.
bool replaceTarget(const fs::path& temporary, const fs::path& target) {
#ifdef _WIN32
    if (::MoveFileExW(temporary.c_str(), target.c_str(),
                      MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        return true;
    }
    switch (::GetLastError()) {
        case ERROR_ACCESS_DENIED:
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION:
            errno = EACCES;
            break;
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL:
            errno = ENOSPC;
            break;
        default:
            errno = EIO;
            break;
    }
    return false;
#else
    return ::rename(temporary.c_str(), target.c_str()) == 0;
#endif
}

void removeQuietly(const fs::path& path) {
    std::error_code ignored;
    fs::remove(path, ignored);
}

// --- Reasons ------------------------------------------------------------------------

// A failing system call's errno as a reason; `folder` is named where it helps.
Failure fromErrno(int code, const fs::path& folder, bool existing) {
    switch (code) {
        case ENOSPC:
#ifdef EDQUOT
        case EDQUOT:
#endif
            return {SaveError::DiskFull, "磁盘空间不足"};
        case ENOENT:
        case ENOTDIR:
            return {SaveError::FolderMissing, "文件夹" + quoted(folder) + "不存在"};
        case EACCES:
        case EPERM:
            if (existing) return {SaveError::ReadOnlyFile, "没有修改这个文件的权限"};
            return {SaveError::ReadOnlyFolder,
                    "没有在文件夹" + quoted(folder) + "中创建文件的权限"};
        case EROFS:
            return {SaveError::ReadOnlyFolder, "文件所在的磁盘只能读,不能写"};
        case EISDIR:
            return {SaveError::IsFolder, "这个名字是一个文件夹"};
        case EFBIG:
            return {SaveError::WriteFailed, "文件超出了系统允许的大小"};
        case ENAMETOOLONG:
            return {SaveError::WriteFailed, "文件名太长"};
        case EIO:
            return {SaveError::WriteFailed, "磁盘读写出错"};
        case 0:
            return {SaveError::WriteFailed, "写入时出错"};
        default:
            return {SaveError::WriteFailed, "写入时出错(" + errnoText(code) + ")"};
    }
}

// Checks of the folder and of an existing file made before anything is written;
// `None` when all is well.
Failure precheck(const fs::path& target, const fs::path& folder) {
    std::error_code ec;
    if (!fs::is_directory(folder, ec)) {
        return {SaveError::FolderMissing, "文件夹" + quoted(folder) + "不存在"};
    }
    const fs::file_status status = fs::status(target, ec);
    if (fs::is_directory(status)) return {SaveError::IsFolder, "这个名字是一个文件夹"};
    if (fs::exists(status)) {
        if ((status.permissions() & kAnyWrite) == fs::perms::none) {
            return {SaveError::ReadOnlyFile, "文件是只读的"};
        }
        if (!systemAllowsWriting(target, false)) return fromErrno(errno, folder, true);
    }
    return {SaveError::None, {}};
}

// Whether a new file (the temporary one) may be created in the folder.
Failure folderCheck(const fs::path& folder) {
    std::error_code ec;
    if ((fs::status(folder, ec).permissions() & kAnyWrite) == fs::perms::none) {
        return {SaveError::ReadOnlyFolder, "文件夹" + quoted(folder) + "是只读的"};
    }
    if (!systemAllowsWriting(folder, true)) return fromErrno(errno, folder, false);
    return {SaveError::None, {}};
}

SaveResult failed(const std::string& fileName, bool existed, const Failure& failure) {
    SaveResult result;
    result.error = failure.error;
    result.message = "文件“" + shownName(fileName) + "”没有保存:" + failure.reason + "。";
    if (existed) result.message += "原来的文件没有改动。";
    return result;
}

// A failure after the file was truncated: the earlier content is lost.
SaveResult failedInPlace(const std::string& fileName, const Failure& failure) {
    SaveResult result;
    result.error = failure.error;
    result.message = "文件“" + shownName(fileName) + "”没有完整保存:" + failure.reason +
                     "。文件夹中不能新建文件,所以直接改写了这个文件,"
                     "原来的内容已经清除,文件现在不完整。请保存到别的文件夹。";
    return result;
}

// Replaces the content of an existing, writable file: truncate, write, sync.
SaveResult replaceInPlace(const std::string& fileName, const fs::path& target,
                          const fs::path& folder, std::string_view bytes) {
    errno = 0;
    const int handle = openForWriting(target, false);
    if (handle < 0) return failed(fileName, true, fromErrno(errno, folder, true));
    errno = 0;
    if (!writeAll(handle, bytes) || !syncToDisk(handle)) {
        const int code = errno;
        closeFile(handle);
        return failedInPlace(fileName, fromErrno(code, folder, true));
    }
    errno = 0;
    if (!closeFile(handle)) return failedInPlace(fileName, fromErrno(errno, folder, true));
    return {};
}

// A temporary file beside the target, created new and open for writing, with
// the target's name and a random tail; -1 with errno when none can be made.
int createTemporary(const fs::path& target, fs::path& temporary) {
    std::random_device seed;
    std::mt19937 random(seed());
    constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    for (int attempt = 0; attempt < 100; ++attempt) {
        fs::path::string_type tail = fs::path::string_type(1, '.');
        for (int i = 0; i < 6; ++i) {
            tail += static_cast<fs::path::value_type>(kLetters[random() % (sizeof kLetters - 1)]);
        }
        temporary = target;
        temporary += tail;
        const int handle = openForWriting(temporary, true);
        if (handle >= 0 || errno != EEXIST) return handle;
    }
    return -1;
}

}  // namespace

SaveResult writeResultFile(const std::string& fileName, std::string_view bytes) {
    if (isBlank(fileName)) {
        SaveResult result;
        result.error = SaveError::NoFileName;
        result.message = "没有给出文件名,文件没有保存。";
        return result;
    }
    std::error_code ec;
    const fs::path target = fs::absolute(pathOf(fileName), ec).lexically_normal();
    const fs::path folder = target.parent_path();
    const bool existed = fs::exists(target, ec);

    // What is written can be opened again.
    if (bytes.size() > kMaxResultFileSize) {
        return failed(fileName, existed,
                      {SaveError::TooLarge, "内容有" + std::to_string(bytes.size()) +
                                                "字节,大于能再打开的1 MiB(" +
                                                std::to_string(kMaxResultFileSize) + "字节)"});
    }
    const Failure before = precheck(target, folder);
    if (before.error != SaveError::None) return failed(fileName, existed, before);
    const Failure noNewFile = folderCheck(folder);
    if (noNewFile.error == SaveError::ReadOnlyFolder && existed) {
        return replaceInPlace(fileName, target, folder, bytes);
    }
    if (noNewFile.error != SaveError::None) return failed(fileName, existed, noNewFile);

    fs::path temporary;
    errno = 0;
    const int handle = createTemporary(target, temporary);
    if (handle < 0) return failed(fileName, existed, fromErrno(errno, folder, false));
    setPermissions(handle, target, existed);
    errno = 0;
    if (!writeAll(handle, bytes) || !syncToDisk(handle)) {
        const int code = errno;
        closeFile(handle);
        removeQuietly(temporary);
        return failed(fileName, existed, fromErrno(code, folder, existed));
    }
    errno = 0;
    if (!closeFile(handle)) {
        const int code = errno;
        removeQuietly(temporary);
        return failed(fileName, existed, fromErrno(code, folder, existed));
    }
    errno = 0;
    if (!replaceTarget(temporary, target)) {
        const int code = errno;
        removeQuietly(temporary);
        return failed(fileName, existed, fromErrno(code, folder, existed));
    }
    return {};
}

}  // namespace kalvox
