// The real open and save dialogs, driven by typing into them.
#include <gtest/gtest.h>

#include "app/win32/application.h"
#include "platform/win32/win32_file_dialogs.h"
#include "tests/win32/dialog_answerer.h"
#include "tests/win32/test_folder.h"

namespace tovel {
namespace {

using test::Act;
using test::DialogAnswerer;

class FileDialogsTest : public testing::Test {
protected:
    test::TestFolder folder;
    Application app{GetModuleHandleA(nullptr)};
    Win32FileDialogs dialogs{app};
};

TEST_F(FileDialogsTest, SaveStartsWithItsNameAndAddsTxtToANameWithoutExtension) {
    DialogAnswerer answer({{Act::Type(folder / "memo"), Act::Enter()}});
    const auto chosen = dialogs.ChooseFileToSave();
    ASSERT_EQ(answer.Seen().size(), 1u);
    EXPECT_EQ(answer.Seen()[0].caption, "ファイルの保存場所の指定");
    EXPECT_EQ(answer.Seen()[0].focus, "tovel editor") << "the first use offers the name tovel editor";
    ASSERT_TRUE(chosen);
    EXPECT_EQ(*chosen, folder / "memo.txt");
}

TEST_F(FileDialogsTest, SaveOverAnExistingFileAsksAndNoReturnsToTheDialog) {
    test::WriteBytes(folder / "there.txt", "x");
    DialogAnswerer answer({{Act::Type(folder / "there.txt"), Act::Enter(), Act::Escape()}, {Act::Escape()}});
    const auto chosen = dialogs.ChooseFileToSave();
    EXPECT_FALSE(chosen);
    ASSERT_EQ(answer.Seen().size(), 2u) << "the overwrite question came up";
    EXPECT_EQ(test::ReadBytes(folder / "there.txt"), "x");
}

TEST_F(FileDialogsTest, OpenChoosesAnExistingFileAndRemembersIt) {
    test::WriteBytes(folder / "in.txt", "x");
    DialogAnswerer answer({{Act::Type(folder / "in.txt"), Act::Enter()}, {Act::Escape()}});
    EXPECT_EQ(dialogs.ChooseFileToOpen(), std::optional<std::string>(folder / "in.txt"));
    EXPECT_FALSE(dialogs.ChooseFileToOpen());
    ASSERT_EQ(answer.Seen().size(), 2u);
    EXPECT_EQ(answer.Seen()[0].caption, "開くファイルの選択");
    EXPECT_EQ(answer.Seen()[0].focus, "");
    EXPECT_EQ(answer.Seen()[1].focus, "in.txt") << "the last file is offered again, in its folder";
}

}  // namespace
}  // namespace tovel
