// A DICT server that trickles its reply must not hold a lookup: the whole
// exchange has one deadline, the local databases' answer always comes back,
// and a server that ran out of time is left alone for a while.

#include <gtest/gtest.h>

#include <chrono>

#include "dictbridge/dictzip_writer.h"
#include "dictbridge/slow_dict_server.h"
#include "dictd/dict_protocol.h"
#include "dictd/dictd_shelf.h"
#include "support/file_bytes.h"
#include "support/temp_dir.h"

namespace kelmio::dictd {
namespace {

using namespace kelmio::test;
using std::chrono::milliseconds;
using std::chrono::steady_clock;

TEST(SlowDictServerTest, TrickledGreetingOrReplyEndsAtTheDeadlineKeepingWholeDefinitions) {
    // The reply never ends: the time, not the server, ends the exchange.
    {
        CSlowDictServer server(EndlessDictReply(), milliseconds(20));
        const auto start = steady_clock::now();
        const DefineResult result = DefineOnServer(server.Address(), "dog", 1000);
        EXPECT_LT(steady_clock::now() - start, std::chrono::seconds(4));
        EXPECT_TRUE(result.late);
        EXPECT_NE(result.problem.find("no complete reply within 1 s"), std::string::npos) << result.problem;
    }
    // Even the greeting is too slow.
    {
        CSlowDictServer server(EndlessDictReply(), milliseconds(400));
        const DefineResult result = DefineOnServer(server.Address(), "dog", 1000);
        EXPECT_TRUE(result.late);
        EXPECT_TRUE(result.definitions.empty());
    }
    // A definition that arrived whole before the time ran out is kept.
    {
        CSlowDictServer server("220 x\r\n150 2\r\n151 \"dog\" a \"A\"\r\ninu\r\n.\r\n151 \"dog\" b \"B\"\r\n" +
                                   std::string(4000, 'z'),
                               milliseconds(5));
        const DefineResult result = DefineOnServer(server.Address(), "dog", 1500);
        EXPECT_TRUE(result.late);
        EXPECT_EQ(result.definitions, std::vector<std::string>{"inu\n"});
    }
}

TEST(SlowDictServerTest, LocalAnswerComesBackWithinTheDeadlineAndTheServerRestsAfterwards) {
    TempDir dir;
    const auto local = MakeDictdDatabase({{"dog", "dog\n  inu\n"}});
    WriteFileBytes(dir.File("local.index"), local.index);
    WriteFileBytes(dir.File("local.dict"), local.text);
    CSlowDictServer server(EndlessDictReply(), milliseconds(200));
    CDictdShelf shelf({dir.Path().string()}, server.Address());
    shelf.Load();

    const auto start = steady_clock::now();
    const LookupResult first = shelf.Lookup("dog");
    EXPECT_LT(steady_clock::now() - start, std::chrono::seconds(6));  // the server gets 3 s
    EXPECT_EQ(first.definitions, std::vector<std::string>{"dog\n  inu\n"});
    ASSERT_EQ(first.problems.size(), 1u);
    EXPECT_NE(first.problems[0].find("not asked again"), std::string::npos) << first.problems[0];
    EXPECT_EQ(server.Connections(), 1);

    // The next words are answered from the databases without the server.
    const LookupResult second = shelf.Lookup("dog");
    EXPECT_EQ(second.definitions, std::vector<std::string>{"dog\n  inu\n"});
    EXPECT_TRUE(second.problems.empty());
    EXPECT_EQ(server.Connections(), 1);
}

}  // namespace
}  // namespace kelmio::dictd
