#include "keys/key_dialog_host.h"

namespace kelmio {

int FindKeyCommand(const std::vector<KeyCommand>& commands, unsigned int command) {
    for (std::size_t i = 0; i < commands.size(); ++i) {
        if (commands[i].nID == command) return static_cast<int>(i);
    }
    return -1;
}

std::string KeyCommandName(const std::vector<KeyCommand>& commands, unsigned int command) {
    const int index = FindKeyCommand(commands, command);
    return index < 0 ? std::string() : commands[static_cast<std::size_t>(index)].strName;
}

}  // namespace kelmio
