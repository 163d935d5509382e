// Writing the result file: whole or not at all, and an earlier file survives
// every failure byte for byte.
//
// Some failures need root to be produced on purpose (a full disk, a read-only
// mount, an immutable file); those tests skip when the machine does not allow it.
// They, and the folder permissions, are POSIX matters: Windows has no such folder
// permission bits (its read-only attribute does not stop new files in a folder).
#include <gtest/gtest.h>

#ifndef _WIN32
#include <fcntl.h>
#include <linux/fs.h>
#include <sched.h>
#include <sys/ioctl.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <unistd.h>
#endif

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <csignal>

#include "memory/result_file.h"
#include "memory/result_file_reader.h"
#include "tests/memory/gbk_reference.h"

namespace kalvox {
namespace {

QByteArray readAll(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return QByteArray("<unreadable>");
    return f.readAll();
}

void writeRaw(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(f.write(bytes), bytes.size());
}

QStringList entries(const QString& dir) {
    return QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

#ifndef _WIN32
// A private mount namespace lets root mount test file systems that vanish with
// the test process.
bool privateMounts() {
    static const bool ok = ::unshare(CLONE_NEWNS) == 0 &&
                           ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
    return ok;
}

// Writes with a file size limit of 1 KiB, so that the write itself fails once
// the file was opened (SIGXFSZ is ignored, so the write returns an error).
SaveResult writeUnderSizeLimit(const QString& file, const QByteArray& bytes) {
    rlimit old{};
    if (::getrlimit(RLIMIT_FSIZE, &old) != 0) ADD_FAILURE() << "getrlimit failed";
    rlimit small = old;
    small.rlim_cur = 1024;
    auto* previous = std::signal(SIGXFSZ, SIG_IGN);
    if (::setrlimit(RLIMIT_FSIZE, &small) != 0) ADD_FAILURE() << "setrlimit failed";
    const SaveResult r = writeResultFile(file, bytes);
    ::setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, previous);
    return r;
}
#endif

class ResultFileWrite : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir_.isValid()); }

    QString path(const QString& name) const { return dir_.filePath(name); }

    // An earlier result file, and a check that it survived untouched with
    // nothing left beside it.
    void plantEarlierFile(const QString& file) {
        earlierPath_ = file;
        writeRaw(file, earlier_);
        before_ = entries(QFileInfo(file).absolutePath());
    }
    void expectEarlierFileUntouched() {
        EXPECT_EQ(readAll(earlierPath_), earlier_);
        EXPECT_EQ(entries(QFileInfo(earlierPath_).absolutePath()), before_);
    }

#ifndef _WIN32
    // A 64 KiB tmpfs mounted on the folder `name`, holding the earlier result file
    // and filled to the last byte. Returns the mount point, or "" where this
    // machine allows no mounts (the caller skips).
    QByteArray fullDiskWithEarlierFile(const QString& name) {
        if (!QDir(dir_.path()).mkdir(name)) {
            ADD_FAILURE() << "cannot make the folder " << name.toStdString();
            return {};
        }
        const QByteArray mnt = QFile::encodeName(path(name));
        if (!privateMounts() ||
            ::mount("tmpfs", mnt.constData(), "tmpfs", 0, "size=64k,mode=0755") != 0) {
            return {};
        }
        plantEarlierFile(path(name + "/r.txt"));
        QFile filler(path(name + "/filler"));
        if (!filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
            ADD_FAILURE() << "cannot fill the disk";
            return {};
        }
        const QByteArray block(4096, 'x');
        while (filler.write(block) == block.size()) {
        }
        return mnt;
    }
#endif

    QTemporaryDir dir_;
    const QByteArray earlier_ = QByteArray("1+1=2\r\nIa=5=5\r\n");
    QString earlierPath_;
    QStringList before_;
};

TEST_F(ResultFileWrite, WritesTheExactBytes) {
    MemoryRegisters regs;
    regs[1] = {"cosφ", "0.8", "4/5"};
    const SaveResult r = saveResultFile(path("a.txt"), "2ej30*3", "6ej30", regs);
    ASSERT_TRUE(r.ok()) << r.message.toStdString();
    EXPECT_TRUE(r.message.isEmpty());
    EXPECT_EQ(readAll(path("a.txt")), test::gbk("2ej30*3=6ej30\r\ncosφ=4/5=0.8\r\n"));
    EXPECT_EQ(entries(dir_.path()), QStringList{"a.txt"});
}

