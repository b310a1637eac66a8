#include "bench_text.h"

#include <array>
#include <cstdint>
#include <map>
#include <string_view>

#include "text/cp932.h"

namespace kelmio::bench {
namespace {

// Sentences of ordinary Japanese prose, as a translator's source or
// translation holds them: kanji and kana with a few ASCII words, numbers
// and half-width katakana. Lines are put together from them in a fixed
// pseudo-random order, so no short pattern repeats for the branch
// predictor to learn, and end in CR LF.
constexpr std::array<std::string_view, 32> kSentences = {
    "本書は、日本語の技術文書を英語に翻訳する作業の手順をまとめたものです。",
    "原文の意味を正確に理解したうえで、読み手に自然な表現を選ぶことが大切です。",
    "第3章では、専門用語の訳語を統一するための用語集の作り方を説明します。",
    "たとえば「設定」と「構成」のように、似た言葉の使い分けに注意してください。",
    "翻訳メモリを使うと、以前に訳した文章を再利用できるので作業が速くなります。",
    "画面の表示がおかしい場合は、フォントの設定を確認してから再起動してください。",
    "この機能は Version 2.1 以降で利用できます。",
    "ﾃｷｽﾄﾌｧｲﾙ の文字コードは、自動的に判定されます。",
    "東京都千代田区にある研究所で、新しい材料の試験が行われました。",
    "温度が摂氏二十五度を超えると、反応の速度は急に上がることが知られています。",
    "結果を表にまとめ、前回の測定値と比較したところ、大きな差は見られませんでした。",
    "利用者の皆様からいただいたご意見をもとに、操作手順を見直しました。",
    "辞書を引くときは、単語の上にカーソルを置いて右クリックしてください。",
    "詳しくは http://example.jp/manual を参照してください。",
    "春になると桜の花が咲き、多くの人々が公園に集まって花見を楽しみます。",
    "彼は長い間、古い文献を読み解くことに情熱を注いできた。",
    "私たちは、誰にでも使いやすい道具を作ることを目標にしています。",
    "会議は午後二時から始まり、予定より三十分遅れて終了しました。",
    "契約書の第十二条に定める期間内に、書面で通知しなければならない。",
    "漢字、ひらがな、カタカナが混じった文章は、日本語の大きな特徴です。",
    "昨年の売上高は前年比で約8%増加し、過去最高を記録しました。",
    "山田さんは、来週の出張の準備で忙しそうにしている。",
    "この問題を解決するには、まず原因を特定する必要がある。",
    "ご不明な点がございましたら、お気軽にお問い合わせください。",
    "設定ファイル config.ini の [General] セクションに Timeout=30 を追加します。",
    "エラーコード E-1024 が表示された場合は、README.txt の 4.2 節を読んでください。",
    "2024年4月1日から、新しい API (v3) への移行が始まります。",
    "出力は UTF-8 ではなく Shift_JIS で、改行は CR LF です。",
    "関数 GetText() は、文字列の長さを len に返します。",
    "Windows 10 と Linux (Debian 12) の両方で動作を確認しました。",
    "価格は 1,980 円 (税込) で、送料は別途 500 円かかります。",
    "ISBN 978-4-00-000000-0 の本を参考文献に挙げました。",
};

// A small linear congruential generator: the same text on every machine.
class CSequence {
public:
    std::size_t Next(std::size_t bound) {
        m_state = m_state * 6364136223846793005ULL + 1442695040888963407ULL;
        return static_cast<std::size_t>(m_state >> 33) % bound;
    }

private:
    std::uint64_t m_state = 17;
};

const std::array<std::string, kSentences.size()>& SjisSentences() {
    static const std::array<std::string, kSentences.size()> sentences = [] {
        std::array<std::string, kSentences.size()> converted;
        for (std::size_t i = 0; i < kSentences.size(); ++i) converted[i] = Utf8ToCp932(kSentences[i]);
        return converted;
    }();
    return sentences;
}

}  // namespace

const std::string& JapaneseText(std::size_t size) {
    static std::map<std::size_t, std::string> cache;
    std::string& text = cache[size];
    if (text.size() == size) return text;
    text.clear();
    text.reserve(size);
    const auto& sentences = SjisSentences();
    CSequence sequence;
    std::string line;
    while (true) {
        // Lines of one to four sentences, an empty line now and then.
        line.clear();
        const std::size_t count = sequence.Next(8) == 0 ? 0 : 1 + sequence.Next(4);
        for (std::size_t i = 0; i < count; ++i) line += sentences[sequence.Next(sentences.size())];
        line += "\r\n";
        if (text.size() + line.size() > size) break;
        text += line;
    }
    text.append(size - text.size(), 'x');
    return text;
}

double HighByteShare(std::string_view text) {
    std::size_t high = 0;
    for (const char c : text) high += static_cast<unsigned char>(c) >= 0x80 ? 1 : 0;
    return text.empty() ? 0.0 : static_cast<double>(high) / static_cast<double>(text.size());
}

}  // namespace kelmio::bench
