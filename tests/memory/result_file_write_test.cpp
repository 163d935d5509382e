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

#include <csignal>
#include <filesystem>

#include "memory/file_names.h"
#include "memory/result_file.h"
#include "memory/result_file_reader.h"
#include "tests/memory/gbk_reference.h"
#include "tests/memory/scratch_folder.h"

namespace kalvox {
namespace {

using std::filesystem::perms;
using test::entries;
using test::exists;
using test::makeFolder;
using test::readAll;
using test::setMode;

bool has(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

using Names = std::vector<std::string>;

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
SaveResult writeUnderSizeLimit(const std::string& file, const std::string& bytes) {
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

    std::string path(const std::string& name) const { return dir_.path(name); }

    // An earlier result file, and a check that it survived untouched with
    // nothing left beside it.
    void plantEarlierFile(const std::string& file) {
        earlierPath_ = file;
        ASSERT_TRUE(test::writeRaw(file, earlier_));
        before_ = entries(folderOf(file));
    }
    void expectEarlierFileUntouched() {
        EXPECT_EQ(readAll(earlierPath_), earlier_);
        EXPECT_EQ(entries(folderOf(earlierPath_)), before_);
    }
    static std::string folderOf(const std::string& file) {
        const std::u8string folder = test::fsPath(file).parent_path().u8string();
        return std::string(folder.begin(), folder.end());
    }

#ifndef _WIN32
    // A 64 KiB tmpfs mounted on the folder `name`, holding the earlier result file
    // and filled to the last byte. Returns the mount point, or "" where this
    // machine allows no mounts (the caller skips).
    std::string fullDiskWithEarlierFile(const std::string& name) {
        if (!makeFolder(path(name))) {
            ADD_FAILURE() << "cannot make the folder " << name;
            return {};
        }
        const std::string mnt = path(name);
        if (!privateMounts() ||
            ::mount("tmpfs", mnt.c_str(), "tmpfs", 0, "size=64k,mode=0755") != 0) {
            return {};
        }
        plantEarlierFile(path(name + "/r.txt"));
        const int filler = ::open(path(name + "/filler").c_str(), O_WRONLY | O_CREAT, 0644);
        if (filler < 0) {
            ADD_FAILURE() << "cannot fill the disk";
            return {};
        }
        const std::string block(4096, 'x');
        while (::write(filler, block.data(), block.size()) == static_cast<ssize_t>(block.size())) {
        }
        ::close(filler);
        return mnt;
    }
#endif

    test::ScratchFolder dir_;
    const std::string earlier_ = "1+1=2\r\nIa=5=5\r\n";
    std::string earlierPath_;
    Names before_;
};

TEST_F(ResultFileWrite, WritesTheExactBytes) {
    MemoryRegisters regs;
    regs[1] = {"cosφ", "0.8", "4/5"};
    const SaveResult r = saveResultFile(path("a.txt"), "2ej30*3", "6ej30", regs);
    ASSERT_TRUE(r.ok()) << r.message;
    EXPECT_TRUE(r.message.empty());
    EXPECT_EQ(readAll(path("a.txt")), test::gbk("2ej30*3=6ej30\r\ncosφ=4/5=0.8\r\n"));
    EXPECT_EQ(entries(dir_.path()), Names{"a.txt"});
}

TEST_F(ResultFileWrite, SavingTwiceReplacesTheWholeFile) {
    MemoryRegisters regs;
    regs[0] = {"Ia", "3", "1+2"};
    ASSERT_TRUE(saveResultFile(path("r.txt"), "1+2", "3", regs).ok());
    ASSERT_TRUE(saveResultFile(path("r.txt"), "7", "7", MemoryRegisters{}).ok());
    EXPECT_EQ(readAll(path("r.txt")), std::string("7=7\r\n"));
    EXPECT_EQ(entries(dir_.path()), Names{"r.txt"});
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
    EXPECT_EQ(entries(dir_.path()), Names{"ergebnis"});
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
    EXPECT_FALSE(exists(path("new.txt")));
}

TEST_F(ResultFileWrite, FolderThatDoesNotExist) {
    const std::string target = path("missing/sub/r.txt");
    const SaveResult r = writeResultFile(target, "1=1\r\n");
    EXPECT_EQ(r.error, SaveError::FolderMissing);
    EXPECT_TRUE(has(r.message, "不存在")) << r.message;
    EXPECT_TRUE(has(r.message, shownName(target))) << r.message;
    EXPECT_FALSE(exists(path("missing")));
}

TEST_F(ResultFileWrite, NameOfAFolder) {
    ASSERT_TRUE(makeFolder(path("sub")));
    const SaveResult r = writeResultFile(path("sub"), "1=1\r\n");
    EXPECT_EQ(r.error, SaveError::IsFolder);
    EXPECT_TRUE(std::filesystem::is_directory(test::fsPath(path("sub"))));
}

TEST_F(ResultFileWrite, BlankName) {
    EXPECT_EQ(writeResultFile("  ", "1=1\r\n").error, SaveError::NoFileName);
}

TEST_F(ResultFileWrite, ReadOnlyFileSurvives) {
    plantEarlierFile(path("r.txt"));
    setMode(path("r.txt"), perms::owner_read | perms::group_read);
    const SaveResult r = writeResultFile(path("r.txt"), "2=2\r\n");
    EXPECT_EQ(r.error, SaveError::ReadOnlyFile);
    EXPECT_TRUE(has(r.message, shownName(path("r.txt")))) << r.message;
    EXPECT_TRUE(has(r.message, "原来的文件没有改动"));
    expectEarlierFileUntouched();
}

TEST_F(ResultFileWrite, ChineseFileNameSavesAndReadsBack) {
    MemoryRegisters regs;
    regs[0] = {"Ia", "3", "1+2"};
    const std::string file = path("三相电流 计算.jsq");
    ASSERT_TRUE(saveResultFile(file, "1+2", "3", regs).ok());
    EXPECT_EQ(entries(dir_.path()), Names{"三相电流 计算.jsq"});
    EXPECT_EQ(readAll(file), test::gbk("1+2=3\r\nIa=1+2=3\r\n"));
    const OpenedResultFile opened = readResultFile(file);
    ASSERT_TRUE(opened.ok()) << opened.message;
    EXPECT_EQ(opened.input, "1+2");
}

// What is saved can be opened again: a file of LF line ends just under the
// reader's limit grows by a CR a line when it is saved, and is refused then.
TEST_F(ResultFileWrite, SaveThatWouldNotOpenAgainIsRefused) {
    std::string lf = "1=";
    std::string registers;
    for (int k = 1; k <= kRegisterCount; ++k) registers += "x=" + std::to_string(k) + "\n";
    lf += std::string(kMaxResultFileSize - lf.size() - 1 - registers.size(), 'a') + "\n";
    lf += registers;
    ASSERT_EQ(lf.size(), kMaxResultFileSize);
    const OpenedResultFile opened = decodeResultFile(lf, "lf.txt");
    ASSERT_TRUE(opened.ok()) << opened.message;

    plantEarlierFile(path("r.txt"));
    const SaveResult r =
        saveResultFile(path("r.txt"), opened.input, opened.output, opened.registers);
    EXPECT_EQ(r.error, SaveError::TooLarge);
    EXPECT_TRUE(has(r.message, "1 MiB")) << r.message;
    EXPECT_TRUE(has(r.message, "原来的文件没有改动")) << r.message;
    expectEarlierFileUntouched();
}

TEST_F(ResultFileWrite, LargestFileThatOpensAgainIsWritten) {
    const std::string largest = "=" + std::string(kMaxResultFileSize - 3, 'a') + "\r\n";
    ASSERT_TRUE(writeResultFile(path("big.txt"), largest).ok());
    EXPECT_TRUE(readResultFile(path("big.txt")).ok());
    EXPECT_EQ(writeResultFile(path("bigger.txt"), largest + "a").error, SaveError::TooLarge);
    EXPECT_FALSE(exists(path("bigger.txt")));
}

TEST_F(ResultFileWrite, ReplacedFileKeepsItsPermissions) {
    plantEarlierFile(path("r.txt"));
    setMode(path("r.txt"), perms::owner_read | perms::owner_write | perms::group_read);
    ASSERT_TRUE(writeResultFile(path("r.txt"), "2=2\r\n").ok());
    EXPECT_EQ(readAll(path("r.txt")), "2=2\r\n");
#ifndef _WIN32
    EXPECT_EQ(std::filesystem::status(test::fsPath(path("r.txt"))).permissions(),
              perms::owner_read | perms::owner_write | perms::group_read);
#endif
}

#ifndef _WIN32
TEST_F(ResultFileWrite, ReadOnlyFolderTakesNoNewFile) {
    ASSERT_TRUE(makeFolder(path("ro")));
    plantEarlierFile(path("ro/r.txt"));
    setMode(path("ro"), perms::owner_read | perms::owner_exec);
    const SaveResult fresh = writeResultFile(path("ro/new.txt"), "2=2\r\n");
    setMode(path("ro"), perms::owner_all);
    EXPECT_EQ(fresh.error, SaveError::ReadOnlyFolder);
    EXPECT_TRUE(has(fresh.message, "只读")) << fresh.message;
    expectEarlierFileUntouched();
}

// In a folder that takes no new file, a writable file is replaced in place.
class InPlaceWrite : public ResultFileWrite {
protected:
    void SetUp() override {
        ResultFileWrite::SetUp();
        ASSERT_TRUE(makeFolder(path("ro")));
        plantEarlierFile(path("ro/r.txt"));
        setMode(path("ro"), perms::owner_read | perms::owner_exec);
    }
    void TearDown() override { setMode(path("ro"), perms::owner_all); }
};

TEST_F(InPlaceWrite, WritableFileIsSavedOver) {
    MemoryRegisters regs;
    regs[0] = {"Ia", "0.2ej-53.130102354156", "1/(3+j4)"};
    const SaveResult r = saveResultFile(path("ro/r.txt"), "3+j4", "5ej53.130102354156", regs);
    ASSERT_TRUE(r.ok()) << r.message;
    EXPECT_EQ(readAll(path("ro/r.txt")),
              std::string("3+j4=5ej53.130102354156\r\nIa=1/(3+j4)=0.2ej-53.130102354156\r\n"));
    EXPECT_EQ(entries(path("ro")), before_);  // nothing left beside it
}

TEST_F(InPlaceWrite, ShorterContentLeavesNoTail) {
    ASSERT_TRUE(writeResultFile(path("ro/r.txt"), "7=7\r\n").ok());
    EXPECT_EQ(readAll(path("ro/r.txt")), std::string("7=7\r\n"));
}

TEST_F(InPlaceWrite, ReadOnlyFileStillRefused) {
    setMode(path("ro/r.txt"), perms::owner_read);
    const SaveResult r = writeResultFile(path("ro/r.txt"), "2=2\r\n");
    setMode(path("ro/r.txt"), perms::owner_read | perms::owner_write);
    EXPECT_EQ(r.error, SaveError::ReadOnlyFile);
    EXPECT_TRUE(has(r.message, "原来的文件没有改动"));
    expectEarlierFileUntouched();
}

TEST_F(InPlaceWrite, FailureDuringTheWriteSaysTheContentIsLost) {
    const SaveResult r = writeUnderSizeLimit(path("ro/r.txt"), std::string(100000, 'z'));
    EXPECT_EQ(r.error, SaveError::WriteFailed);
    EXPECT_TRUE(has(r.message, path("ro/r.txt"))) << r.message;
    EXPECT_TRUE(has(r.message, "大小")) << r.message;
    EXPECT_TRUE(has(r.message, "原来的内容已经清除")) << r.message;
    EXPECT_FALSE(has(r.message, "没有改动")) << r.message;
}

TEST_F(ResultFileWrite, FullDiskDuringAnInPlaceWrite) {
    const std::string mnt = fullDiskWithEarlierFile("small");
    if (mnt.empty()) GTEST_SKIP() << "cannot mount here";
    setMode(path("small"), perms::owner_read | perms::owner_exec);
    const SaveResult r = writeResultFile(path("small/r.txt"), std::string(200000, 'y'));
    ::umount(mnt.c_str());
    EXPECT_EQ(r.error, SaveError::DiskFull);
    EXPECT_TRUE(has(r.message, "磁盘空间不足")) << r.message;
    EXPECT_TRUE(has(r.message, "不完整")) << r.message;
}

TEST_F(ResultFileWrite, ImmutableFileSurvives) {
    plantEarlierFile(path("r.txt"));
    const int fd = ::open(path("r.txt").c_str(), O_RDONLY);
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
    ASSERT_TRUE(makeFolder(path("mnt")));
    plantEarlierFile(path("mnt/r.txt"));
    const std::string mnt = path("mnt");
    if (!privateMounts() || ::mount(mnt.c_str(), mnt.c_str(), nullptr, MS_BIND, nullptr) != 0) {
        GTEST_SKIP() << "cannot mount here";
    }
    ASSERT_EQ(::mount(nullptr, mnt.c_str(), nullptr, MS_BIND | MS_REMOUNT | MS_RDONLY, nullptr), 0);
    const SaveResult r = writeResultFile(path("mnt/r.txt"), "2=2\r\n");
    expectEarlierFileUntouched();
    ::umount(mnt.c_str());
    EXPECT_EQ(r.error, SaveError::ReadOnlyFolder);
    EXPECT_TRUE(has(r.message, "只能读")) << r.message;
}

TEST_F(ResultFileWrite, FullDiskSurvives) {
    const std::string mnt = fullDiskWithEarlierFile("small");
    if (mnt.empty()) GTEST_SKIP() << "cannot mount here";
    before_ = entries(path("small"));
    const std::string big(20000, 'y');
    const SaveResult r = writeResultFile(path("small/r.txt"), big);
    expectEarlierFileUntouched();
    ::umount(mnt.c_str());
    EXPECT_EQ(r.error, SaveError::DiskFull);
    EXPECT_TRUE(has(r.message, "磁盘空间不足")) << r.message;
}

TEST_F(ResultFileWrite, FailedWriteMidwayLeavesNoTrace) {
    // A file size limit makes the write itself fail after the file was created.
    plantEarlierFile(path("r.txt"));
    const SaveResult r = writeUnderSizeLimit(path("r.txt"), std::string(100000, 'z'));
    EXPECT_EQ(r.error, SaveError::WriteFailed);
    EXPECT_TRUE(has(r.message, "大小")) << r.message;
    expectEarlierFileUntouched();
}

#endif

}  // namespace
}  // namespace kalvox