TEST_F(ResultFileWrite, SavingTwiceReplacesTheWholeFile) {
    MemoryRegisters regs;
    regs[0] = {"Ia", "3", "1+2"};
    ASSERT_TRUE(saveResultFile(path("r.txt"), "1+2", "3", regs).ok());
    ASSERT_TRUE(saveResultFile(path("r.txt"), "7", "7", MemoryRegisters{}).ok());
    EXPECT_EQ(readAll(path("r.txt")), QByteArray("7=7\r\n"));
    EXPECT_EQ(entries(dir_.path()), QStringList{"r.txt"});
}

TEST_F(ResultFileWrite, JsqAndTxtHoldTheSameBytes) {
    MemoryRegisters regs;
    regs[4] = {"PT变比", "100", "10000/100"};
    ASSERT_TRUE(saveResultFile(path("r.txt"), "1", "1", regs).ok());
    ASSERT_TRUE(saveResultFile(path("r.jsq"), "1", "1", regs).ok());
    EXPECT_EQ(readAll(path("r.jsq")), readAll(path("r.txt")));
}

TEST_F(ResultFileWrite, NameWithoutExtensionIsUsedAsTyped) {
    ASSERT_TRUE(saveResultFile(path("ergebnis"), "1", "1", MemoryRegisters{}).ok());
    EXPECT_EQ(entries(dir_.path()), QStringList{"ergebnis"});
}

TEST_F(ResultFileWrite, UnencodableTagWritesNothing) {
    plantEarlierFile(path("r.txt"));
    MemoryRegisters regs;
    regs[3].tag = "I😀";
    const SaveResult r = saveResultFile(path("r.txt"), "1", "1", regs);
    EXPECT_EQ(r.error, SaveError::Unencodable);
    expectEarlierFileUntouched();

    const SaveResult fresh = saveResultFile(path("new.txt"), "1", "1", regs);
    EXPECT_EQ(fresh.error, SaveError::Unencodable);
    EXPECT_FALSE(QFile::exists(path("new.txt")));
}

TEST_F(ResultFileWrite, FolderThatDoesNotExist) {
    const QString target = path("missing/sub/r.txt");
    const SaveResult r = writeResultFile(target, "1=1\r\n");
    EXPECT_EQ(r.error, SaveError::FolderMissing);
    EXPECT_TRUE(r.message.contains(QStringLiteral("不存在"))) << r.message.toStdString();
    EXPECT_TRUE(r.message.contains(QDir::toNativeSeparators(target))) << r.message.toStdString();
    EXPECT_FALSE(QFile::exists(path("missing")));
}

TEST_F(ResultFileWrite, NameOfAFolder) {
    ASSERT_TRUE(QDir(dir_.path()).mkdir("sub"));
    const SaveResult r = writeResultFile(path("sub"), "1=1\r\n");
    EXPECT_EQ(r.error, SaveError::IsFolder);
    EXPECT_TRUE(QFileInfo(path("sub")).isDir());
}

TEST_F(ResultFileWrite, BlankName) {
    EXPECT_EQ(writeResultFile(QStringLiteral("  "), "1=1\r\n").error, SaveError::NoFileName);
}

TEST_F(ResultFileWrite, ReadOnlyFileSurvives) {
    plantEarlierFile(path("r.txt"));
    ASSERT_TRUE(QFile::setPermissions(path("r.txt"), QFile::ReadOwner | QFile::ReadGroup));
    const SaveResult r = writeResultFile(path("r.txt"), "2=2\r\n");
    EXPECT_EQ(r.error, SaveError::ReadOnlyFile);
    EXPECT_TRUE(r.message.contains(QDir::toNativeSeparators(path("r.txt"))))
        << r.message.toStdString();
    EXPECT_TRUE(r.message.contains(QStringLiteral("原来的文件没有改动")));
    expectEarlierFileUntouched();
}

