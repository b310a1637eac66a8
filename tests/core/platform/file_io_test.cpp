#include "platform/file_io.h"

#include <cerrno>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "support/file_bytes.h"
#include "support/sjis_literal.h"
#include "support/temp_dir.h"

namespace kelmio {
namespace {

using test::Sj;
using test::TempDir;

std::size_t EntriesIn(const std::filesystem::path& folder) {
    return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(folder), {}));
}

TEST(SaveFileAtomically, WritesNewAndReplacesOldFiles) {
    TempDir dir;
    const std::string path = dir.File("a.kmp");
    EXPECT_FALSE(SaveFileAtomically(path, std::string("one\0two", 7)));
    EXPECT_EQ(test::ReadFileBytes(path), std::string("one\0two", 7));
    EXPECT_FALSE(SaveFileAtomically(path, "x"));
    EXPECT_EQ(test::ReadFileBytes(path), "x");
    EXPECT_EQ(EntriesIn(dir.Path()), 1u);  // no temporary file left behind
}

TEST(SaveFileAtomically, FailureHalfwayLeavesTheOldFileUntouched) {
    TempDir dir;
    const std::string path = dir.File("a.kmp");
    ASSERT_FALSE(SaveFileAtomically(path, "previous project"));

    std::size_t written = 0;
    const WriteFunction failAfterFourBytes = [&](int fd, const void* data, std::size_t size) -> ssize_t {
        if (written >= 4) {
            errno = ENOSPC;
            return -1;
        }
        const std::size_t n = std::min<std::size_t>(size, 4 - written);
        written += n;
        return ::write(fd, data, n);
    };
    const std::optional<FileError> error =
        SaveFileAtomically(path, "a much longer new project body", failAfterFourBytes);
    ASSERT_TRUE(error);
    EXPECT_EQ(error->cause, FileErrorCause::kDiskFull);
    EXPECT_EQ(FileErrorMessage(*error), path + Sj(" へのｱｸｾｽ中にﾃﾞｨｽｸがいっぱいになりました。"));
    EXPECT_EQ(test::ReadFileBytes(path), "previous project");
    EXPECT_EQ(EntriesIn(dir.Path()), 1u);
}

TEST(SaveFileAtomically, MissingFolderAndFolderInTheWay) {
    TempDir dir;
    const std::string missing = dir.File("no/such/folder/a.kmp");
    const std::optional<FileError> notFound = SaveFileAtomically(missing, "x");
    ASSERT_TRUE(notFound);
    EXPECT_EQ(FileErrorMessage(*notFound), missing + Sj(" が見つかりませんでした。"));

    std::filesystem::create_directory(dir.File("sub"));
    const std::optional<FileError> folder = SaveFileAtomically(dir.File("sub"), "x");
    ASSERT_TRUE(folder);
    EXPECT_EQ(folder->cause, FileErrorCause::kAccessDenied);
    EXPECT_TRUE(std::filesystem::is_directory(dir.File("sub")));
}

TEST(SaveFileAtomically, FollowsSymbolicLinksAndKeepsPermissions) {
    TempDir dir;
    const std::string target = dir.File("real.txt");
    ASSERT_FALSE(SaveFileAtomically(target, "old"));
    std::filesystem::permissions(target, std::filesystem::perms::owner_read | std::filesystem::perms::owner_write |
                                             std::filesystem::perms::group_read);
    std::filesystem::create_symlink(target, dir.File("link.txt"));

    ASSERT_FALSE(SaveFileAtomically(dir.File("link.txt"), "new"));
    EXPECT_TRUE(std::filesystem::is_symlink(dir.File("link.txt")));
    EXPECT_EQ(test::ReadFileBytes(target), "new");
    EXPECT_EQ(std::filesystem::status(target).permissions(),
              std::filesystem::perms::owner_read | std::filesystem::perms::owner_write |
                  std::filesystem::perms::group_read);
}

