// Plug-in modules run as the user: only those no one else could have put
// or changed are loaded.

#include "imaging/plugin_trust.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <gtest/gtest.h>

#include "imaging/spi_control.h"
#include "support/temp_dir.h"

namespace kelmio {
namespace {

namespace fs = std::filesystem;

fs::path ToySpi() { return fs::path(KELMIO_TOY_SPI_DIR) / "toy" / "toy.spi"; }

// A copy of the toy plug-in at `path`, with `mode`.
void PutToy(const fs::path& path, mode_t mode = 0755) {
    fs::copy_file(ToySpi(), path);
    ::chmod(path.c_str(), mode);
}

fs::path MakeFolder(const fs::path& path, mode_t mode) {
    fs::create_directory(path);
    ::chmod(path.c_str(), mode);
    return path;
}

int LoadFrom(const fs::path& folder) {
    CSPIControl control(MakeSystemModuleLoader(), CFilePath::FromNative("/nonexistent"));
    return control.LoadPlugins(CFilePath::FromNative(folder.string()).Display());
}

// Another user's id, for files "planted" by someone else; only root can
// hand a file to another user.
std::optional<uid_t> OtherUser() {
    const passwd* nobody = ::getpwnam("nobody");
    if (::geteuid() != 0 || nobody == nullptr) return std::nullopt;
    return nobody->pw_uid;
}

TEST(PluginFolder, TheNamedFolderOrTheProgramsNeverTheWorkingFolder) {
    const CFilePath program = CFilePath::FromNative("/opt/kelmio/bin");
    EXPECT_EQ(PluginFolder(CFilePath(), program), program);
    EXPECT_EQ(PluginFolder(CFilePath("spi"), program).Native(), "/opt/kelmio/bin/spi");
    EXPECT_EQ(PluginFolder(CFilePath("/home/me/spi"), program).Native(), "/home/me/spi");

    // Started in a folder full of plug-ins, with none named.
    test::TempDir work;
    PutToy(work.Path() / "toy.spi");
    const fs::path before = fs::current_path();
    fs::current_path(work.Path());
    CSPIControl control(MakeSystemModuleLoader(), CFilePath::FromNative("/nonexistent"));
    EXPECT_EQ(control.LoadPlugins(""), 0);
    EXPECT_EQ(control.LoadPlugins("."), 0);
    fs::current_path(before);
}

TEST(PluginTrust, ModulesOthersCouldChangeAreSkipped) {
    test::TempDir dir;
    const fs::path plugins = MakeFolder(dir.Path() / "plugins", 0755);
    const fs::path open = MakeFolder(dir.Path() / "open", 0777);
    const fs::path safe = MakeFolder(dir.Path() / "safe", 0755);
    PutToy(plugins / "a-mine.spi");
    PutToy(plugins / "b-group-writable.spi", 0775);
    PutToy(plugins / "c-world-writable.spi", 0757);
    PutToy(open / "elsewhere.spi");
    fs::create_symlink(open / "elsewhere.spi", plugins / "d-link-into-an-open-folder.spi");
    PutToy(safe / "linked.spi");
    fs::create_symlink(safe / "linked.spi", plugins / "e-link-into-a-safe-folder.spi");
    if (const std::optional<uid_t> other = OtherUser()) {
        PutToy(plugins / "f-someone-elses.spi");
        ASSERT_EQ(::chown((plugins / "f-someone-elses.spi").c_str(), *other, static_cast<gid_t>(-1)), 0);
    }

    CSPIControl control(MakeSystemModuleLoader(), CFilePath::FromNative("/nonexistent"));
    EXPECT_EQ(control.LoadPlugins(CFilePath::FromNative(plugins.string()).Display()), 2);
    ASSERT_EQ(control.GetCount(), 2u);
    EXPECT_EQ(control.GetAt(0).m_strName, "a-mine.spi");
    EXPECT_EQ(control.GetAt(1).m_strName, "linked.spi");  // loaded by its real path

    EXPECT_EQ(TrustedPluginFile((plugins / "a-mine.spi").string()), (fs::canonical(plugins) / "a-mine.spi").string());
    EXPECT_FALSE(TrustedPluginFile((plugins / "b-group-writable.spi").string()));
    EXPECT_FALSE(TrustedPluginFile((plugins / "d-link-into-an-open-folder.spi").string()));
    EXPECT_FALSE(TrustedPluginFile(plugins.string()));  // not a file
}

TEST(PluginTrust, TheFolderAndThoseAboveItAreCheckedToo) {
    test::TempDir dir;
    const fs::path writable = MakeFolder(dir.Path() / "group-writable", 0775);
    PutToy(writable / "toy.spi");
    EXPECT_EQ(LoadFrom(writable), 0);

    // Below a folder anyone may write to, the plug-in folder could be
    // swapped for another; below a sticky one (like /tmp) it cannot.
    const fs::path open = MakeFolder(dir.Path() / "open", 0777);
    const fs::path belowOpen = MakeFolder(open / "plugins", 0755);
    PutToy(belowOpen / "toy.spi");
    EXPECT_EQ(LoadFrom(belowOpen), 0);
    const fs::path sticky = MakeFolder(dir.Path() / "sticky", 01777);
    const fs::path belowSticky = MakeFolder(sticky / "plugins", 0755);
    PutToy(belowSticky / "toy.spi");
    EXPECT_EQ(LoadFrom(belowSticky), 1);
    // The plug-in folder itself never gets the sticky exception.
    const fs::path stickyPlugins = MakeFolder(dir.Path() / "sticky-plugins", 01777);
    PutToy(stickyPlugins / "toy.spi");
    EXPECT_EQ(LoadFrom(stickyPlugins), 0);

    if (const std::optional<uid_t> other = OtherUser()) {
        const fs::path planted = MakeFolder(dir.Path() / "planted", 0755);
        PutToy(planted / "toy.spi");
        ASSERT_EQ(::chown(planted.c_str(), *other, static_cast<gid_t>(-1)), 0);
        EXPECT_EQ(LoadFrom(planted), 0);
    }
}

}  // namespace
}  // namespace kelmio
