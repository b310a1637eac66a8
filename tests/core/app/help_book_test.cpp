#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <regex>
#include <set>
#include <string>

#include "app/help_topics.h"
#include "commands/menu_table.h"
#include "support/file_bytes.h"
#include "text/cp932.h"

namespace kelmio {
namespace {

const std::filesystem::path kHelpDir = KELMIO_HELP_SOURCE_DIR;

std::string Source(const std::string& name) { return test::ReadFileBytes((kHelpDir / name).string()); }

struct IndexEntry {
    std::string name;
    std::string local;
};

// The sitemap entries of a contents or index file, in order.
std::vector<IndexEntry> SitemapEntries(const std::string& text) {
    static const std::regex entry(
        R"re(<param name="Name" value="([^"]*)">\s*<param name="Local" value="([^"]*)">)re");
    std::vector<IndexEntry> entries;
    for (auto it = std::sregex_iterator(text.begin(), text.end(), entry); it != std::sregex_iterator(); ++it) {
        entries.push_back({(*it)[1].str(), (*it)[2].str()});
    }
    return entries;
}

// A menu caption as a reader looks it up: no mnemonic, no "...", no shortcut.
std::string PlainCaption(const std::string& sjisCaption) {
    std::string text = Cp932ToUtf8(sjisCaption.substr(0, sjisCaption.find('\t')));
    text = std::regex_replace(text, std::regex(R"(\(&.\))"), "");
    text = std::regex_replace(text, std::regex(R"(\.\.\.$)"), "");
    return std::regex_replace(text, std::regex("&"), "");
}

void CollectCommands(const std::vector<CMenuItem>& items, std::vector<const CMenuItem*>& out) {
    for (const CMenuItem& item : items) {
        if (item.kind == CMenuItem::Kind::kCommand) out.push_back(&item);
        if (item.kind == CMenuItem::Kind::kPopup) CollectCommands(item.children, out);
    }
}

std::vector<std::string> BookPages() {
    const std::string project = Source("Kelmio.hhp");
    const std::size_t begin = project.find("[FILES]");
    const std::size_t end = project.find('[', begin + 1);
    std::vector<std::string> pages;
    static const std::regex line(R"(\n([\w.]+\.html))");
    const std::string files = project.substr(begin, end - begin);
    for (auto it = std::sregex_iterator(files.begin(), files.end(), line); it != std::sregex_iterator(); ++it) {
        pages.push_back((*it)[1].str());
    }
    return pages;
}

bool TargetExists(const std::string& local) {
    const std::size_t hash = local.find('#');
    const std::string page = Source(local.substr(0, hash));
    if (page.empty()) return false;
    return hash == std::string::npos || page.find("<a name=\"" + local.substr(hash + 1) + "\">") != std::string::npos;
}

TEST(HelpBook, EveryMenuCommandHasATopicAndAnIndexEntry) {
    std::vector<const CMenuItem*> commands;
    CollectCommands(MainMenu(), commands);
    for (ContextMenuKind kind : {ContextMenuKind::kEdit, ContextMenuKind::kPreview, ContextMenuKind::kMemo}) {
        CollectCommands(ContextMenu(kind).children, commands);
    }
    ASSERT_GT(commands.size(), 90u);
    const std::vector<IndexEntry> index = SitemapEntries(Source("Kelmio.hhk"));
    for (const CMenuItem* command : commands) {
        const std::string anchor = "#cmd" + std::to_string(CommandNumber(command->id));
        const std::string caption = PlainCaption(command->strCaption);
        const auto entry = std::find_if(index.begin(), index.end(), [&](const IndexEntry& e) {
            return e.local.ends_with(anchor) && e.name.find(caption) != std::string::npos;
        });
        ASSERT_NE(entry, index.end()) << "no index entry for " << CommandNumber(command->id) << " " << caption;
        EXPECT_TRUE(TargetExists(entry->local)) << entry->local;
    }
}

TEST(HelpBook, ContentsAndIndexLeadToPagesOfTheBook) {
    const std::vector<std::string> pages = BookPages();
    const std::set<std::string> listed(pages.begin(), pages.end());
    for (const auto& file : std::filesystem::directory_iterator(kHelpDir)) {
        if (file.path().extension() == ".html") {
            EXPECT_TRUE(listed.contains(file.path().filename().string())) << file.path();
        }
    }
    for (const std::string& page : pages) {
        EXPECT_NE(Source(page).find("charset=UTF-8"), std::string::npos) << page;
    }
    for (const char* sitemap : {"Kelmio.hhc", "Kelmio.hhk"}) {
        const std::vector<IndexEntry> entries = SitemapEntries(Source(sitemap));
        EXPECT_FALSE(entries.empty());
        for (const IndexEntry& entry : entries) {
            EXPECT_TRUE(listed.contains(entry.local.substr(0, entry.local.find('#')))) << sitemap << " " << entry.local;
            EXPECT_TRUE(TargetExists(entry.local)) << sitemap << " " << entry.local;
        }
    }
}

TEST(HelpBook, ContextNumbersOfTheProgramAreMapped) {
    const std::string project = Source("Kelmio.hhp");
    const std::string contents = Source("Kelmio.hhc");
    const std::pair<int, const char*> topics[] = {{kHelpTopicHowTo, "howto.html"},
                                                  {kHelpTopicKeyDialog, "keycust.html"}};
    for (const auto& [number, page] : topics) {
        const std::regex define("#define (\\w+) " + std::to_string(number) + "\\n");
        std::smatch match;
        ASSERT_TRUE(std::regex_search(project, match, define)) << number;
        EXPECT_NE(project.find(match[1].str() + "=" + page), std::string::npos) << page;
        const std::regex id("value=\"" + std::string(page) + "\">\\s*<param name=\"ID\" value=\"" +
                            std::to_string(number) + "\">");
        EXPECT_TRUE(std::regex_search(contents, id)) << page;
    }
    EXPECT_NE(project.find("Default topic=index.html"), std::string::npos);
}

// The viewer gives a contents entry without an ID the ID of the entry
// before it, so every entry carries its own, and no two the same.
TEST(HelpBook, EveryContentsEntryHasItsOwnContextNumber) {
    const std::string contents = Source("Kelmio.hhc");
    static const std::regex entry(R"re(<object type="text/sitemap">([^<]|<(?!/object>))*</object>)re");
    static const std::regex id(R"re(<param name="ID" value="(\d+)">)re");
    std::set<std::string> numbers;
    int entries = 0;
    for (auto it = std::sregex_iterator(contents.begin(), contents.end(), entry); it != std::sregex_iterator(); ++it) {
        ++entries;
        const std::string block = it->str();
        std::smatch match;
        ASSERT_TRUE(std::regex_search(block, match, id)) << block;
        EXPECT_TRUE(numbers.insert(match[1].str()).second) << match[1].str();
    }
    EXPECT_EQ(entries, static_cast<int>(SitemapEntries(contents).size()));
}

}  // namespace
}  // namespace kelmio