TEST(SaveFileAtomically, NamesUpToTheLimitSave) {
    TempDir dir;
    const std::string path = dir.File(std::string(251, 'n') + ".txt");  // 255 bytes
    ASSERT_FALSE(SaveFileAtomically(path, "old"));
    ASSERT_FALSE(SaveFileAtomically(path, "new"));
    EXPECT_EQ(test::ReadFileBytes(path), "new");
    EXPECT_EQ(EntriesIn(dir.Path()), 1u);
}

TEST(SaveFileAtomically, ReadOnlyFilesAndSpecialFilesAreRefused) {
    TempDir dir;
    const std::string path = dir.File("locked.txt");
    ASSERT_FALSE(SaveFileAtomically(path, "keep me"));
    std::filesystem::permissions(path, std::filesystem::perms::owner_read | std::filesystem::perms::group_read);

    const std::optional<FileError> error = SaveFileAtomically(path, "overwritten");
    ASSERT_TRUE(error);
    EXPECT_EQ(error->cause, FileErrorCause::kAccessDenied);
    EXPECT_EQ(test::ReadFileBytes(path), "keep me");
    EXPECT_EQ(std::filesystem::status(path).permissions(),
              std::filesystem::perms::owner_read | std::filesystem::perms::group_read);

    const std::string fifo = dir.File("pipe");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::optional<FileError> special = SaveFileAtomically(fifo, "x");
    ASSERT_TRUE(special);
    EXPECT_EQ(special->cause, FileErrorCause::kAccessDenied);
    EXPECT_TRUE(std::filesystem::is_fifo(fifo));
    EXPECT_EQ(EntriesIn(dir.Path()), 2u);
}

TEST(SaveFileAtomically, DanglingAndLoopingLinks) {
    TempDir dir;
    std::filesystem::create_directory(dir.File("sub"));
    std::filesystem::create_symlink("sub/made-later.txt", dir.File("link.txt"));
    ASSERT_FALSE(SaveFileAtomically(dir.File("link.txt"), "through the link"));
    EXPECT_TRUE(std::filesystem::is_symlink(dir.File("link.txt")));
    EXPECT_EQ(test::ReadFileBytes(dir.File("sub/made-later.txt")), "through the link");

    std::filesystem::create_symlink("b", dir.File("a"));
    std::filesystem::create_symlink("a", dir.File("b"));
    EXPECT_TRUE(SaveFileAtomically(dir.File("a"), "x"));
    EXPECT_TRUE(std::filesystem::is_symlink(dir.File("a")));
}

TEST(SaveFileAtomically, RemovesWhatKilledSavesLeftBehind) {
    TempDir dir;
    const pid_t child = ::fork();
    if (child == 0) ::_exit(0);
    ASSERT_GT(child, 0);
    int status = 0;
    ::waitpid(child, &status, 0);
    const std::string dead = dir.File(".kelmio-save-" + std::to_string(child) + "-abcdef");
    const std::string living = dir.File(".kelmio-save-" + std::to_string(::getpid()) + "-abcdef");
    const std::string unrelated = dir.File(".kelmio-save-notes");
    for (const std::string& path : {dead, living, unrelated}) test::WriteFileBytes(path, "left");

    ASSERT_FALSE(SaveFileAtomically(dir.File("a.txt"), "saved"));
    EXPECT_FALSE(std::filesystem::exists(dead));
    EXPECT_TRUE(std::filesystem::exists(living));
    EXPECT_TRUE(std::filesystem::exists(unrelated));
}

TEST(SaveFileAtomically, ShiftJisPathsNameUtf8FilesOnDisk) {
    TempDir dir;
    const std::string sjisPath = FromNativePath(dir.File("翻訳表.txt"));
    EXPECT_EQ(sjisPath.substr(sjisPath.size() - 10), Sj("翻訳表.txt"));
    ASSERT_FALSE(SaveFileAtomically(sjisPath, "text"));
    EXPECT_EQ(test::ReadFileBytes(dir.File("翻訳表.txt")), "text");
    EXPECT_TRUE(PathExists(sjisPath));

    const FileReadResult read = ReadWholeFile(sjisPath);
    ASSERT_TRUE(read.ok());
    EXPECT_EQ(read.bytes, "text");
}

