// The settings file through the real private-profile API: defaults, text and integer values, the value
// size limit, and the error for a file that cannot be written.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "platform/error.h"
#include "platform/win32/win32_ini_file.h"
#include "setting/settings_file.h"
#include "tests/win32/error_of.h"
#include "tests/win32/test_folder.h"

namespace tovel {
namespace {

using test::ErrorOf;
using test::FileExists;
using test::ReadBytes;
using test::TestFolder;
using test::WriteBytes;

class IniFileTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(folder.Valid()); }
    TestFolder folder;
    const std::string path = folder / "tovel.ini";
};

TEST_F(IniFileTest, MissingFileSectionOrKeyGivesTheDefault) {
    Win32IniFile ini(path);
    EXPECT_FALSE(FileExists(path));  // the accessor alone creates no file
    EXPECT_EQ(ini.ReadText("Form", "WW", ""), "");
    EXPECT_EQ(ini.ReadText("Form", "WW", "fallback"), "fallback");
    EXPECT_EQ(ReadInteger(ini, "Form", "Left", 258), 258);
    EXPECT_FALSE(FileExists(path));

    ini.WriteText("Form", "IME", "ON");
    EXPECT_EQ(ini.ReadText("Form", "WW", "fallback"), "fallback");
    EXPECT_EQ(ini.ReadText("Other", "IME", "fallback"), "fallback");
}

TEST_F(IniFileTest, TextIsWrittenAndReadBack) {
    Win32IniFile ini(path);
    ini.WriteText("Form", "ToolBitmap", "C:\\画像\\表示.bmp");
    ini.WriteText("Form", "WW", "NO");
    ini.WriteText("Form", "WW", "");  // overwritten with the empty text, not removed
    EXPECT_EQ(ini.ReadText("Form", "ToolBitmap", ""), "C:\\画像\\表示.bmp");
    EXPECT_EQ(ini.ReadText("Form", "WW", "x"), "");
    // Another accessor on the same path sees the same file.
    EXPECT_EQ(Win32IniFile(path).ReadText("Form", "ToolBitmap", ""), "C:\\画像\\表示.bmp");
    EXPECT_NE(ReadBytes(path).find("[Form]"), std::string::npos);
}

TEST_F(IniFileTest, IntegersAreWrittenAsSignedDecimal) {
    Win32IniFile ini(path);
    WriteInteger(ini, "Form", "Note.Color", static_cast<std::int32_t>(0x80000005u));
    WriteInteger(ini, "Form", "Left", 258);
    WriteInteger(ini, "Form", "Top", -32000);
    EXPECT_EQ(ini.ReadText("Form", "Note.Color", ""), "-2147483643");
    EXPECT_EQ(ini.ReadText("Form", "Left", ""), "258");
    EXPECT_EQ(ReadInteger(ini, "Form", "Note.Color", 0), -2147483643);
    EXPECT_EQ(ReadInteger(ini, "Form", "Top", 0), -32000);
}

struct IntegerCase {
    const char* text;
    std::int32_t expected;  // the default is 7
};

class IniInteger : public IniFileTest, public testing::WithParamInterface<IntegerCase> {};

TEST_P(IniInteger, ReadsTheValueOrTheDefault) {
    Win32IniFile ini(path);
    ini.WriteText("Form", "Height", GetParam().text);
    EXPECT_EQ(ReadInteger(ini, "Form", "Height", 7), GetParam().expected) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(Values, IniInteger,
                         testing::Values(IntegerCase{"0x64", 100}, IntegerCase{"0X64", 100}, IntegerCase{"$64", 100},
                                         IntegerCase{"x64", 100}, IntegerCase{"$80000005", -2147483643},
                                         IntegerCase{"-2147483648", -2147483647 - 1}, IntegerCase{"+12", 12},
                                         IntegerCase{"-0x64", 7}, IntegerCase{"100px", 7}, IntegerCase{"", 7},
                                         IntegerCase{"0x", 7}, IntegerCase{"2147483648", 7},
                                         IntegerCase{"$100000000", 7}));

TEST_F(IniFileTest, LongValuesAreCutAt2047Bytes) {
    Win32IniFile ini(path);
    std::string value;
    for (int i = 0; value.size() < 3000; ++i) value += static_cast<char>('a' + i % 26);
    ini.WriteText("Form", "ToolBitmap", value);
    EXPECT_EQ(ini.ReadText("Form", "ToolBitmap", ""), value.substr(0, 2047));
}

TEST_F(IniFileTest, LongDoubleByteValuesAreCutWithoutABrokenCharacter) {
    // 2047 bytes would end inside a character; the value ends before it and holds no NUL.
    Win32IniFile ini(path);
    std::string value;
    while (value.size() < 3000) value += "あ";
    ini.WriteText("Form", "ToolBitmap", value);
    const std::string read = ini.ReadText("Form", "ToolBitmap", "");
    EXPECT_EQ(read.find('\0'), std::string::npos);
    EXPECT_EQ(read.size(), 2046u);
    EXPECT_TRUE(read == value.substr(0, read.size()));
}

TEST_F(IniFileTest, AFileThatCannotBeWrittenIsReported) {
    // A folder that does not exist cannot hold the file.
    const std::string missing = folder / "no-such-folder\\tovel.ini";
    Win32IniFile ini(missing);
    EXPECT_EQ(ErrorOf([&] { ini.WriteText("Form", "WW", "NO"); }), FormatText("%s に書き込めません", missing));
    EXPECT_EQ(ErrorOf([&] { WriteInteger(ini, "Form", "Left", 1); }), FormatText("%s に書き込めません", missing));
    EXPECT_EQ(ini.ReadText("Form", "WW", "fallback"), "fallback");
    EXPECT_EQ(folder.Names().size(), 0u);
}

TEST_F(IniFileTest, AFileInAReadOnlyFolderIsReported) {
    const char* rofs = std::getenv("TOVEL_ROFS");
    if (!rofs || !*rofs) GTEST_SKIP() << "TOVEL_ROFS does not name a read-only file system";
    const std::string readOnly = std::string(rofs) + "\\tovel.ini";
    Win32IniFile ini(readOnly);
    EXPECT_EQ(ErrorOf([&] { ini.WriteText("Form", "IME", "ON"); }), FormatText("%s に書き込めません", readOnly));
    EXPECT_FALSE(FileExists(readOnly));
    EXPECT_EQ(ini.ReadText("Form", "IME", ""), "");
}

}  // namespace
}  // namespace tovel
