// The key texts the menu shows are the key table's own names, for every
// key and every combination of Alt, Shift and Ctrl: "Alt+PageUp", as the
// key dialog and the key file write it, never the toolkit's "Page_Up" or
// its order of the modifiers.

#include "gui/keys/menu_key_label.h"

#include <gtest/gtest.h>
#include <wx/menu.h>

#include <memory>
#include <vector>

#include "commands/menu_table.h"
#include "gui/app/menu_builder.h"
#include "gui/app/wx_command_ids.h"
#include "gui/keys/menu_key_texts.h"
#include "gui/platform/wx_text.h"
#include "keys/key_names.h"
#include "keys/keycust_array.h"
#include "platform/settings.h"
#include "support/temp_dir.h"

namespace kelmio {
namespace {

void CollectCommands(const std::vector<CMenuItem>& items, std::vector<CommandId>& commands) {
    for (const CMenuItem& item : items) {
        if (item.kind == CMenuItem::Kind::kCommand) commands.push_back(item.id);
        if (item.kind == CMenuItem::Kind::kPopup) CollectCommands(item.children, commands);
    }
}

struct Held {
    bool alt;
    bool shift;
    bool ctrl;
};

TEST(MenuKeyLabel, EveryKeyShowsInTheMenuAsTheKeyTableNamesIt) {
    std::vector<CommandId> commands;
    CollectCommands(MainMenu(), commands);
    ASSERT_GT(commands.size(), 20u);
    const std::vector<KeyName>& keys = GetKeyNameList();
    const Held combinations[] = {{false, false, false}, {false, false, true}, {true, false, false},
                                 {false, true, false},  {false, true, true},  {true, false, true},
                                 {true, true, false},   {true, true, true}};
    test::TempDir folder;
    CMemorySettings settings;
    int checked = 0;
    for (const Held& held : combinations) {
        for (std::size_t first = 0; first < keys.size(); first += commands.size()) {
            CKeycustArray table(settings, KeyFileFolders{folder.Path().string(), folder.Path().string()});
            for (std::size_t i = first; i < keys.size() && i - first < commands.size(); ++i) {
                table.Add(CKeycust::Of(keys[i].code, held.alt, held.shift, held.ctrl,
                                       static_cast<unsigned>(CommandNumber(commands[i - first]))));
            }
            const std::unique_ptr<wxMenuBar> bar = BuildMenuBar();
            CMenuKeyTexts texts;
            texts.Apply(table, *bar);
            for (const CKeycust& binding : table.GetBindings()) {
                const wxMenuItem* item = bar->FindItem(WxIdOfNumber(static_cast<int>(binding.m_nCommand)));
                ASSERT_NE(item, nullptr);
                const std::string written = MakeKeyText(binding);
                EXPECT_EQ(ShownMenuKeyText(*item), ToWx(written)) << written;
                // The shown text reads back as the same key.
                const auto read = ParseKeyText(FromWx(ShownMenuKeyText(*item)));
                ASSERT_TRUE(read.has_value()) << written;
                EXPECT_TRUE(read->Matches(binding.m_nKey, binding.m_bAlt, binding.m_bShift, binding.m_bCtrl)) << written;
                ++checked;
            }
        }
    }
    EXPECT_EQ(checked, static_cast<int>(keys.size() * std::size(combinations)));
}

TEST(MenuKeyLabel, ARebindingReplacesTheShownText) {
    test::TempDir folder;
    CMemorySettings settings;
    CKeycustArray table(settings, KeyFileFolders{folder.Path().string(), folder.Path().string()});
    table.Add(CKeycust::Of(33, true, false, false, static_cast<unsigned>(CommandNumber(ID_SOURCE_PAGE_UP))));
    const std::unique_ptr<wxMenuBar> bar = BuildMenuBar();
    CMenuKeyTexts texts;
    texts.Apply(table, *bar);
    const wxMenuItem* item = bar->FindItem(ToWxId(ID_SOURCE_PAGE_UP));
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(ShownMenuKeyText(*item), "Alt+PageUp");

    table.SetAt(0, CKeycust::Of(34, true, true, true, static_cast<unsigned>(CommandNumber(ID_SOURCE_PAGE_UP))));
    texts.Apply(table, *bar);
    EXPECT_EQ(ShownMenuKeyText(*item), "Alt+Shift+Ctrl+PageDown");
    EXPECT_EQ(item->GetItemLabel().AfterFirst('\t'), "Alt+Shift+Ctrl+PageDown");
}

}  // namespace
}  // namespace kelmio
