// File names that hold what HTML or an address reads as markup: the page
// keeps its own markup, and its link and player name that very file
// (markup characters written as character references, what would end the
// path percent-encoded).
#include <gtest/gtest.h>

#include "platform/file_path.h"
#include "support/sjis_literal.h"
#include "viewer/html_tag.h"
#include "viewer/preview_page.h"

namespace kelmio {
namespace {

using test::Sj;

TEST(PreviewPageNames, MarkupInANameIsEncodedInTheLinkAndWrittenAsTextInThePage) {
    const CFilePath path = CFilePath::FromNative("/m/a\"><script>x</script>&amp;100%#1?.exe");
    const std::string body = MakeInfoPageBody(path, "t", {});
    EXPECT_NE(body.find("<A HREF=\"file:///m/a&quot;&gt;&lt;script&gt;x&lt;/script&gt;&amp;amp;100%25%231%3F.exe\">"
                        "/m/a&quot;&gt;&lt;script&gt;x&lt;/script&gt;&amp;amp;100%#1?.exe</A>"),
              std::string::npos)
        << body;
    EXPECT_EQ(body.find("<script>"), std::string::npos);
}

TEST(PreviewPageNames, MediaTagKeepsItsAttributesWhateverTheName) {
    const CFilePath path = CFilePath::FromNative("/m/\xE5\x8B\x95 \"q\" x=1>.avi");
    const std::string body = MakeMediaPageBody(path, true, 480);
    EXPECT_EQ(body, Sj("<EMBED SRC=\"/m/動 &quot;q&quot; x=1&gt;.avi\" AUTOSTART=\"FALSE\" HEIGHT=\"430\">"));
    const CHtmlTag tag(body);
    ASSERT_EQ(tag.Attributes().size(), 3u);
    EXPECT_EQ(tag.Attributes()[1].m_strName, "AUTOSTART");
}

TEST(PreviewPageNames, ATrailByteThatIsABackslashStaysPartOfItsCharacter) {
    // 表 is 0x95 0x5C in Shift-JIS: its second byte is no separator and no markup.
    const std::string body = MakeMediaPageBody(Sj("/m/表.wav"), false, 0);
    EXPECT_EQ(body, Sj("<EMBED SRC=\"/m/表.wav\" AUTOSTART=\"FALSE\">"));
}

}  // namespace
}  // namespace kelmio
