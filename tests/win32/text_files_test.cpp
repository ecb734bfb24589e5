// Loading and saving whole text files through the Win32 file API, into and out of the real editor:
// bytes unchanged, line breaks made CR LF on load, and a save that never damages the file it replaces.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "document/format_files.h"
#include "document/mix_list.h"
#include "platform/byte_string.h"
#include "platform/error.h"
#include "platform/text_file_rules.h"
#include "platform/win32/scintilla_editor.h"
#include "platform/win32/win32_text_files.h"
#include "tests/win32/error_of.h"
#include "tests/win32/test_folder.h"

namespace tovel {
namespace {

using test::ErrorOf;
using test::FileExists;
using test::ReadBytes;
using test::TestFolder;
using test::WriteBytes;

class TextFilesTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder.Valid());
        m_parent = CreateWindowExA(0, "STATIC", "files test", WS_OVERLAPPEDWINDOW, 0, 0, 600, 400, nullptr, nullptr,
                                   GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(m_parent, nullptr);
        editor = std::make_unique<ScintillaEditor>(m_parent, 100, RECT{0, 0, 500, 300});
    }
    void TearDown() override {
        editor.reset();
        if (m_parent) DestroyWindow(m_parent);
    }

    std::string Load(const std::string& path) {
        return ErrorOf([&] {
            const LoadedText loaded = ReadText(files, path);
            PutText(*editor, path, loaded.format, loaded.held);
        });
    }
    std::string Save(const std::string& path) {
        return ErrorOf([&] { WriteText(files, path, editor->TextView(), TextFormat{}); });
    }

    TestFolder folder;
    Win32TextFiles files;
    HWND m_parent = nullptr;
    std::unique_ptr<ScintillaEditor> editor;
};

TEST_F(TextFilesTest, LoadKeepsEveryBreakAndSaveWritesTheEditorsBytes) {
    const std::string path = folder / "breaks.txt";
    ASSERT_TRUE(WriteBytes(path, "a\nb\rc\r\n"));
    EXPECT_EQ(Load(path), "");
    EXPECT_EQ(editor->Text(), "a\nb\rc\r\n");
    EXPECT_EQ(editor->LineCount(), 3);
    EXPECT_EQ(Save(path), "");
    EXPECT_EQ(ReadBytes(path), "a\nb\rc\r\n");
}

// Byte sequences that a text holder converting through UTF-16 would change: the file must come back
// exactly as it was.
std::string EveryByte(bool descending) {
    std::string bytes;
    for (int b = 1; b < 256; ++b) bytes += static_cast<char>(descending ? 256 - b : b);
    return bytes;
}

std::string EveryLeadBeforeEveryByte() {
    std::string bytes;
    for (int lead = 0x81; lead <= 0xFC; ++lead) {
        if (lead > 0x9F && lead < 0xE0) continue;
        for (int b = 1; b < 256; ++b) bytes += {static_cast<char>(lead), static_cast<char>(b)};
    }
    return bytes;
}

std::string Shuffled(std::string bytes) {
    unsigned state = 12345;
    for (std::size_t i = bytes.size(); i > 1; --i) {
        state = state * 1103515245u + 12345u;
        std::swap(bytes[i - 1], bytes[(state >> 8) % i]);
    }
    return bytes;
}

struct CorpusCase {
    const char* name;
    std::string bytes;
};

class TextFilesCorpus : public TextFilesTest, public testing::WithParamInterface<CorpusCase> {};

TEST_P(TextFilesCorpus, LoadsAndSavesExactlyTheFilesBytes) {
    const std::string& bytes = GetParam().bytes;
    const std::string path = folder / "corpus.txt";
    ASSERT_TRUE(WriteBytes(path, bytes));
    ASSERT_EQ(Load(path), "");
    const std::string& expected = bytes;
    EXPECT_EQ(editor->Text(), expected);
    const std::string copy = folder / "copy.txt";
    ASSERT_EQ(Save(copy), "");
    EXPECT_EQ(ReadBytes(copy), expected);
    // Loading the saved copy changes nothing more.
    ASSERT_EQ(Load(copy), "");
    EXPECT_EQ(editor->Text(), expected);
}

