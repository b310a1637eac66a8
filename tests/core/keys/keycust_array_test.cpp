#include <gtest/gtest.h>

#include <filesystem>

#include "keys/key_file.h"
#include "keys/keycust_array.h"
#include "platform/file_io.h"
#include "support/file_bytes.h"
#include "support/temp_dir.h"

namespace kelmio {
namespace {

CKeycust Binding(unsigned int key, bool shift, bool ctrl, unsigned int command) {
    CKeycust binding;
    binding.m_nKey = key;
    binding.m_bShift = shift;
    binding.m_bCtrl = ctrl;
    binding.m_nCommand = command;
    return binding;
}

std::string KeycustSetting(const CMemorySettings& settings) {
    return settings.GetString("System", "Keycust", "<none>");
}

class KeycustArrayTest : public testing::Test {
protected:
    KeyFileFolders Folders() const { return {m_dir.File("program"), m_dir.File("data")}; }

    test::TempDir m_dir;
    CMemorySettings m_settings;
};

TEST_F(KeycustArrayTest, FirstBindingOfAKeyWins) {
    CKeycustArray table(m_settings, Folders());
    table.Add(Binding('S', false, true, 32777));
    table.Add(Binding('S', false, true, 57603));
    table.Add(Binding('S', true, true, 57604));
    EXPECT_EQ(table.LookupCommand('S', false, false, true), 32777u);
    EXPECT_EQ(table.LookupCommand('S', false, true, true), 57604u);
    EXPECT_EQ(table.LookupCommand('S', true, false, true), 0u);
    EXPECT_EQ(table.FindKey('S', false, false, true), 0);
    EXPECT_EQ(table.FindKey('T', false, false, true), -1);
    EXPECT_EQ(table.FindCommand(57603), 1);
    EXPECT_EQ(table.FindCommand(1), -1);
    EXPECT_EQ(table.GetKeyText(2), "Shift+Ctrl+S");
    EXPECT_EQ(table.GetKeyText(3), "");
}

TEST_F(KeycustArrayTest, LoadReplacesTheTableAndRemembersThePath) {
    const std::string path = m_dir.File("a.key");
    test::WriteFileBytes(path, WriteKeyFile({Binding(114, false, false, 57640)}));
    CKeycustArray table(m_settings, Folders());
    table.Add(Binding('A', false, true, 1));
    ASSERT_TRUE(table.Load(path));
    EXPECT_EQ(table.GetBindings(), std::vector<CKeycust>{Binding(114, false, false, 57640)});
    EXPECT_EQ(KeycustSetting(m_settings), path);
}

TEST_F(KeycustArrayTest, FailedLoadLeavesTheTableAsItWas) {
    const std::string good = m_dir.File("good.key");
    test::WriteFileBytes(good, WriteKeyFile({Binding('A', false, true, 1), Binding('B', false, true, 2)}));
    CKeycustArray table(m_settings, Folders());
    ASSERT_TRUE(table.Load(good));
    const std::vector<CKeycust> before = table.GetBindings();

    // A stream that breaks off in its second binding.
    const std::string broken = m_dir.File("broken.key");
    const std::string bytes = WriteKeyFile({Binding('C', false, true, 3), Binding('D', false, true, 4)});
    test::WriteFileBytes(broken, bytes.substr(0, bytes.size() - 3));
    EXPECT_FALSE(table.Load(broken));
    EXPECT_EQ(table.GetBindings(), before);
    EXPECT_FALSE(table.Load(m_dir.File("missing.key")));
    EXPECT_EQ(table.GetBindings(), before);
    // The path tried is kept, so a later save goes where the user pointed.
    EXPECT_EQ(table.GetPath(), m_dir.File("missing.key"));
    EXPECT_EQ(KeycustSetting(m_settings), good);
}

// Bindings take a few kilobytes; a key file of many megabytes is not one,
// even when it begins like one, and is not read into memory.
TEST_F(KeycustArrayTest, HugeKeyFileIsRefused) {
    const std::string path = m_dir.File("huge.key");
    test::WriteFileBytes(path, WriteKeyFile({Binding('A', false, true, 1)}));
    std::filesystem::resize_file(path, std::uintmax_t{300} << 20);  // sparse
    CKeycustArray table(m_settings, Folders());
    EXPECT_FALSE(table.Load(path));
    EXPECT_TRUE(table.GetBindings().empty());
}

TEST_F(KeycustArrayTest, StartupReadsTheNamedFileOrTheDefault) {
    std::filesystem::create_directories(m_dir.File("program"));
    test::WriteFileBytes(m_dir.File("program/Kelmio.key"), WriteKeyFile({Binding('N', false, true, 57600)}));
    {
        CKeycustArray table(m_settings, Folders());
        EXPECT_TRUE(table.LoadAtStartup());
        EXPECT_EQ(table.GetPath(), m_dir.File("program/Kelmio.key"));
        EXPECT_EQ(table.GetSize(), 1);
    }
    m_settings.WriteString("System", "Keycust", "");
    {
        CKeycustArray table(m_settings, Folders());
        EXPECT_TRUE(table.LoadAtStartup()) << "an empty setting means the default file";
    }
    m_settings.WriteString("System", "Keycust", m_dir.File("nowhere.key"));
    {
        CKeycustArray table(m_settings, Folders());
        EXPECT_FALSE(table.LoadAtStartup());
        EXPECT_EQ(table.GetSize(), 0);
    }
    EXPECT_EQ(KeycustSetting(m_settings), m_dir.File("nowhere.key")) << "written back when the table goes";
}

TEST_F(KeycustArrayTest, SaveWritesTheFileAndThePath) {
    CKeycustArray table(m_settings, Folders());
    table.Add(Binding('S', false, true, 32777));
    const std::string path = m_dir.File("mine.key");
    ASSERT_TRUE(table.Save(path));
    EXPECT_EQ(ReadWholeFile(path).bytes, WriteKeyFile(table.GetBindings()));
    EXPECT_EQ(KeycustSetting(m_settings), path);
}

TEST_F(KeycustArrayTest, SaveFallsBackToThePerUserFileWhenTheFolderCannotBeWritten) {
    CKeycustArray table(m_settings, Folders());
    table.Add(Binding('S', false, true, 32777));
    // The program's folder does not exist, so nothing can be created in it.
    ASSERT_TRUE(table.Save(table.GetDefaultPath()));
    const std::string perUser = m_dir.File("data/Morva/Sprigbox/sprigbox.key");
    EXPECT_EQ(table.GetPath(), perUser);
    EXPECT_EQ(KeycustSetting(m_settings), perUser);
    EXPECT_EQ(ReadWholeFile(perUser).bytes, WriteKeyFile(table.GetBindings()));

    // The next start finds it there.
    CKeycustArray next(m_settings, Folders());
    EXPECT_TRUE(next.LoadAtStartup());
    EXPECT_EQ(next.GetBindings(), table.GetBindings());
}

TEST_F(KeycustArrayTest, SaveFailsWhenNeitherPlaceCanBeWritten) {
    // Application data is a file, so its folders cannot be made.
    test::WriteFileBytes(m_dir.File("data"), "not a folder");
    CKeycustArray table(m_settings, Folders());
    EXPECT_FALSE(table.Save(m_dir.File("program/Kelmio.key")));
    EXPECT_EQ(table.GetPath(), m_dir.File("program/Kelmio.key"));
}

}  // namespace
}  // namespace kelmio