// A name has a Shift-JIS form only when it round-trips exactly: never a
// substitute that names another file.
TEST(FilePathSjis, OnlyNamesWithAShiftJisForm) {
    EXPECT_EQ(CFilePath::FromNative("/home/訳者/原稿.kmp").Sjis(), Sj("/home/訳者/原稿.kmp"));
    EXPECT_EQ(CFilePath::FromNative("plain.kmp").Sjis(), "plain.kmp");
    for (const char* name : {"é.kmp", "ü.txt", "\xF0\x9F\x98\x80.kmp", "\xFF.kmp", "a\xE3\x81.kmp"}) {
        EXPECT_FALSE(CFilePath::FromNative(name).Sjis()) << name;
        EXPECT_NE(CFilePath::FromNative(name).Display().find('?'), std::string::npos) << name;  // shown, never used
    }
}

// Files whose names have no Shift-JIS form are read and saved under their
// own names, and a substitute name is never touched.
TEST(FilePathFiles, NamesWithoutAShiftJisFormAreReadAndSavedWhole) {
    TempDir dir;
    ASSERT_FALSE(SaveFileAtomically(CFilePath::FromNative(dir.File("?.kmp")), "other"));
    for (const char* name : {"é.kmp", "ü.txt", "\xF0\x9F\x98\x80.kmp", "\xFF.kmp"}) {
        const CFilePath path = CFilePath::FromNative(dir.File(name));
        ASSERT_FALSE(SaveFileAtomically(path, name)) << name;
        EXPECT_TRUE(PathExists(path)) << name;
        EXPECT_EQ(ReadWholeFile(path).bytes, name);
        EXPECT_EQ(test::ReadFileBytes(dir.File(name)), name);
    }
    EXPECT_EQ(test::ReadFileBytes(dir.File("?.kmp")), "other");
    // A NUL would cut the name short and name another file.
    const CFilePath cut = CFilePath::FromNative(std::string(dir.File("?.kmp")) + std::string(1, '\0') + "x");
    const std::optional<FileError> refused = SaveFileAtomically(cut, "lost");
    ASSERT_TRUE(refused);
    EXPECT_EQ(refused->cause, FileErrorCause::kBadPath);
    EXPECT_EQ(ReadWholeFile(cut).error->cause, FileErrorCause::kBadPath);
    EXPECT_EQ(test::ReadFileBytes(dir.File("?.kmp")), "other");
}

TEST(ReadWholeFile, ReportsTheCause) {
    TempDir dir;
    const FileReadResult missing = ReadWholeFile(dir.File("none.kmp"));
    ASSERT_FALSE(missing.ok());
    EXPECT_EQ(missing.error->cause, FileErrorCause::kNotFound);

    const FileReadResult folder = ReadWholeFile(dir.Path().string());
    ASSERT_FALSE(folder.ok());
    EXPECT_EQ(folder.error->cause, FileErrorCause::kAccessDenied);
}

// A FIFO with no writer would block an ordinary open for ever, and a device
// may never end: both are refused at once as access denied.
TEST(ReadWholeFile, RefusesFifosAndDevicesWithoutWaiting) {
    TempDir dir;
    const std::string fifo = dir.File("pipe");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    for (const std::string& path : {fifo, std::string("/dev/zero")}) {
        const FileReadResult read = ReadWholeFile(path);
        ASSERT_FALSE(read.ok()) << path;
        EXPECT_EQ(read.error->cause, FileErrorCause::kAccessDenied);
        EXPECT_EQ(read.error->path, path);
        EXPECT_EQ(FileErrorMessage(*read.error), path + Sj(" へのｱｸｾｽは拒否されました。"));
    }
}

