#include "recovery/recovery_entry.h"

#include <gtest/gtest.h>

#include <random>

#include "recovery/process_info.h"
#include "stream/archive_stream.h"
#include "support/file_bytes.h"
#include "support/sjis_literal.h"
#include "text/cp932.h"

namespace kelmio {
namespace {

using test::Sj;

std::string Framed(const std::string& body, std::uint32_t version = kRecoveryVersion);

CRecoveryEntry FullEntry() {
    CRecoveryEntry entry;
    entry.m_writer = {4242, 987654321};
    entry.m_nCopyTime = 1796000000123;
    entry.m_strProject = Sj("/home/u/仕事/表.kmp");  // 表 ends in 0x5C
    entry.m_strEditFile = Sj("/home/u/仕事/表.txt");
    entry.m_strEditText = Sj("一行目\r\n能力と表示\r\n");
    entry.m_nEditCaret = 7;
    entry.m_nEditTopLine = 1;
    entry.m_arrMemo = {{Sj("用語"), Sj("ソフト\r\n表")}, {"", ""}};
    entry.m_nSelectedMemo = 1;
    entry.m_source = RecoverySource{Sj("/home/u/原文.txt"), 2, 1, Sj("原文の表\r\n")};
    return entry;
}

TEST(RecoveryEntryTest, WholeEntriesReadBackAsWritten) {
    const CRecoveryEntry full = FullEntry();
    EXPECT_EQ(ReadRecoveryEntry(WriteRecoveryEntry(full)), full);

    CRecoveryEntry bare;
    bare.m_strProject = "/p.kmp";
    EXPECT_EQ(ReadRecoveryEntry(WriteRecoveryEntry(bare)), bare);
}

// The streamed entry against the whole one for the same text converted
// first: random and hostile UTF-8, texts around the lengths where a string's
// length prefix grows, and texts converted in more than one piece.
TEST(RecoveryEntryTest, StreamedEntriesAreTheWholeEntrysBytes) {
    std::mt19937 random(14);
    std::vector<std::string> texts = {"", "a", "訳文\r\n", std::string(254, 'a'), std::string(255, 'a'),
                                      std::string(0xFFFD, 'a'), std::string(0xFFFE, 'a'),
                                      std::string(0xFFFE, 'a') + "\xE3\x81", "\xF0\x9F\x98\x80한\xC0\xAF\xED\xA0\x80"};
    std::string longText;
    while (longText.size() < (std::size_t{3} << 20)) longText += "長い訳文の一行、ﾃｷｽﾄ①。\r\n";
    texts.push_back(longText);  // pieces end inside characters
    for (int i = 0; i < 30; ++i) {
        std::string bytes(1 + random() % 4000, '\0');
        const std::string_view alphabet = i % 2 == 0 ? std::string_view("\x80\xBF\xC2\xE3\xF0\xF4\xFF\xED\xA0" "a\r\n", 12)
                                                     : std::string_view("\xE3\x81\x82\x83\xEF\xBD\xB1", 7);
        for (char& byte : bytes) byte = alphabet[random() % alphabet.size()];
        texts.push_back(bytes);
    }
    CRecoveryEntry foreignNames = FullEntry();
    foreignNames.m_strProject = CFilePath::FromNative("/home/u/\xFF\xFE.kmp");
    for (const CRecoveryEntry& base : {FullEntry(), CRecoveryEntry(), foreignNames}) {
        for (const std::string& text : texts) {
            CRecoveryEntry whole = base;
            whole.m_strEditText = Utf8ToCp932(text);
            CRecoveryEntry without = base;
            without.m_strEditText = "not used";
            std::string streamed;
            std::size_t pieces = 0;
            ASSERT_TRUE(WriteRecoveryEntryPieces(without, text, [&](std::string_view piece) {
                streamed.append(piece);
                ++pieces;
                return true;
            }));
            ASSERT_EQ(streamed, WriteRecoveryEntry(whole)) << "text of " << text.size() << " bytes";
            if (text.size() > (std::size_t{2} << 20)) {
                EXPECT_GT(pieces, 4u);  // never handed on whole
            }
        }
    }
    // A refusing sink stops the writing.
    int calls = 0;
    EXPECT_FALSE(WriteRecoveryEntryPieces(FullEntry(), longText, [&calls](std::string_view) { return ++calls < 3; }));
    EXPECT_EQ(calls, 3);
}

// A version 1 entry made byte by byte from the layout in the header.
TEST(RecoveryEntryTest, ReadsTheDocumentedLayout) {
    const std::string bytes = test::ReadFileBytes(std::string(KELMIO_TEST_DATA_DIR) + "/recovery/sample.kmr");
    const std::optional<CRecoveryEntry> entry = ReadRecoveryEntry(bytes);
    ASSERT_TRUE(entry);
    EXPECT_EQ(entry->m_writer, (ProcessIdentity{4242, 123456}));
    EXPECT_EQ(entry->m_nCopyTime, 1796644800000);
    EXPECT_EQ(entry->m_strProject, Sj("/home/u/表.kmp"));
    EXPECT_EQ(entry->m_strEditText, Sj("訳文\r\n表示\r\n"));
    EXPECT_EQ(entry->m_nEditCaret, 3);
    ASSERT_EQ(entry->m_arrMemo.size(), 2u);
    EXPECT_EQ(entry->m_arrMemo[0], (CKelmioMemo{Sj("用語"), Sj("本文")}));
    EXPECT_EQ(entry->m_nSelectedMemo, 1);
    ASSERT_TRUE(entry->m_source);
    EXPECT_EQ(*entry->m_source, (RecoverySource{Sj("/src/原文.txt"), 2, 1, Sj("原文\r\n")}));
    EXPECT_EQ(WriteRecoveryEntry(*entry), bytes);
}

std::uint32_t VersionOf(const std::string& bytes) {
    CArchiveReader in(std::string_view(bytes).substr(8));
    std::uint32_t version = 0;
    EXPECT_TRUE(in.ReadDword(version));
    return version;
}

// Names without a Shift-JIS form (a raw byte that is no UTF-8, an accent
// Shift-JIS lacks) come back byte for byte; only such an entry needs the
// second version, so older entries and their readers are untouched.
TEST(RecoveryEntryTest, NamesWithoutAShiftJisFormReadBackByteForByte) {
    CRecoveryEntry entry = FullEntry();
    entry.m_strProject = CFilePath::FromNative("/home/u/\xff\xfe.kmp");
    const std::string bytes = WriteRecoveryEntry(entry);
    EXPECT_EQ(VersionOf(bytes), 2u);
    const std::optional<CRecoveryEntry> read = ReadRecoveryEntry(bytes);
    ASSERT_TRUE(read);
    EXPECT_EQ(*read, entry);
    EXPECT_EQ(read->m_strProject.Native(), "/home/u/\xff\xfe.kmp");
    EXPECT_EQ(read->m_strEditFile, FullEntry().m_strEditFile);

    entry = FullEntry();
    entry.m_strEditFile = CFilePath::FromNative("/home/u/é.txt");
    const std::optional<CRecoveryEntry> accent = ReadRecoveryEntry(WriteRecoveryEntry(entry));
    ASSERT_TRUE(accent);
    EXPECT_EQ(accent->m_strEditFile.Native(), "/home/u/é.txt");
    EXPECT_NE(accent->m_strEditFile, CFilePath("/home/u/?.txt"));

    entry = FullEntry();
    ASSERT_TRUE(entry.m_source);
    entry.m_source->m_strPath = CFilePath::FromNative("/home/u/\xff原文.txt");
    const std::optional<CRecoveryEntry> source = ReadRecoveryEntry(WriteRecoveryEntry(entry));
    ASSERT_TRUE(source && source->m_source);
    EXPECT_EQ(source->m_source->m_strPath.Native(), "/home/u/\xff原文.txt");

    EXPECT_EQ(VersionOf(WriteRecoveryEntry(FullEntry())), 1u);
}

// A first-version entry holds Shift-JIS strings only: one holding the wide
// form is read as Shift-JIS, as it always was; a second-version entry whose
// wide name claims more than is there is refused.
TEST(RecoveryEntryTest, SecondVersionNamesAreCheckedBeforeUse) {
    CArchiveWriter head;
    head.WriteDword(1);
    head.WriteQword(2);
    head.WriteQword(3);
    CArchiveWriter tail;
    tail.WriteString("");
    tail.WriteString("text");
    tail.WriteLong(0);
    tail.WriteLong(0);
    tail.WriteDword(0);
    tail.WriteLong(-1);
    tail.WriteByte(0);

    CArchiveWriter wide = head;
    wide.WriteWideString(u"/p\xdcff.kmp");  // the escape of a raw 0xFF byte
    wide.WriteBytes(tail.Bytes());
    const std::optional<CRecoveryEntry> second = ReadRecoveryEntry(Framed(wide.Bytes(), 2));
    ASSERT_TRUE(second);
    EXPECT_EQ(second->m_strProject.Native(), "/p\xff.kmp");
    const std::optional<CRecoveryEntry> first = ReadRecoveryEntry(Framed(wide.Bytes(), 1));
    ASSERT_TRUE(first);
    EXPECT_TRUE(first->m_strProject.Sjis());

    // A wide length of 0x7FFFFFFF units with a few bytes behind it.
    CArchiveWriter forged = head;
    forged.WriteBytes(std::string_view("\xff\xfe\xff\xff\xff\xff\xff\xff\xff\x7f", 10));
    forged.WriteBytes(tail.Bytes());
    EXPECT_FALSE(ReadRecoveryEntry(Framed(forged.Bytes(), 2)));
    EXPECT_FALSE(ReadRecoveryEntry(Framed(wide.Bytes(), 0)));
}

// A version 2 entry made byte by byte from the layout in the header: its
// project name holds the raw byte 0xFF, its translation's name "é".
TEST(RecoveryEntryTest, ReadsTheDocumentedSecondVersion) {
    const std::string bytes = test::ReadFileBytes(std::string(KELMIO_TEST_DATA_DIR) + "/recovery/sample_v2.kmr");
    const std::optional<CRecoveryEntry> entry = ReadRecoveryEntry(bytes);
    ASSERT_TRUE(entry);
    EXPECT_EQ(entry->m_strProject.Native(), "/home/u/\xff.kmp");
    EXPECT_EQ(entry->m_strEditFile.Native(), "/home/u/é.txt");
    EXPECT_EQ(entry->m_strEditText, Sj("訳文\r\n"));
    EXPECT_EQ(entry->m_nEditCaret, 3);
    ASSERT_EQ(entry->m_arrMemo.size(), 1u);
    EXPECT_EQ(entry->m_arrMemo[0], (CKelmioMemo{Sj("用語"), Sj("本文")}));
    EXPECT_FALSE(entry->m_source);
    EXPECT_EQ(WriteRecoveryEntry(*entry), bytes);
}

TEST(RecoveryEntryTest, AnEntryCutShortAnywhereIsRefused) {
    const std::string bytes = WriteRecoveryEntry(FullEntry());
    for (std::size_t size = 0; size < bytes.size(); ++size) {
        EXPECT_FALSE(ReadRecoveryEntry(std::string_view(bytes).substr(0, size))) << "cut at " << size;
    }
    EXPECT_FALSE(ReadRecoveryEntry(bytes + '\0'));
}

TEST(RecoveryEntryTest, AnyChangedByteIsRefused) {
    const std::string bytes = WriteRecoveryEntry(FullEntry());
    for (std::size_t at = 0; at < bytes.size(); ++at) {
        std::string damaged = bytes;
        damaged[at] = static_cast<char>(damaged[at] ^ 0x20);
        EXPECT_FALSE(ReadRecoveryEntry(damaged)) << "byte " << at;
    }
}

// The fields behind a valid header and checksum are still checked: a
// forged count may not make the reader allocate or read past the end.
std::string Framed(const std::string& body, std::uint32_t version) {
    CArchiveWriter out;
    out.WriteBytes(std::string_view("KELMREC\x1a", 8));
    out.WriteDword(version);
    out.WriteQword(body.size());
    out.WriteQword(Fnv1a64(body));
    out.WriteBytes(body);
    return out.TakeBytes();
}

TEST(RecoveryEntryTest, ForgedBodiesAreRefused) {
    CArchiveWriter body;
    body.WriteDword(1);
    body.WriteQword(2);
    body.WriteQword(3);
    body.WriteString("/p.kmp");
    body.WriteString("");
    body.WriteString("text");
    body.WriteLong(0);
    body.WriteLong(0);
    CArchiveWriter hugeCount = body;
    hugeCount.WriteDword(0xFFFFFFFF);
    EXPECT_FALSE(ReadRecoveryEntry(Framed(hugeCount.Bytes())));

    CArchiveWriter good = body;
    good.WriteDword(0);
    good.WriteLong(5);  // no such memo: nothing selected
    good.WriteByte(0);
    const std::optional<CRecoveryEntry> read = ReadRecoveryEntry(Framed(good.Bytes()));
    ASSERT_TRUE(read);
    EXPECT_EQ(read->m_nSelectedMemo, -1);
    EXPECT_EQ(read->m_strEditText, "text");

    EXPECT_FALSE(ReadRecoveryEntry(Framed(good.Bytes(), kRecoveryVersion + 1)));
    CArchiveWriter badFlag = body;
    badFlag.WriteDword(0);
    badFlag.WriteLong(-1);
    badFlag.WriteByte(2);
    EXPECT_FALSE(ReadRecoveryEntry(Framed(badFlag.Bytes())));
}

TEST(ProcessInfoTest, StartTimeIsTheTwentySecondFieldAfterTheName) {
    const std::string fields = " S 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 777 19 20";
    EXPECT_EQ(StartTimeFromStat("123 (kelmio)" + fields), 777u);
    // A name holding ") " does not shift the fields.
    EXPECT_EQ(StartTimeFromStat("123 (a) b (c)" + fields), 777u);
    EXPECT_FALSE(StartTimeFromStat("123 (kelmio) Z 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 777"));
    EXPECT_FALSE(StartTimeFromStat("123 (kelmio) S 1 2"));
    EXPECT_FALSE(StartTimeFromStat("no name"));
}

TEST(ProcessInfoTest, ThisProcessRunsAndAnotherStartTimeDoesNot) {
    const CSystemProcessInfo processes;
    const ProcessIdentity self = processes.Current();
    ASSERT_NE(self.nStartTime, 0u);
    EXPECT_TRUE(processes.IsRunning(self));
    EXPECT_FALSE(processes.IsRunning({self.nPid, self.nStartTime + 1}));
    EXPECT_FALSE(processes.IsRunning({0, self.nStartTime}));
}

}  // namespace
}  // namespace kelmio