INSTANTIATE_TEST_SUITE_P(
    HardBytes, TextFilesCorpus,
    testing::Values(
        CorpusCase{"every_byte_ascending", EveryByte(false)}, CorpusCase{"every_byte_descending", EveryByte(true)},
        CorpusCase{"every_lead_before_every_byte", EveryLeadBeforeEveryByte()},
        CorpusCase{"shuffled", Shuffled(EveryByte(false) + EveryByte(true) + EveryByte(false))},
        CorpusCase{
            "utf8_html",
            reinterpret_cast<const char*>(u8"<html>\r\n<p>日本語</p>\r\n<a href=\"x\">テスト</a>あ\r\nか\nさ\r")},
        CorpusCase{"lone_lead_bytes", "a\x82\r\nb\x82\nc\x82<d>\x82\re\x82"},
        CorpusCase{"nec_ibm_duplicates", "\x87\x90\x87\x91\x87\x9a\xed\x40\xfa\x55\xee\xef\xfa\x40\x81\xca"},
        CorpusCase{"trail_byte_5c", "表示\\ソース\\十能予\r\n\x95\x5c\x5c\x83\x5c"},
        CorpusCase{"invalid_pairs", "\x81\x7f\x85\x40\xfc\xfc\xa0\xfd\xfe\xff\x80"}),
    [](const testing::TestParamInfo<CorpusCase>& info) { return std::string(info.param.name); });

TEST_F(TextFilesTest, FileWithNulIsRefusedAndTheEditorKeepsItsText) {
    const std::string path = folder / "zero-byte.txt";
    ASSERT_TRUE(WriteBytes(path, std::string("ab\0cd", 5)));
    editor->SetText("kept");
    EXPECT_EQ(Load(path), FormatText("ファイル %s は NUL 文字を含むため開けません", path));
    EXPECT_EQ(editor->Text(), "kept");
}

TEST_F(TextFilesTest, EmptyEditorSavesAnEmptyFile) {
    const std::string path = folder / "empty.txt";
    ASSERT_TRUE(WriteBytes(path, "old content"));
    EXPECT_EQ(Save(path), "");
    EXPECT_TRUE(FileExists(path));
    EXPECT_EQ(ReadBytes(path), "");
}

TEST_F(TextFilesTest, SaveReplacesTheWholeContentAndLeavesNoTemporaryFile) {
    const std::string path = folder / "replace.txt";
    ASSERT_TRUE(WriteBytes(path, std::string(5000, 'x')));
    editor->SetText("short");
    EXPECT_EQ(Save(path), "");
    EXPECT_EQ(ReadBytes(path), "short");
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"replace.txt"});
}

TEST_F(TextFilesTest, ASaveKeepsTheFilesAttributesAndCreationTime) {
    const std::string path = folder / "hidden.txt";
    ASSERT_TRUE(WriteBytes(path, "old"));
    ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
    const DWORD kept = GetFileAttributesA(path.c_str()) & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    ASSERT_NE(kept & FILE_ATTRIBUTE_HIDDEN, 0u) << "this file system keeps no hidden mark";
    // A creation time long ago; a file system that cannot store one (Wine on Linux) shows its own.
    const FILETIME longAgo{0xC89DC000, 0x01C07385};  // 2001-01-01
    {
        HANDLE file = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        SetFileTime(file, &longAgo, nullptr, nullptr);
        CloseHandle(file);
    }
    WIN32_FILE_ATTRIBUTE_DATA before{}, after{};
    ASSERT_TRUE(GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &before));
    Sleep(20);
    editor->SetText("new");
    EXPECT_EQ(Save(path), "");
    EXPECT_EQ(ReadBytes(path), "new");
    ASSERT_TRUE(GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &after));
    EXPECT_EQ(after.dwFileAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM), kept);
    if (CompareFileTime(&before.ftCreationTime, &longAgo) == 0) {
        EXPECT_EQ(CompareFileTime(&after.ftCreationTime, &longAgo), 0) << "the creation time is the old file's";
    } else {
        std::printf("[   NOTE   ] this file system stores no creation time of its own: not compared\n");
    }
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"hidden.txt"});
}

