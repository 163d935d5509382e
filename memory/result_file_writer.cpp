// Writing the result file whole or not at all.
//
// QSaveFile writes into a temporary file in the target's folder and renames it
// over the target only when every byte has been written and flushed, so a
// failure at any point leaves an earlier file untouched. Before it starts, the
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
#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <cerrno>

#include "memory/result_file.h"

namespace kalvox {
namespace {

constexpr QFileDevice::Permissions kAnyWrite =
    QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther;

struct Failure {
    SaveError error;
    QString reason;
};

QString shown(const QString& path) { return QDir::toNativeSeparators(path); }

// Whether the system lets this user write the file, or create files in the folder
// (which on POSIX systems also takes the folder's search permission); errno says why not.
bool systemAllowsWriting(const QString& path, bool folder) {
#ifdef _WIN32
    // The Windows C library knows only the read-only attribute, and refuses X_OK.
    (void)folder;
    constexpr int kWriteOk = 2;
    return ::_waccess(reinterpret_cast<const wchar_t*>(path.utf16()), kWriteOk) == 0;
#else
    const QByteArray name = QFile::encodeName(path);
    return ::access(name.constData(), folder ? (W_OK | X_OK) : W_OK) == 0;
#endif
}

// Forces the written bytes of an open file onto the disk; errno says why not.
bool syncToDisk(int handle) {
#ifdef _WIN32
    return ::_commit(handle) == 0;
#else
    return ::fsync(handle) == 0;
#endif
}

// A failing system call's errno as a reason; `folder` is named where it helps.
Failure fromErrno(int code, const QString& folder, bool existing, const QString& fallback) {
    switch (code) {
        case ENOSPC:
#ifdef EDQUOT
        case EDQUOT:
#endif
            return {SaveError::DiskFull, QStringLiteral("磁盘空间不足")};
        case ENOENT:
        case ENOTDIR:
            return {SaveError::FolderMissing,
                    QStringLiteral("文件夹“%1”不存在").arg(shown(folder))};
        case EACCES:
        case EPERM:
            if (existing) {
                return {SaveError::ReadOnlyFile, QStringLiteral("没有修改这个文件的权限")};
            }
            return {SaveError::ReadOnlyFolder,
                    QStringLiteral("没有在文件夹“%1”中创建文件的权限").arg(shown(folder))};
        case EROFS:
            return {SaveError::ReadOnlyFolder, QStringLiteral("文件所在的磁盘只能读,不能写")};
        case EISDIR:
            return {SaveError::IsFolder, QStringLiteral("这个名字是一个文件夹")};
        case EFBIG:
            return {SaveError::WriteFailed, QStringLiteral("文件超出了系统允许的大小")};
        case ENAMETOOLONG:
            return {SaveError::WriteFailed, QStringLiteral("文件名太长")};
        case EIO:
            return {SaveError::WriteFailed, QStringLiteral("磁盘读写出错")};
        default:
            if (fallback.isEmpty()) return {SaveError::WriteFailed, QStringLiteral("写入时出错")};
            return {SaveError::WriteFailed, QStringLiteral("写入时出错(%1)").arg(fallback)};
    }
}

// Checks of the folder and of an existing file made before anything is written;
// `None` when all is well.
Failure precheck(const QFileInfo& target, const QFileInfo& folder) {
    if (!folder.exists() || !folder.isDir()) {
        return {SaveError::FolderMissing,
                QStringLiteral("文件夹“%1”不存在").arg(shown(folder.absoluteFilePath()))};
    }
    if (target.exists() && target.isDir()) {
        return {SaveError::IsFolder, QStringLiteral("这个名字是一个文件夹")};
    }
    if (target.exists()) {
        if (!(target.permissions() & kAnyWrite)) {
            return {SaveError::ReadOnlyFile, QStringLiteral("文件是只读的")};
        }
        if (!systemAllowsWriting(target.absoluteFilePath(), false)) {
            return fromErrno(errno, folder.absoluteFilePath(), true, QString());
        }
    }
    return {SaveError::None, QString()};
}

// Whether a new file (the temporary one) may be created in the folder.
Failure folderCheck(const QFileInfo& folder) {
    if (!(folder.permissions() & kAnyWrite)) {
        return {SaveError::ReadOnlyFolder,
                QStringLiteral("文件夹“%1”是只读的").arg(shown(folder.absoluteFilePath()))};
    }
    if (!systemAllowsWriting(folder.absoluteFilePath(), true)) {
        return fromErrno(errno, folder.absoluteFilePath(), false, QString());
    }
    return {SaveError::None, QString()};
}

SaveResult failed(const QString& fileName, bool existed, const Failure& failure) {
    SaveResult result;
    result.error = failure.error;
    result.message = QStringLiteral("文件“%1”没有保存:%2。").arg(shown(fileName), failure.reason);
    if (existed) result.message += QStringLiteral("原来的文件没有改动。");
    return result;
}

// A failure after the file was truncated: the earlier content is lost.
SaveResult failedInPlace(const QString& fileName, const Failure& failure) {
    SaveResult result;
    result.error = failure.error;
    result.message = QStringLiteral(
                         "文件“%1”没有完整保存:%2。文件夹中不能新建文件,所以直接改写了这个文件,"
                         "原来的内容已经清除,文件现在不完整。请保存到别的文件夹。")
                         .arg(shown(fileName), failure.reason);
    return result;
}

// Replaces the content of an existing, writable file: truncate, write, sync.
SaveResult replaceInPlace(const QString& fileName, const QFileInfo& target, const QFileInfo& folder,
                          const QByteArray& bytes) {
    QFile file(target.absoluteFilePath());
    errno = 0;
    // Unbuffered, so that a failing write reports its own errno.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::ExistingOnly |
                   QIODevice::Unbuffered)) {
        return failed(fileName, true,
                      fromErrno(errno, folder.absoluteFilePath(), true, file.errorString()));
    }
    errno = 0;
    if (file.write(bytes) != bytes.size()) {
        const int code = errno;
        return failedInPlace(fileName,
                             fromErrno(code, folder.absoluteFilePath(), true, file.errorString()));
    }
    errno = 0;
    if (!syncToDisk(file.handle())) {
        const int code = errno;
        return failedInPlace(fileName, fromErrno(code, folder.absoluteFilePath(), true, QString()));
    }
    file.close();
    return {};
}

}  // namespace