// A file above the reader's limit is refused from its size alone, before
// any byte is read or any memory taken for it; one at the limit is read.
TEST(ReadWholeFile, RefusesFilesAboveTheLimit) {
    TempDir dir;
    const std::string path = dir.File("sparse.bin");
    test::WriteFileBytes(path, "head");
    std::filesystem::resize_file(path, std::uintmax_t{64} << 30);  // sparse: takes no disk
    const FileReadResult huge = ReadWholeFile(path, kLargestProjectFile);
    ASSERT_FALSE(huge.ok());
    EXPECT_TRUE(huge.bTooLarge);
    EXPECT_EQ(huge.error->cause, FileErrorCause::kAccessDenied);
    EXPECT_TRUE(huge.bytes.empty());
    EXPECT_TRUE(ReadWholeFile(path).bTooLarge);  // even text files have a limit

    std::filesystem::resize_file(path, 1000);
    EXPECT_TRUE(ReadWholeFile(path, 999).bTooLarge);
    const FileReadResult fits = ReadWholeFile(path, 1000);
    ASSERT_TRUE(fits.ok());
    EXPECT_FALSE(fits.bTooLarge);
    EXPECT_EQ(fits.bytes.size(), 1000u);
}

TEST(CFileReader, ReadsInBlocksAndRewinds) {
    TempDir dir;
    const std::string path = dir.File("blocks.txt");
    test::WriteFileBytes(path, "abcdefg");
    CFileReader file(path);
    ASSERT_FALSE(file.Error());
    EXPECT_EQ(file.Size(), 7u);
    char buffer[4];
    ASSERT_EQ(file.Read(buffer, sizeof buffer), 4u);
    EXPECT_EQ(std::string(buffer, 4), "abcd");
    ASSERT_EQ(file.Read(buffer, sizeof buffer), 3u);
    EXPECT_EQ(file.Read(buffer, sizeof buffer), 0u);
    ASSERT_TRUE(file.Rewind());
    ASSERT_EQ(file.Read(buffer, 2), 2u);
    EXPECT_EQ(std::string(buffer, 2), "ab");

    CFileReader missing(dir.File("none.txt"));
    ASSERT_TRUE(missing.Error());
    EXPECT_EQ(missing.Error()->cause, FileErrorCause::kNotFound);
    EXPECT_EQ(missing.Read(buffer, sizeof buffer), 0u);
    EXPECT_FALSE(missing.Rewind());
}

TEST(FileErrorMessage, EveryCauseHasItsText) {
    const std::pair<int, const char*> cases[] = {
        {ENOENT, "p が見つかりませんでした。"},
        {ENAMETOOLONG, "p には無効なﾊﾟｽが含まれています。"},
        {EMFILE, "開いているﾌｧｲﾙが多すぎるため、p を開けませんでした。"},
        {EACCES, "p へのｱｸｾｽは拒否されました。"},
        {EBUSY, "p へのｱｸｾｽ中に共有違反が発生しました。"},
        {ENOLCK, "p へのｱｸｾｽ中にﾛｯｸ違反が発生しました。"},
        {ENOSPC, "p へのｱｸｾｽ中にﾃﾞｨｽｸがいっぱいになりました。"},
        {EIO, "p へのｱｸｾｽ中にﾊｰﾄﾞｳｪｱ I/O ｴﾗｰが報告されました。"},
        {EPROTO, "p へのｱｸｾｽ中に不明なｴﾗｰが発生しました。"},
    };
    for (const auto& [error, text] : cases) {
        EXPECT_EQ(FileErrorMessage(FileError{CauseFromErrno(error), "p"}), Sj(text)) << error;
    }
}

TEST(FormatMessage1, ReplacesEveryPlaceholderAndKeepsPathBytes) {
    EXPECT_EQ(FormatMessage1("%1 and %1", "x"), "x and x");
    EXPECT_EQ(FormatMessage1("none", "x"), "none");
    EXPECT_EQ(FormatMessage1("%1!", "%1"), "%1!");  // a path containing %1 is not expanded again
}

}  // namespace
}  // namespace kelmio