TEST_F(TextFilesTest, NameWithoutFolderIsSavedInTheCurrentFolder) {
    char previous[MAX_PATH] = {};
    GetCurrentDirectoryA(sizeof previous, previous);
    ASSERT_TRUE(SetCurrentDirectoryA(folder.Path().c_str()));
    editor->SetText("backup");
    const std::string first = Save("backup.tov");
    editor->SetText("again");
    const std::string second = Save("backup.tov");
    SetCurrentDirectoryA(previous);
    EXPECT_EQ(first, "");
    EXPECT_EQ(second, "");
    EXPECT_EQ(ReadBytes(folder / "backup.tov"), "again");
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"backup.tov"});
}

TEST_F(TextFilesTest, SaveIntoAFolderWhoseNameHasATrailByteBackslash) {
    // 表 is 0x95 0x5C: its trail byte must not be taken for a separator when the temporary file is placed.
    const std::string sub = folder / "表";
    ASSERT_TRUE(CreateDirectoryA(sub.c_str(), nullptr));
    const std::string path = sub + "\\表.txt";
    editor->SetText("内容");
    EXPECT_EQ(Save(path), "");
    EXPECT_EQ(ReadBytes(path), "内容");
    EXPECT_EQ(TestFolder::Names(sub + "\\"), std::vector<std::string>{"表.txt"});
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"表"});
}

TEST_F(TextFilesTest, MissingFileCannotBeOpened) {
    const std::string path = folder / "missing.txt";
    editor->SetText("kept");
    EXPECT_EQ(Load(path), FormatText("ファイル %s は開けません", path));
    EXPECT_EQ(editor->Text(), "kept");
}

TEST_F(TextFilesTest, FileHeldOpenForWritingCannotBeOpened) {
    const std::string path = folder / "busy.txt";
    ASSERT_TRUE(WriteBytes(path, "busy"));
    HANDLE writer = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(writer, INVALID_HANDLE_VALUE);
    editor->SetText("kept");
    EXPECT_EQ(Load(path), FormatText("ファイル %s は開けません", path));
    EXPECT_EQ(editor->Text(), "kept");
    CloseHandle(writer);
    EXPECT_EQ(Load(path), "");
    EXPECT_EQ(editor->Text(), "busy");
}

TEST_F(TextFilesTest, AFileThatCannotBeReadToItsEndIsRefusedWhole) {
    // Another program holds a lock on the second half: the read stops there, and part of a file is
    // never taken for all of it.
    const std::string path = folder / "locked-range.txt";
    ASSERT_TRUE(WriteBytes(path, std::string(4000, 'a') + std::string(4000, 'b')));
    HANDLE holder = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    ASSERT_TRUE(LockFile(holder, 4000, 0, 4000, 0));
    editor->SetText("kept");
    MixList list;
    list.Add("entry");
    EXPECT_EQ(Load(path), FormatText("ファイル %s は開けません", path));
    EXPECT_EQ(editor->Text(), "kept");
    EXPECT_EQ(ErrorOf([&] { list.LoadFromFile(files, path); }), FormatText("ファイル %s は開けません", path));
    EXPECT_EQ(list.Text(), "entry\r\n");
    UnlockFile(holder, 4000, 0, 4000, 0);
    CloseHandle(holder);
    EXPECT_EQ(Load(path), "");
    EXPECT_EQ(editor->Text().size(), 8000u);
}

TEST_F(TextFilesTest, SavingOverAFileHeldOpenFailsAndKeepsIt) {
    const std::string path = folder / "held.txt";
    ASSERT_TRUE(WriteBytes(path, "old"));
    HANDLE reader = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(reader, INVALID_HANDLE_VALUE);
    editor->SetText("new");
    EXPECT_EQ(Save(path), FormatText("ファイル %s を作成できません", path));
    CloseHandle(reader);
    EXPECT_EQ(ReadBytes(path), "old");
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"held.txt"});
}

TEST_F(TextFilesTest, ReadOnlyFileIsNotReplaced) {
    const std::string path = folder / "readonly.txt";
    ASSERT_TRUE(WriteBytes(path, "old"));
    ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY));
    editor->SetText("new");
    EXPECT_EQ(Save(path), FormatText("ファイル %s を作成できません", path));
    EXPECT_EQ(ReadBytes(path), "old");
    EXPECT_NE(GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_READONLY, 0u);
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"readonly.txt"});
}

