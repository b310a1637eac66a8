#include "commands/command_registry.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "commands/menu_table.h"
#include "commands/toolbar_table.h"
#include "keys/command_list.h"

namespace kelmio {
namespace {

TEST(CommandRegistry, EveryRecordNamesACommandAndIsFoundByItsNumber) {
    for (const CommandRecord& record : CommandRecords()) {
        const int nID = CommandNumber(record.id);
        EXPECT_TRUE(IsCommandId(nID)) << nID;
        EXPECT_EQ(FindCommandRecord(nID), &record) << nID;
        EXPECT_EQ(FindCommandRecord(record.id), &record) << nID;
    }
    EXPECT_EQ(FindCommandRecord(1001), nullptr);
    EXPECT_EQ(FindCommandRecord(0), nullptr);
}

TEST(CommandRegistry, TheMainMenuShowsExactlyTheRecordsWithACaption) {
    const std::vector<CommandId> menuIds = MenuCommandIds(MainMenu());
    const std::set<CommandId> inMenu(menuIds.begin(), menuIds.end());
    for (const CommandRecord& record : CommandRecords()) {
        EXPECT_EQ(inMenu.contains(record.id), !record.caption.empty()) << CommandNumber(record.id);
    }
    for (CommandId id : menuIds) ASSERT_NE(FindCommandRecord(id), nullptr) << CommandNumber(id);
}

TEST(CommandRegistry, TheKeyListIsTheRecordsWithAKeyListNameInRecordOrder) {
    std::vector<unsigned int> named;
    for (const CommandRecord& record : CommandRecords()) {
        if (!record.keyListName.empty()) named.push_back(static_cast<unsigned int>(CommandNumber(record.id)));
    }
    std::vector<unsigned int> listed;
    for (const CommandListEntry& entry : GetCommandList()) listed.push_back(entry.id);
    EXPECT_EQ(listed, named);
    EXPECT_EQ(listed.size(), 86u);
}

TEST(CommandRegistry, EditorOperationsAreApartFromCommandNumbers) {
    // 32798 was once both "go to start" in the editor and the reduce-to-a-third command.
    EXPECT_EQ(CommandNumber(ID_IMAGE_REDUCE_3), 32798);
    EXPECT_FALSE(FindCommandRecord(ID_IMAGE_REDUCE_3)->editorOperation.has_value());
    EXPECT_EQ(FindCommandRecord(ID_EDIT_GOTO_TOP)->editorOperation, EditorOperation::kGoToStart);

    std::set<EditorOperation> operations;
    for (const CommandRecord& record : CommandRecords()) {
        if (record.editorOperation) {
            EXPECT_TRUE(operations.insert(*record.editorOperation).second) << CommandNumber(record.id);
        }
    }
    EXPECT_EQ(operations.size(), 13u);
}

TEST(CommandRegistry, TicksAndIconsAsTheMenusAndToolbarShowThem) {
    for (int step = 0; step < 9; ++step) {
        EXPECT_TRUE(IsCheckableCommand(CommandAfter(ID_IMAGE_REDUCE_2, step)));
        EXPECT_TRUE(IsCheckableCommand(CommandAfter(ID_IMAGE_ENLARGE_2, step)));
    }
    EXPECT_FALSE(IsCheckableCommand(ID_IMAGE_REDUCE_CUSTOM));
    EXPECT_TRUE(IsCheckableCommand(ID_VIEW_STATUS_BAR));
    EXPECT_FALSE(IsCheckableCommand(ID_FILE_NEW));
    EXPECT_EQ(ToCommandId(1001), std::nullopt);

    for (const std::optional<CommandId> id : kToolbarButtons) {
        if (id) EXPECT_FALSE(FindCommandRecord(*id)->iconName.empty()) << CommandNumber(*id);
    }
    EXPECT_EQ(FindCommandRecord(ID_EDIT_UNDO)->iconName, "edit-undo");
}

}  // namespace
}  // namespace kelmio
