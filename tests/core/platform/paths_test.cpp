#include "platform/paths.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "support/scoped_env.h"
#include "support/temp_dir.h"

namespace kelmio {
namespace {

using test::ScopedEnv;
using test::TempDir;
namespace fs = std::filesystem;

TEST(CreateFolderTree, CreatesEveryMissingLevel) {
    TempDir dir;
    EXPECT_TRUE(CreateFolderTree(dir.File("x/y/z")));
    EXPECT_TRUE(fs::is_directory(dir.File("x/y/z")));
    EXPECT_FALSE(CreateFolderTree(dir.File("x/y/z")));  // already there
    EXPECT_TRUE(CreateFolderTree(dir.File("a/b/")));    // trailing separator allowed
    EXPECT_TRUE(fs::is_directory(dir.File("a/b")));
    EXPECT_FALSE(CreateFolderTree("/"));
    EXPECT_FALSE(CreateFolderTree(""));
}

TEST(CreateFolderTree, FailsBelowAFile) {
    TempDir dir;
    std::ofstream(dir.File("file")) << "x";
    EXPECT_FALSE(CreateFolderTree(dir.File("file/sub")));
}

TEST(GetAppDataPath, CreatesTheFoldersForAFile) {
    TempDir dir;
    ScopedEnv data("XDG_DATA_HOME", dir.Path().string());
    EXPECT_EQ(GetAppDataPath(), dir.Path().string());
    EXPECT_EQ(GetAppDataPath("Morva"), dir.File("Morva"));
    EXPECT_FALSE(fs::exists(dir.File("Morva")));
    EXPECT_EQ(GetAppDataPath("Morva", "Sprigbox", "sprigbox.key"), dir.File("Morva/Sprigbox/sprigbox.key"));
    EXPECT_TRUE(fs::is_directory(dir.File("Morva/Sprigbox")));
    EXPECT_FALSE(fs::exists(dir.File("Morva/Sprigbox/sprigbox.key")));

    ScopedEnv relative("XDG_DATA_HOME", "relative/dir");
    ScopedEnv home("HOME", dir.File("home"));
    EXPECT_EQ(GetAppDataPath(), dir.File("home/.local/share"));  // a relative setting is ignored
}

TEST(SpecialFolders, FollowTheEnvironment) {
    TempDir dir;
    ScopedEnv tmp("TMPDIR", dir.Path().string());
    EXPECT_EQ(GetTempFolder(), dir.Path().string() + "/");

    ScopedEnv home("HOME", dir.Path().string());
    ScopedEnv config("XDG_CONFIG_HOME", dir.File("config"));
    EXPECT_EQ(GetDocumentsFolder(), dir.Path().string());  // no Documents folder: home
    fs::create_directories(dir.File("config"));
    std::ofstream(dir.File("config/user-dirs.dirs")) << "# comment\nXDG_DOCUMENTS_DIR=\"$HOME/Docs\"\n";
    EXPECT_EQ(GetDocumentsFolder(), dir.File("Docs"));
}

// The folder-names file is outside input too: a FIFO there (no writer)
// or an endless device must not stop the start.
TEST(SpecialFolders, AFifoOrDeviceAsFolderNamesFileIsPassedOver) {
    TempDir dir;
    ScopedEnv home("HOME", dir.Path().string());
    ScopedEnv config("XDG_CONFIG_HOME", dir.File("config"));
    fs::create_directories(dir.File("config"));
    ASSERT_EQ(::mkfifo(dir.File("config/user-dirs.dirs").c_str(), 0600), 0);
    EXPECT_EQ(GetDocumentsFolder(), dir.Path().string());
    fs::remove(dir.File("config/user-dirs.dirs"));
    fs::create_symlink("/dev/zero", dir.File("config/user-dirs.dirs"));
    EXPECT_EQ(GetDocumentsFolder(), dir.Path().string());
}

TEST(ProgramFolder, IsTheExecutablesFolder) {
    const std::string folder = GetProgramFolder().Native();
    EXPECT_TRUE(fs::exists(fs::path(folder) / "kelmio_core_tests"));
    EXPECT_EQ(GetProgramFilePath("Kelmio.key").Native(), folder + "/Kelmio.key");
}

}  // namespace
}  // namespace kelmio
