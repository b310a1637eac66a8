#include "keys/command_list.h"

#include "commands/command_registry.h"
#include "text/cp932.h"

namespace kelmio {
namespace {

std::vector<CommandListEntry> BuildCommandList() {
    std::vector<CommandListEntry> list;
    for (const CommandRecord& record : CommandRecords()) {
        if (record.keyListName.empty()) continue;
        list.push_back({SjisText(record.keyListName), static_cast<unsigned int>(CommandNumber(record.id))});
    }
    return list;
}

}  // namespace

const std::vector<CommandListEntry>& GetCommandList() {
    static const std::vector<CommandListEntry> list = BuildCommandList();
    return list;
}

std::string GetCommandName(unsigned int id) {
    for (const CommandListEntry& entry : GetCommandList()) {
        if (entry.id == id) return entry.name;
    }
    return {};
}

}  // namespace kelmio
