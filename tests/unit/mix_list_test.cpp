// The scratch list and the text-file rules, over an in-memory file store.
#include "document/mix_list.h"

#include <gtest/gtest.h>

#include "platform/error.h"
#include "platform/text_file_rules.h"
#include "tests/unit/fakes.h"

namespace tovel {
namespace {

using test::MemoryFiles;

TEST(MixList, LoadSplitsAndSaveJoins) {
    MemoryFiles fs;
    fs.files["in.txt"] = "p\nq\r\n";
    MixList list;
    list.LoadFromFile(fs, "in.txt");
    EXPECT_EQ(list.Text(), "p\r\nq\r\n");
    list.Add("r\r\n");
    list.SaveToFile(fs, "out.txt");
    EXPECT_EQ(fs.files["out.txt"], "p\r\nq\r\nr\r\n\r\n");
}

TEST(MixList, FailedLoadKeepsThePreviousLines) {
    MemoryFiles fs;
    fs.files["a.txt"] = "keep";
    fs.files["nul.txt"] = std::string("ab\0cd", 5);
    MixList list;
    list.LoadFromFile(fs, "a.txt");
    EXPECT_THROW(list.LoadFromFile(fs, "missing.txt"), Error);
    EXPECT_THROW(list.LoadFromFile(fs, "nul.txt"), Error);
    EXPECT_EQ(list.Lines(), std::vector<std::string_view>{"keep"});
}

TEST(ReadTextFile, RefusesAFileHoldingNulAndNamesIt) {
    MemoryFiles fs;
    fs.files["bin.dat"] = std::string("ab\0cd", 5);
    try {
        ReadTextFile(fs, "bin.dat");
        FAIL() << "a file with NUL was read as text";
    } catch (const Error& e) {
        EXPECT_NE(std::string(e.what()).find("bin.dat"), std::string::npos);
    }
}

TEST(MixList, EmptyFileGivesEmptyList) {
    MemoryFiles fs;
    fs.files["e.txt"] = "";
    MixList list;
    list.Add("old");
    list.LoadFromFile(fs, "e.txt");
    EXPECT_TRUE(list.Lines().empty());
    EXPECT_EQ(list.Text(), "");
}

}  // namespace
}  // namespace tovel
