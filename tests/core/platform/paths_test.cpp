#include "platform/paths.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace kelmio {
namespace {

using test::TempDir;
namespace fs = std::filesystem;

// Sets an environment variable for the length of a test.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const std::string& value) : m_name(name) {
        if (const char* old = std::getenv(name)) m_old = old;
        ::setenv(name, value.c_str(), 1);
    }
    ~ScopedEnv() {
        if (m_old) ::setenv(m_name, m_old->c_str(), 1);
        else ::unsetenv(m_name);
    }

private:
    const char* m_name;
    std::optional<std::string> m_old;
};

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

TEST(ProgramFolder, IsTheExecutablesFolder) {
    const std::string folder = GetProgramFolder();
    EXPECT_TRUE(fs::exists(fs::path(folder) / "kelmio_core_tests"));
    EXPECT_EQ(GetProgramFilePath("Kelmio.key"), folder + "/Kelmio.key");
}

}  // namespace
}  // namespace kelmio