SaveResult writeResultFile(const QString& fileName, const QByteArray& bytes) {
    if (isBlank(fileName)) {
        SaveResult result;
        result.error = SaveError::NoFileName;
        result.message = QStringLiteral("没有给出文件名,文件没有保存。");
        return result;
    }
    const QFileInfo target(fileName);
    const QFileInfo folder(target.absolutePath());
    const bool existed = target.exists();

    const Failure before = precheck(target, folder);
    if (before.error != SaveError::None) return failed(fileName, existed, before);
    const Failure noNewFile = folderCheck(folder);
    if (noNewFile.error == SaveError::ReadOnlyFolder && existed) {
        return replaceInPlace(fileName, target, folder, bytes);
    }
    if (noNewFile.error != SaveError::None) return failed(fileName, existed, noNewFile);

    QSaveFile file(target.absoluteFilePath());
    errno = 0;
    if (!file.open(QIODevice::WriteOnly)) {
        return failed(fileName, existed,
                      fromErrno(errno, folder.absoluteFilePath(), existed, file.errorString()));
    }
    errno = 0;
    if (file.write(bytes) != bytes.size()) {
        const int code = errno;
        file.cancelWriting();
        return failed(fileName, existed,
                      fromErrno(code, folder.absoluteFilePath(), existed, file.errorString()));
    }
    errno = 0;
    if (!file.commit()) {
        return failed(fileName, existed,
                      fromErrno(errno, folder.absoluteFilePath(), existed, file.errorString()));
    }
    return {};
}

}  // namespace kalvox
