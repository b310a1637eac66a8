#include <gtest/gtest.h>

#include "keys/key_file.h"

namespace kelmio {
namespace {

std::string Bytes(std::initializer_list<int> values) {
    std::string bytes;
    for (int value : values) bytes.push_back(static_cast<char>(value));
    return bytes;
}

// Ctrl+S -> 32777 and F3 -> 57640, as the program saves them.
const std::string kTwoBindings = Bytes({0x02, 0x00, 0xFF, 0xFF, 0x01, 0x00, 0x08, 0x00, 0x43, 0x4B, 0x65, 0x79, 0x63,
                                        0x75, 0x73, 0x74, 0x53, 0x00, 0x00, 0x00, 0x00, 0x00, 0x01, 0x00, 0x09, 0x80,
                                        0x01, 0x80, 0x72, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x28, 0xE1});
const std::vector<CKeycust> kTwo = {CKeycust::Of('S', false, false, true, 32777), CKeycust::Of(114, false, false, false, 57640)};

// The class header of a stream, after the count.
const std::string kClassHeader = Bytes({0xFF, 0xFF, 0x01, 0x00, 0x08, 0x00}) + "CKeycust";
std::string Data(unsigned int key, unsigned int command) {
    return Bytes({static_cast<int>(key & 0xFF), static_cast<int>(key >> 8), 0, 0, 0, 0, 1, 0,
                  static_cast<int>(command & 0xFF), static_cast<int>(command >> 8)});
}

TEST(KeyFileWriter, WritesTheExactBytes) {
    EXPECT_EQ(WriteKeyFile(kTwo), kTwoBindings);
    EXPECT_EQ(kTwoBindings.size(), 38u);
    EXPECT_EQ(WriteKeyFile({}), Bytes({0x00, 0x00}));
    // Only 16 bits of key and command fit in the file.
    EXPECT_EQ(WriteKeyFile({CKeycust::Of(0x10041, false, false, false, 0x1E100)}).substr(16, 10),
              Bytes({0x41, 0x00, 0, 0, 0, 0, 0, 0, 0x00, 0xE1}));
}

TEST(KeyFileWriter, UsesTheLongCountFromSixtyFiveThousandFiveHundredAndThirtyFiveBindings) {
    const std::vector<CKeycust> many(65535, CKeycust::Of('A', false, false, true, 1));
    const std::string bytes = WriteKeyFile(many);
    EXPECT_EQ(bytes.substr(0, 6), Bytes({0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00}));
    const auto back = ReadKeyFile(bytes);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->size(), 65535u);
    EXPECT_EQ(WriteKeyFile(std::vector<CKeycust>(65534, many[0])).substr(0, 2), Bytes({0xFE, 0xFF}));
}

TEST(KeyFileReader, ReadsWhatTheWriterWrote) {
    EXPECT_EQ(ReadKeyFile(kTwoBindings), kTwo);
    EXPECT_EQ(ReadKeyFile(Bytes({0, 0})), std::vector<CKeycust>{});
    // Trailing bytes after the array are not part of it.
    EXPECT_EQ(ReadKeyFile(kTwoBindings + "junk"), kTwo);
}

TEST(KeyFileReader, AcceptsTheGeneralObjectStreamForms) {
    // Count 5: an empty entry, a new class with Ctrl+A, a back-reference to
    // that binding (number 2), a big-tag object of class 1, a big-tag
    // back-reference to object 3.
    const std::string bytes = Bytes({0x05, 0x00, 0x00, 0x00}) + kClassHeader + Data('A', 100) +
                              Bytes({0x02, 0x00}) + Bytes({0xFF, 0x7F, 0x01, 0x00, 0x00, 0x80}) + Data('B', 200) +
                              Bytes({0xFF, 0x7F, 0x03, 0x00, 0x00, 0x00});
    const auto bindings = ReadKeyFile(bytes);
    ASSERT_TRUE(bindings);
    const CKeycust a = CKeycust::Of('A', false, false, true, 100);
    const CKeycust b = CKeycust::Of('B', false, false, true, 200);
    EXPECT_EQ(*bindings, (std::vector<CKeycust>{a, a, b, b}));
    // The long count form.
    const std::string longCount = Bytes({0xFF, 0xFF, 0x01, 0x00, 0x00, 0x00}) + kClassHeader + Data('A', 100);
    EXPECT_EQ(ReadKeyFile(longCount), std::vector<CKeycust>{a});
    // Flags other than 1 still mean "held".
    std::string two = kTwoBindings;
    two[18] = 2;
    EXPECT_TRUE(ReadKeyFile(two)->at(0).m_bAlt);
    // The class introduced a second time simply takes another number.
    const std::string twice = Bytes({0x03, 0x00}) + kClassHeader + Data('A', 100) + kClassHeader + Data('B', 200) +
                              Bytes({0x03, 0x80}) + Data('A', 100);
    EXPECT_EQ(ReadKeyFile(twice), (std::vector<CKeycust>{a, b, a}));
}

TEST(KeyFileReader, RefusesAnotherClassOrSchema) {
    std::string otherClass = kTwoBindings;
    otherClass[8] = 'X';
    EXPECT_FALSE(ReadKeyFile(otherClass));
    std::string otherSchema = kTwoBindings;
    otherSchema[4] = 2;
    EXPECT_FALSE(ReadKeyFile(otherSchema));
    const std::string longerName = Bytes({0x01, 0x00, 0xFF, 0xFF, 0x01, 0x00, 0x09, 0x00}) + "CKeycustX" + Data(1, 1);
    EXPECT_FALSE(ReadKeyFile(longerName));
}

TEST(KeyFileReader, FailsCleanlyOnBrokenStreams) {
    // Every cut short of the full stream.
    for (std::size_t length = 0; length < kTwoBindings.size(); ++length) {
        EXPECT_FALSE(ReadKeyFile(kTwoBindings.substr(0, length))) << length;
    }
    const std::string first = Bytes({0x02, 0x00}) + kClassHeader + Data('A', 1);
    EXPECT_FALSE(ReadKeyFile(first + Bytes({0x03, 0x00}))) << "back-reference to an object not yet read";
    EXPECT_FALSE(ReadKeyFile(first + Bytes({0x01, 0x00}))) << "the class used as a binding";
    EXPECT_FALSE(ReadKeyFile(first + Bytes({0x02, 0x80}) + Data('B', 2))) << "a binding used as the class";
    EXPECT_FALSE(ReadKeyFile(first + Bytes({0x00, 0x80}) + Data('B', 2))) << "class number 0";
    EXPECT_FALSE(ReadKeyFile(first + Bytes({0xFF, 0x7F, 0xFF, 0xFF, 0xFF, 0xFF}))) << "big reference out of range";
    EXPECT_FALSE(ReadKeyFile(Bytes({0x01, 0x00, 0x01, 0x80}) + Data('A', 1))) << "class reference before any class";
    EXPECT_FALSE(ReadKeyFile(Bytes({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0}))) << "count past the end";
}

}  // namespace
}  // namespace kelmio
