// Recovery copies hold the user's unsaved work: other users of the machine
// must not read them, whatever the umask and whatever an older Kelmio left.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "platform/private_folder.h"
#include "recovery/recovery_store.h"
#include "support/file_bytes.h"
#include "support/temp_dir.h"

namespace kelmio {
namespace {

using namespace kelmio::test;

mode_t ModeOf(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return 07777;
    return info.st_mode & 07777;
}

// The umask most systems start programs with: left alone, it makes
// folders 0755 and files 0644.
class RecoveryPrivacyTest : public ::testing::Test {
protected:
    RecoveryPrivacyTest() : m_oldMask(::umask(022)) {}
    ~RecoveryPrivacyTest() override { ::umask(m_oldMask); }

    CRecoveryEntry Entry(const std::string& text) const {
        CRecoveryEntry entry;
        entry.m_writer = {77, 1234};
        entry.m_nCopyTime = 1790000060000;
        entry.m_strProject = "/work/job.kmp";
        entry.m_strEditText = text;
        return entry;
    }

    TempDir dir;
    std::string folder = dir.File("data/Morva/Kelmio/recovery");
    CRecoveryStore store{folder};

private:
    mode_t m_oldMask;
};

TEST_F(RecoveryPrivacyTest, ANewFolderAndEveryFileInItAreTheOwnersAlone) {
    ASSERT_FALSE(store.Save(Entry("secret")));
    EXPECT_EQ(ModeOf(folder), 0700u);
    EXPECT_EQ(ModeOf(store.EntryPath("/work/job.kmp").Native()), 0600u);
    // The parents are the data folder's own business.
    EXPECT_EQ(ModeOf(dir.File("data/Morva/Kelmio")), 0755u);

    ASSERT_FALSE(store.SaveWithText(Entry(""), "typed on"));
    EXPECT_EQ(ModeOf(store.EntryPath("/work/job.kmp").Native()), 0600u);
    ASSERT_FALSE(store.MarkKept(Entry("secret")));
    EXPECT_EQ(ModeOf(store.KeptMarkPath("/work/job.kmp").Native()), 0600u);
}

TEST_F(RecoveryPrivacyTest, AnOpenFolderAndEntryLeftByAnOlderKelmioAreNarrowed) {
    std::filesystem::create_directories(folder);
    ::chmod(folder.c_str(), 0755);
    const std::string entry = store.EntryPath("/work/job.kmp").Native();
    WriteFileBytes(entry, WriteRecoveryEntry(Entry("old")));
    ::chmod(entry.c_str(), 0644);
    ASSERT_EQ(ModeOf(folder), 0755u);

    ASSERT_FALSE(store.SaveWithText(Entry(""), "new"));
    EXPECT_EQ(ModeOf(folder), 0700u);
    EXPECT_EQ(ModeOf(entry), 0600u);
    EXPECT_EQ(store.Load("/work/job.kmp")->m_strEditText, "new");

    // The same for the copy written from ready bytes.
    ::chmod(folder.c_str(), 0775);
    ::chmod(entry.c_str(), 0664);
    ASSERT_FALSE(store.Save(Entry("newer")));
    EXPECT_EQ(ModeOf(folder), 0700u);
    EXPECT_EQ(ModeOf(entry), 0600u);
}

TEST_F(RecoveryPrivacyTest, APrivateFolderIsRefusedWhereAFileStands) {
    WriteFileBytes(dir.File("plain"), "x");
    EXPECT_FALSE(MakeWorkCopyFolder(dir.File("plain")));
    EXPECT_EQ(ModeOf(dir.File("plain")), 0644u);
    EXPECT_FALSE(MakeWorkCopyFolder(CFilePath()));
    EXPECT_TRUE(MakeWorkCopyFolder(dir.File("a/b/c")));
    EXPECT_EQ(ModeOf(dir.File("a/b/c")), 0700u);
}

}  // namespace
}  // namespace kelmio
