#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <unistd.h>

#include "platform/paths.h"
#include "support/temp_dir.h"

namespace kelmio {
namespace {

// Sets an environment variable for one test and puts the old value back.
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

TEST(Paths, CreateFolderTreeMakesEveryMissingFolder) {
    test::TempDir dir;
    EXPECT_TRUE(CreateFolderTree(dir.File("x/y/z")));
    EXPECT_TRUE(std::filesystem::is_directory(dir.File("x/y/z")));
    EXPECT_FALSE(CreateFolderTree(dir.File("x/y/z"))) << "an existing folder is not created";
    EXPECT_TRUE(CreateFolderTree(dir.File("a/b/")));
    EXPECT_TRUE(std::filesystem::is_directory(dir.File("a/b")));
    EXPECT_FALSE(CreateFolderTree("/"));
    EXPECT_FALSE(CreateFolderTree(""));
}

TEST(Paths, AppDataPathFollowsXdgDataHomeAndCreatesTheFolders) {
    test::TempDir dir;
    const ScopedEnv xdg("XDG_DATA_HOME", dir.File("share"));
    EXPECT_EQ(GetAppDataPath(), dir.File("share"));
    EXPECT_EQ(GetAppDataPath("Morva", "Sprigbox"), dir.File("share/Morva/Sprigbox"));
    EXPECT_FALSE(std::filesystem::exists(dir.File("share/Morva"))) << "no file named, nothing created";
    EXPECT_EQ(GetAppDataPath("Morva", "Sprigbox", "sprigbox.key"), dir.File("share/Morva/Sprigbox/sprigbox.key"));
    EXPECT_TRUE(std::filesystem::is_directory(dir.File("share/Morva/Sprigbox")));

    const ScopedEnv relative("XDG_DATA_HOME", "relative/dir");
    const ScopedEnv home("HOME", dir.File("home"));
    EXPECT_EQ(GetAppDataPath(), dir.File("home/.local/share")) << "a relative XDG_DATA_HOME is ignored";
}

TEST(Paths, ProgramFolderIsTheRunningExecutablesFolder) {
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe");
    EXPECT_EQ(GetProgramFolder(), exe.parent_path().string());
}

}  // namespace
}  // namespace kelmio