TEST_F(ResultFileWrite, ChineseFileNameSavesAndReadsBack) {
    MemoryRegisters regs;
    regs[0] = {"Ia", "3", "1+2"};
    const QString file = path(QStringLiteral("三相电流 计算.jsq"));
    ASSERT_TRUE(saveResultFile(file, "1+2", "3", regs).ok());
    EXPECT_EQ(entries(dir_.path()), QStringList{QStringLiteral("三相电流 计算.jsq")});
    EXPECT_EQ(readAll(file), test::gbk("1+2=3\r\nIa=1+2=3\r\n"));
    const OpenedResultFile opened = readResultFile(file);
    ASSERT_TRUE(opened.ok()) << opened.message.toStdString();
    EXPECT_EQ(opened.input, QStringLiteral("1+2"));
}

#ifndef _WIN32
TEST_F(ResultFileWrite, ReadOnlyFolderTakesNoNewFile) {
    ASSERT_TRUE(QDir(dir_.path()).mkdir("ro"));
    plantEarlierFile(path("ro/r.txt"));
    ASSERT_TRUE(QFile::setPermissions(path("ro"), QFile::ReadOwner | QFile::ExeOwner));
    const SaveResult fresh = writeResultFile(path("ro/new.txt"), "2=2\r\n");
    QFile::setPermissions(path("ro"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_EQ(fresh.error, SaveError::ReadOnlyFolder);
    EXPECT_TRUE(fresh.message.contains(QStringLiteral("只读"))) << fresh.message.toStdString();
    expectEarlierFileUntouched();
}

// In a folder that takes no new file, a writable file is replaced in place.
class InPlaceWrite : public ResultFileWrite {
protected:
    void SetUp() override {
        ResultFileWrite::SetUp();
        ASSERT_TRUE(QDir(dir_.path()).mkdir("ro"));
        plantEarlierFile(path("ro/r.txt"));
        ASSERT_TRUE(QFile::setPermissions(path("ro"), QFile::ReadOwner | QFile::ExeOwner));
    }
    void TearDown() override {
        QFile::setPermissions(path("ro"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
};

TEST_F(InPlaceWrite, WritableFileIsSavedOver) {
    MemoryRegisters regs;
    regs[0] = {"Ia", "0.2ej-53.130102354156", "1/(3+j4)"};
    const SaveResult r = saveResultFile(path("ro/r.txt"), "3+j4", "5ej53.130102354156", regs);
    ASSERT_TRUE(r.ok()) << r.message.toStdString();
    EXPECT_EQ(readAll(path("ro/r.txt")),
              QByteArray("3+j4=5ej53.130102354156\r\nIa=1/(3+j4)=0.2ej-53.130102354156\r\n"));
    EXPECT_EQ(entries(path("ro")), before_);  // nothing left beside it
}

TEST_F(InPlaceWrite, ShorterContentLeavesNoTail) {
    ASSERT_TRUE(writeResultFile(path("ro/r.txt"), "7=7\r\n").ok());
    EXPECT_EQ(readAll(path("ro/r.txt")), QByteArray("7=7\r\n"));
}

TEST_F(InPlaceWrite, ReadOnlyFileStillRefused) {
    ASSERT_TRUE(QFile::setPermissions(path("ro/r.txt"), QFile::ReadOwner));
    const SaveResult r = writeResultFile(path("ro/r.txt"), "2=2\r\n");
    QFile::setPermissions(path("ro/r.txt"), QFile::ReadOwner | QFile::WriteOwner);
    EXPECT_EQ(r.error, SaveError::ReadOnlyFile);
    EXPECT_TRUE(r.message.contains(QStringLiteral("原来的文件没有改动")));
    expectEarlierFileUntouched();
}

TEST_F(InPlaceWrite, FailureDuringTheWriteSaysTheContentIsLost) {
    const SaveResult r = writeUnderSizeLimit(path("ro/r.txt"), QByteArray(100000, 'z'));
    EXPECT_EQ(r.error, SaveError::WriteFailed);
    EXPECT_TRUE(r.message.contains(path("ro/r.txt"))) << r.message.toStdString();
    EXPECT_TRUE(r.message.contains(QStringLiteral("大小"))) << r.message.toStdString();
    EXPECT_TRUE(r.message.contains(QStringLiteral("原来的内容已经清除")))
        << r.message.toStdString();
    EXPECT_FALSE(r.message.contains(QStringLiteral("没有改动"))) << r.message.toStdString();
}

TEST_F(ResultFileWrite, FullDiskDuringAnInPlaceWrite) {
    const QByteArray mnt = fullDiskWithEarlierFile("small");
    if (mnt.isEmpty()) GTEST_SKIP() << "cannot mount here";
    ASSERT_TRUE(QFile::setPermissions(path("small"), QFile::ReadOwner | QFile::ExeOwner));
    const SaveResult r = writeResultFile(path("small/r.txt"), QByteArray(200000, 'y'));
    ::umount(mnt.constData());
    EXPECT_EQ(r.error, SaveError::DiskFull);
    EXPECT_TRUE(r.message.contains(QStringLiteral("磁盘空间不足"))) << r.message.toStdString();
    EXPECT_TRUE(r.message.contains(QStringLiteral("不完整"))) << r.message.toStdString();
}

TEST_F(ResultFileWrite, ImmutableFileSurvives) {
    plantEarlierFile(path("r.txt"));
    const QByteArray name = QFile::encodeName(path("r.txt"));
    const int fd = ::open(name.constData(), O_RDONLY);
    ASSERT_GE(fd, 0);
    int flags = 0;
    if (::ioctl(fd, FS_IOC_GETFLAGS, &flags) != 0) {
        ::close(fd);
        GTEST_SKIP() << "file flags not supported here";
    }
    const int locked = flags | FS_IMMUTABLE_FL;
    if (::ioctl(fd, FS_IOC_SETFLAGS, &locked) != 0) {
        ::close(fd);
        GTEST_SKIP() << "cannot make a file immutable here";
    }
    const SaveResult r = writeResultFile(path("r.txt"), "2=2\r\n");
    ::ioctl(fd, FS_IOC_SETFLAGS, &flags);
    ::close(fd);
    EXPECT_EQ(r.error, SaveError::ReadOnlyFile);
    expectEarlierFileUntouched();
}

TEST_F(ResultFileWrite, ReadOnlyMountSurvives) {
    ASSERT_TRUE(QDir(dir_.path()).mkdir("mnt"));
    plantEarlierFile(path("mnt/r.txt"));
    const QByteArray mnt = QFile::encodeName(path("mnt"));
    if (!privateMounts() ||
        ::mount(mnt.constData(), mnt.constData(), nullptr, MS_BIND, nullptr) != 0) {
        GTEST_SKIP() << "cannot mount here";
    }
    ASSERT_EQ(::mount(nullptr, mnt.constData(), nullptr, MS_BIND | MS_REMOUNT | MS_RDONLY, nullptr),
              0);
    const SaveResult r = writeResultFile(path("mnt/r.txt"), "2=2\r\n");
    expectEarlierFileUntouched();
    ::umount(mnt.constData());
    EXPECT_EQ(r.error, SaveError::ReadOnlyFolder);
    EXPECT_TRUE(r.message.contains(QStringLiteral("只能读"))) << r.message.toStdString();
}

TEST_F(ResultFileWrite, FullDiskSurvives) {
    const QByteArray mnt = fullDiskWithEarlierFile("small");
    if (mnt.isEmpty()) GTEST_SKIP() << "cannot mount here";
    before_ = entries(path("small"));
    const QByteArray big(20000, 'y');
    const SaveResult r = writeResultFile(path("small/r.txt"), big);
    expectEarlierFileUntouched();
    ::umount(mnt.constData());
    EXPECT_EQ(r.error, SaveError::DiskFull);
    EXPECT_TRUE(r.message.contains(QStringLiteral("磁盘空间不足"))) << r.message.toStdString();
}

TEST_F(ResultFileWrite, FailedWriteMidwayLeavesNoTrace) {
    // A file size limit makes the write itself fail after the file was created.
    plantEarlierFile(path("r.txt"));
    const SaveResult r = writeUnderSizeLimit(path("r.txt"), QByteArray(100000, 'z'));
    EXPECT_EQ(r.error, SaveError::WriteFailed);
    EXPECT_TRUE(r.message.contains(QStringLiteral("大小"))) << r.message.toStdString();
    expectEarlierFileUntouched();
}

#endif

}  // namespace
}  // namespace kalvox
