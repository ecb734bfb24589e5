// Command-line splitting, the error box's final ".", paths and Shift-JIS walking.
#include <gtest/gtest.h>

#include "platform/command_line.h"
#include "platform/error_text.h"
#include "platform/path_parts.h"
#include "platform/sjis.h"

namespace tovel {
namespace {

using Args = std::vector<std::string>;

TEST(CommandLineArguments, BlanksSeparateQuotesGroup) {
    EXPECT_EQ(CommandLineArguments("tovel.exe"), Args{});
    EXPECT_EQ(CommandLineArguments("\"C:\\Program Files\\tovel.exe\" a.txt b"), (Args{"a.txt", "b"}));
    EXPECT_EQ(CommandLineArguments("tovel.exe \"my file.txt\""), Args{"my file.txt"});
    EXPECT_EQ(CommandLineArguments("tovel.exe my\" \"file.txt"), Args{"my file.txt"});
    EXPECT_EQ(CommandLineArguments("tovel.exe\ta.txt\x01"
                                   "b"),
              (Args{"a.txt", "b"}));
    EXPECT_EQ(CommandLineArguments("tovel.exe   \xe3\x81\x82  "), Args{"\xe3\x81\x82"});
}

TEST(CommandLineArguments, CountingStopsAtTheFirstEmptyArgument) {
    EXPECT_EQ(CommandLineArguments("tovel.exe \"\" a.txt"), Args{});
    EXPECT_EQ(CommandLineArguments("tovel.exe a.txt \"\" b.txt"), Args{"a.txt"});
}

TEST(WithFinalPeriod, AddsOnlyAfterCharactersSortingAfterPeriod) {
    EXPECT_EQ(WithFinalPeriod(""), "");
    EXPECT_EQ(WithFinalPeriod("ファイル a.txt は開けません"), "ファイル a.txt は開けません.");
    EXPECT_EQ(WithFinalPeriod("done."), "done.");
    EXPECT_EQ(WithFinalPeriod("why?"), "why?.");  // '?' sorts after '.'
    EXPECT_EQ(WithFinalPeriod("stop!"), "stop!");
    EXPECT_EQ(WithFinalPeriod("(x)"), "(x)");
    EXPECT_EQ(WithFinalPeriod("trailing "), "trailing ");
    EXPECT_EQ(WithFinalPeriod("v1"), "v1.");
    // Ends with 表 (0x95 0x5C): judged by the whole character, not by the trail byte.
    EXPECT_EQ(WithFinalPeriod("\x95\x5c"), "\x95\x5c.");
}

TEST(PathParts, FolderKeepsItsSeparatorAndSkipsTrailBytes) {
    EXPECT_EQ(FolderPart("C:\\tools\\tovel.exe"), "C:\\tools\\");
    EXPECT_EQ(FolderPart("C:\\tovel.exe"), "C:\\");
    EXPECT_EQ(FolderPart("C:tovel.exe"), "C:");
    EXPECT_EQ(FolderPart("tovel.exe"), "");
    // "表示" folder: 0x95 0x5C 0x8E 0xA6; the 0x5C inside 表 is not a separator.
    EXPECT_EQ(FolderPart("C:\\\x95\x5c\x8e\xa6\\tovel.exe"), "C:\\\x95\x5c\x8e\xa6\\");
    EXPECT_EQ(FolderPart("C:\\a\\\x95\x5c"), "C:\\a\\");
    EXPECT_EQ(NamePart("C:\\\x95\x5c\\\x95\x5c.txt"), "\x95\x5c.txt");
}

TEST(PathParts, FollowTheCodePageTheyAreGiven) {
    // "C:\Café\tovel.exe" in code page 1252: é (0xE9) is a letter there, a lead byte in Shift-JIS.
    const std::string path = "C:\\Caf\xe9\\tovel.exe";
    EXPECT_EQ(FolderPart(path, LeadByteTable::SingleByte()), "C:\\Caf\xe9\\");
    EXPECT_EQ(NamePart(path, LeadByteTable::SingleByte()), "tovel.exe");
    EXPECT_EQ(FolderPart(path), "C:\\");  // Shift-JIS reads E9 5C as one character
    EXPECT_EQ(FolderPart("C:\\\x95\x5c\\x", LeadByteTable::SingleByte()), "C:\\\x95\x5c\\");
}

TEST(Sjis, ConvertsBetweenBytesAndCharacters) {
    const std::string text =
        "a\x82\xa0"
        "b\x95\x5c";  // a あ b 表
    EXPECT_EQ(CharCountOfBytes(text, 0), 0u);
    EXPECT_EQ(CharCountOfBytes(text, 3), 2u);
    EXPECT_EQ(CharCountOfBytes(text, 2), 2u);  // inside あ: the cut character counts
    EXPECT_EQ(CharCountOfBytes(text, 6), 4u);
    EXPECT_EQ(ByteOffsetOfChars(text, 2), 3u);
    EXPECT_EQ(ByteOffsetOfChars(text, 4), 6u);
    EXPECT_EQ(ByteOffsetOfChars(text, 99), 6u);
    EXPECT_EQ(LastCharStart(text), 4u);
    EXPECT_EQ(LastCharStart("a\x82"), 1u);  // a lone lead byte at the end is one character
    // A lead byte takes the next byte along only when that byte can be a trail byte.
    EXPECT_EQ(NextCharPos("\x82\r", 0), 1u);
    EXPECT_EQ(NextCharPos("\x82<", 0), 1u);  // "<" (0x3C) is below the trail range
    EXPECT_EQ(NextCharPos("\x82\x7f", 0), 1u);
    EXPECT_EQ(NextCharPos("\x95\x5c", 0), 2u);
    EXPECT_EQ(NextCharPos("\x82\xfc", 0), 2u);
    EXPECT_EQ(NextCharPos("\x82\xfd", 0), 1u);
}

}  // namespace
}  // namespace tovel
