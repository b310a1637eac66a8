// The help book itself (a zip of HTML pages with its contents and index)
// is read by the toolkit's help viewer alone; what Kelmio's own code takes
// from outside is the book's path, shown in the messages about a missing
// or damaged book, and the topic number of a help request. Any path bytes
// give a message that is the caption's text and the path shown whole, and
// only 使い方's topic passes among numbered requests.
// Input: the request kind and number (first five bytes), then the path.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "app/help_topics.h"
#include "platform/file_path.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 5) return 0;
    const auto command = static_cast<kelmio::HelpCommand>(data[0] % 4);
    int number = 0;
    std::memcpy(&number, data + 1, sizeof number);
    const bool shown = kelmio::IsHelpRequestShown(command, number);
    if (command == kelmio::HelpCommand::kContext && shown != (number == kelmio::kHelpTopicHowTo)) std::abort();
    (void)kelmio::HelpActionFor(command);

    const kelmio::CFilePath book =
        kelmio::CFilePath::FromNative(std::string_view(reinterpret_cast<const char*>(data) + 5, size - 5));
    const std::string shownPath = book.Display();
    for (const std::string& message :
         {kelmio::MissingHelpFileMessage(shownPath), kelmio::DamagedHelpFileMessage(shownPath)}) {
        if (message.size() < shownPath.size() || message.compare(message.size() - shownPath.size(), shownPath.size(), shownPath) != 0) {
            std::abort();
        }
    }
    return 0;
}
