#pragma once
// The Japanese text the file-format benchmarks open and convert: sentences of everyday Japanese with
// ASCII words, numbers and paths among them, about 80 bytes to a line in UTF-8, CR LF breaks. The same
// sentences are given as UTF-8 and as Shift-JIS, so both files hold the same text line for line.
#include <cstddef>
#include <string>
#include <string_view>

namespace tovel::bench {

struct Phrase {
    const char8_t* utf8;
    const char* shiftJis;  // narrow literals are compiled to code page 932
};

// One sentence: Japanese, an ASCII word, Japanese.
struct Sentence {
    Phrase before;
    const char* ascii;
    Phrase after;
};

inline constexpr Sentence kSentences[] = {
    {{u8"本日の会議では", "本日の会議では"},
     " version 2.4 ",
     {u8"の仕様について話し合いました。", "の仕様について話し合いました。"}},
    {{u8"ファイルを保存する前に", "ファイルを保存する前に"},
     " UTF-8 ",
     {u8"の設定を確認してください。", "の設定を確認してください。"}},
    {{u8"サーバーの応答時間は平均", "サーバーの応答時間は平均"}, " 120 ms ", {u8"でした。", "でした。"}},
    {{u8"次回の打ち合わせは", "次回の打ち合わせは"},
     " 10:30 ",
     {u8"から東京本社で行います。", "から東京本社で行います。"}},
    {{u8"詳しい手順は", "詳しい手順は"}, " docs/install.txt ", {u8"を参照してください。", "を参照してください。"}},
    {{u8"エラーが出た場合は", "エラーが出た場合は"},
     " log ",
     {u8"を添えて担当者へ連絡します。", "を添えて担当者へ連絡します。"}},
    {{u8"私たちは毎日少しずつ", "私たちは毎日少しずつ"},
     " Windows ",
     {u8"版の改善を続けています。", "版の改善を続けています。"}},
    {{u8"今年の売上は前年比", "今年の売上は前年比"},
     " 3.5% ",
     {u8"増となり、目標を達成しました。", "増となり、目標を達成しました。"}},
    {{u8"新しい機能として", "新しい機能として"},
     " Ctrl+F ",
     {u8"で検索できるようになりました。", "で検索できるようになりました。"}},
    {{u8"桜の季節には多くの観光客が", "桜の季節には多くの観光客が"}, " Kyoto ", {u8"を訪れます。", "を訪れます。"}},
    {{u8"会員番号", "会員番号"},
     " ID-48213 ",
     {u8"の方は受付でお名前をお伝えください。", "の方は受付でお名前をお伝えください。"}},
    {{u8"ダウンロードは", "ダウンロードは"},
     " https://example.jp/ ",
     {u8"から無料で行えます。", "から無料で行えます。"}},
};

inline constexpr std::size_t kSentenceCount = sizeof kSentences / sizeof kSentences[0];

inline std::string_view Text(const Phrase& p, bool utf8) {
    return utf8 ? std::string_view(reinterpret_cast<const char*>(p.utf8)) : std::string_view(p.shiftJis);
}

// At least `size` bytes of the text in UTF-8 or in Shift-JIS; line n is the same in both. Lines are
// sentences picked by a fixed scramble of the line number, about 80 bytes of UTF-8 each.
inline std::string MakeJapaneseText(std::size_t size, bool utf8) {
    std::string text;
    text.reserve(size + 256);
    for (std::size_t line = 0; text.size() < size; ++line) {
        std::size_t pick = line * 2654435761u;
        std::size_t utf8Length = 0;  // the same rule for both encodings, so their lines match
        while (utf8Length < 60) {
            const Sentence& s = kSentences[(pick >> 7) % kSentenceCount];
            pick = pick * 6364136223846793005u + 1442695040888963407u;
            text += Text(s.before, utf8);
            text += s.ascii;
            text += Text(s.after, utf8);
            utf8Length += Text(s.before, true).size() + std::string_view(s.ascii).size() + Text(s.after, true).size();
        }
        text += "\r\n";
    }
    return text;
}

}  // namespace tovel::bench