TEST_F(TextFilesTest, SavingOverAFolderFails) {
    const std::string path = folder / "sub";
    ASSERT_TRUE(CreateDirectoryA(path.c_str(), nullptr));
    editor->SetText("new");
    EXPECT_EQ(Save(path), FormatText("ファイル %s を作成できません", path));
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"sub"});
}

TEST_F(TextFilesTest, SavingIntoAMissingFolderFails) {
    const std::string path = folder / "no-such-folder\\file.txt";
    editor->SetText("new");
    EXPECT_EQ(Save(path), FormatText("ファイル %s を作成できません", path));
    EXPECT_TRUE(folder.Names().empty());
}

// A folder named by an environment variable set up by the test script, or "" (the test then skips).
std::string EnvFolder(const char* name) {
    const char* value = std::getenv(name);
    if (!value || !*value) return {};
    std::string folder = value;
    if (folder.back() != '\\') folder += '\\';
    return folder;
}

TEST_F(TextFilesTest, FullDiskKeepsTheOriginalFileWhole) {
    const std::string dir = EnvFolder("TOVEL_SMALLFS");
    if (dir.empty()) GTEST_SKIP() << "TOVEL_SMALLFS does not name a small file system";
    const std::string path = dir + "full.txt";
    ASSERT_TRUE(WriteBytes(path, "original\r\n"));
    struct Remove {
        std::string path;
        ~Remove() { DeleteFileA(path.c_str()); }
    } remove{path};

    std::string big;
    for (int i = 0; big.size() < 200 * 1024; ++i) big += "line " + std::to_string(i) + " あいうえお\r\n";
    editor->SetText(big);
    EXPECT_EQ(Save(path), "ストリームへの書き込みエラー");
    EXPECT_EQ(ReadBytes(path), "original\r\n");
    EXPECT_EQ(TestFolder::Names(dir), std::vector<std::string>{"full.txt"});

    // The space the failed save took is free again.
    editor->SetText("small");
    EXPECT_EQ(Save(path), "");
    EXPECT_EQ(ReadBytes(path), "small");
    EXPECT_EQ(TestFolder::Names(dir), std::vector<std::string>{"full.txt"});
}

TEST_F(TextFilesTest, ReadOnlyFolderRefusesBothReplaceAndCreate) {
    const std::string dir = EnvFolder("TOVEL_ROFS");
    if (dir.empty()) GTEST_SKIP() << "TOVEL_ROFS does not name a read-only file system";
    const std::string existing = dir + "existing.txt";
    ASSERT_EQ(ReadBytes(existing), "original\r\n");
    editor->SetText("new");
    EXPECT_EQ(Save(existing), FormatText("ファイル %s を作成できません", existing));
    EXPECT_EQ(ReadBytes(existing), "original\r\n");

    const std::string created = dir + "new.txt";
    EXPECT_EQ(Save(created), FormatText("ファイル %s を作成できません", created));
    EXPECT_FALSE(FileExists(created));
    EXPECT_EQ(TestFolder::Names(dir), std::vector<std::string>{"existing.txt"});
}

TEST_F(TextFilesTest, MixListLoadsAndSavesThroughTheFileApi) {
    const std::string in = folder / "in.txt";
    ASSERT_TRUE(WriteBytes(in, "p\r\n表\nq\r"));
    MixList list;
    list.LoadFromFile(files, in);
    list.Add("r\r\n");
    const std::string out = folder / "out.txt";
    list.SaveToFile(files, out);
    EXPECT_EQ(ReadBytes(out), "p\r\n表\r\nq\r\nr\r\n\r\n");

    // A failed load keeps the previous lines.
    const std::string missing = folder / "missing.txt";
    EXPECT_EQ(ErrorOf([&] { list.LoadFromFile(files, missing); }), FormatText("ファイル %s は開けません", missing));
    EXPECT_EQ(list.Lines().size(), 4u);
}

}  // namespace
}  // namespace tovel
