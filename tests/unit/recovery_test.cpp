// The recovery copy: its file format refuses anything damaged and still reads the earlier layouts, and the
// keeper writes it about a second after a change, at most once a second, removes it when the document is
// clean, and offers every good copy left behind at start without ever losing one.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <set>

#include "document/recovery_keeper.h"
#include "tests/unit/fake_code_page.h"
#include "tests/unit/fake_format_chooser.h"
#include "tests/unit/fakes.h"

namespace tovel {
namespace {

using test::MemoryStore;

TEST(RecoveryRecord, RoundTripsEveryByteAndRefusesDamage) {
    std::string bytes;
    for (int b = 1; b < 256; ++b) bytes += static_cast<char>(b);
    const RecoveryRecord record{"表.txt", "C:\\表\\表.txt", bytes + "\r\n表"};
    const std::string encoded = EncodeRecovery(record);
    const auto decoded = DecodeRecovery(encoded);
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->name, record.name);
    EXPECT_EQ(decoded->fullPath, record.fullPath);
    EXPECT_EQ(decoded->text, record.text);
    EXPECT_TRUE(DecodeRecovery(EncodeRecovery({"無題", "", ""})));

    EXPECT_FALSE(DecodeRecovery(""));
    EXPECT_FALSE(DecodeRecovery(encoded.substr(0, encoded.size() - 1))) << "torn: shorter than its size";
    EXPECT_FALSE(DecodeRecovery(encoded + "x")) << "longer than its size";
    for (const std::size_t at : {std::size_t{5}, encoded.size() / 2, encoded.size() - 1}) {
        std::string flipped = encoded;
        flipped[at] = static_cast<char>(flipped[at] ^ 0x20);
        EXPECT_FALSE(DecodeRecovery(flipped)) << "byte " << at << " changed";
    }
    // Moving bytes between the fields changes the checksum too.
    EXPECT_FALSE(DecodeRecovery(EncodeRecovery({"ab", "", "c"})) == DecodeRecovery(EncodeRecovery({"a", "", "bc"})));
    EXPECT_NE(Checksum("ab", Checksum("")), Checksum("a", Checksum("b")));
}

TEST(RecoveryRecord, TheChecksumSeesEveryByteItsPlaceAndTheLength) {
    // Lengths around the 32-byte blocks and the tail: a flipped bit anywhere, two 8-byte words swapped
    // (within a block and across blocks), or a zero byte more, all change the sum.
    std::string text;
    for (int i = 0; i < 100; ++i) text += static_cast<char>(i * 37 + 11);
    for (std::size_t size : {1, 7, 8, 31, 32, 33, 64, 71, 100}) {
        const std::string_view t(text.data(), size);
        const std::uint64_t sum = Checksum(t);
        for (std::size_t at = 0; at < size; ++at) {
            std::string flipped(t);
            flipped[at] = static_cast<char>(flipped[at] ^ 0x01);
            EXPECT_NE(Checksum(flipped), sum) << "size " << size << ", byte " << at;
        }
        EXPECT_NE(Checksum(std::string(t) + '\0'), sum) << "size " << size;
        for (std::size_t other : {8, 32, 40}) {
            if (other + 8 > size) continue;
            std::string swapped(t);
            std::swap_ranges(swapped.begin(), swapped.begin() + 8, swapped.begin() + static_cast<long>(other));
            if (swapped == t) continue;
            EXPECT_NE(Checksum(swapped), sum) << "size " << size << ", words 0 and " << other / 8;
        }
    }
}

class KeeperTest : public testing::Test {
protected:
    KeeperTest() {
        state.CurrentName = "memo.txt";
        state.FullPath = "C:\\memo.txt";
        state.ModMark = kCleanMark;
    }
    void Change(const std::string& text) {
        editor.text = text;
        state.ModMark = kModifiedMark;
        keeper.TextChanged();
    }

    MemoryStore store;
    test::FakeEditor editor;
    DocumentState state;
    test::ScriptedDialogs dialogs;
    std::vector<RecoveryRecord> restored;
    RecoveryKeeper keeper{store, editor, state, dialogs, [this](const RecoveryRecord& r) { restored.push_back(r); }};
};

TEST_F(KeeperTest, WritesAboutASecondAfterAChangeAndAtMostOnceASecond) {
    keeper.Tick(0);
    Change("one");
    keeper.Tick(250);
    keeper.Tick(750);
    EXPECT_EQ(store.writes, 0) << "not before a second has passed";
    keeper.Tick(1000);
    ASSERT_EQ(store.writes, 1);
    EXPECT_EQ(DecodeRecovery(store.own)->text, "one");
    EXPECT_EQ(DecodeRecovery(store.own)->fullPath, "C:\\memo.txt");
    // Typing on: one write a second, the latest text.
    for (std::uint64_t t = 1250; t <= 3000; t += 250) {
        Change("one" + std::to_string(t));
        keeper.Tick(t);
    }
    EXPECT_EQ(store.writes, 3);
    EXPECT_EQ(DecodeRecovery(store.own)->text, "one3000");
    keeper.Tick(5000);
    EXPECT_EQ(store.writes, 3) << "nothing new, nothing written";
}

TEST_F(KeeperTest, TheCopyGoesWhenTheDocumentIsClean) {
    keeper.Tick(0);
    Change("text");
    keeper.Tick(1500);
    ASSERT_TRUE(store.hasOwn);
    state.ModMark = kCleanMark;
    keeper.DocumentClean();
    EXPECT_FALSE(store.hasOwn);
    keeper.Tick(3000);
    EXPECT_FALSE(store.hasOwn);
}

TEST_F(KeeperTest, AFailingWriteIsReportedOnceAndRetried) {
    store.failing = true;
    keeper.Tick(0);
    Change("text");
    EXPECT_THROW(keeper.Tick(1000), Error);
    EXPECT_NO_THROW(keeper.Tick(2000)) << "told once, not every second";
    store.failing = false;
    keeper.Tick(3000);
    EXPECT_EQ(store.writes, 1);
}

TEST_F(KeeperTest, ACopyLeftBehindIsRestoredDiscardedOrKept) {
    store.Add("a", EncodeRecovery({"memo.txt", "C:\\memo.txt", "unsaved", "stamp-1"}));
    dialogs.answers = {DialogResult::Cancel};
    keeper.OfferLeftBehind();
    EXPECT_TRUE(restored.empty());
    EXPECT_TRUE(store.Has("a")) << "kept for later";
    EXPECT_EQ(dialogs.asked.back(),
              "前回 memo.txt は保存されずに終了しました。\r保存先: C:\\memo.txt\r"
              "残っている内容を復元しますか?");

    dialogs.answers = {DialogResult::Yes};
    keeper.OfferLeftBehind();
    ASSERT_EQ(restored.size(), 1u);
    EXPECT_EQ(restored[0], (RecoveryRecord{"memo.txt", "C:\\memo.txt", "unsaved", "stamp-1"}));
    EXPECT_FALSE(store.Has("a")) << "gone once this instance's copy was written";

    store.Add("b", EncodeRecovery({"無題", "", "x"}));
    dialogs.answers = {DialogResult::No};
    keeper.OfferLeftBehind();
    EXPECT_FALSE(store.Has("b")) << "discarded";
    EXPECT_EQ(dialogs.asked.back(), "前回 無題 は保存されずに終了しました。\r残っている内容を復元しますか?");
    EXPECT_EQ(restored.size(), 1u);
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(KeeperTest, EveryGoodCopyIsOfferedAndNoOtherEntryHidesOne) {
    std::string damaged = EncodeRecovery({"memo.txt", "C:\\memo.txt", "text"});
    damaged.back() = 'X';
    const std::string good = EncodeRecovery({"good.txt", "C:\\good.txt", "good"});
    store.Add("damaged", damaged);
    store.Add("unreadable", good);
    store.unreadable.insert("unreadable");
    store.Add("crafted", EncodeRecovery({"memo.txt", "C:\\Windows\\win.ini", "x"}));
    store.Add("good", good);
    store.Add("torn temporary", damaged, true);
    store.Add("complete temporary", EncodeRecovery({"temp.txt", "C:\\temp.txt", "t"}), true);
    // A copy of the earlier layout (no stamp, the older checksum), as an update finds it.
    store.Add("layout 2",
              "tovel recovery 2\r\nname: 表.txt\r\npath: C:\\表\\表.txt\r\nsize: 17\r\n"
              "checksum: fc887e16210510eb\r\n\r\nline\r\nold text 表");
    dialogs.answers = {DialogResult::Cancel, DialogResult::No, DialogResult::Cancel};
    keeper.OfferLeftBehind();

    ASSERT_EQ(dialogs.asked.size(), 3u) << "each good copy, newest first";
    EXPECT_NE(dialogs.asked[0].find("good.txt"), std::string::npos);
    EXPECT_NE(dialogs.asked[1].find("temp.txt"), std::string::npos);
    EXPECT_NE(dialogs.asked[2].find("C:\\表\\表.txt"), std::string::npos);
    EXPECT_EQ(dialogs.unexpected, 0);
    ASSERT_EQ(dialogs.messages.size(), 1u) << "told once, before the questions";
    EXPECT_EQ(dialogs.messages[0],
              "前回保存されなかった文書の復元用コピーのうち、次のものは読み込めません。"
              "ファイルはそのまま残してあります。\r壊れています: damaged\r開けません: unreadable\r"
              "壊れています: crafted");
    for (const char* kept : {"damaged", "unreadable", "crafted", "good", "torn temporary", "layout 2"}) {
        EXPECT_TRUE(store.Has(kept)) << kept;
    }
    EXPECT_FALSE(store.Has("complete temporary")) << "answered No";
    EXPECT_TRUE(restored.empty());
}

TEST_F(KeeperTest, YesKeepsTheOldCopyUntilThisInstancesCopyHoldsTheText) {
    store.Add("old", EncodeRecovery({"memo.txt", "C:\\memo.txt", "unsaved", "stamp-1"}));
    store.Add("older", EncodeRecovery({"無題", "", "older"}));
    // Restoring makes the record the document, as the real restore does.
    RecoveryKeeper restoring{store, editor, state, dialogs, [this](const RecoveryRecord& r) {
                                 editor.text = r.text;
                                 state = DocumentState{r.name, kModifiedMark, "", r.fullPath, *r.stamp};
                             }};
    store.failing = true;
    dialogs.answers = {DialogResult::Yes};
    EXPECT_THROW(restoring.OfferLeftBehind(), Error) << "the failed write is reported";
    EXPECT_TRUE(store.Has("old")) << "a kill now must not lose the text";
    EXPECT_EQ(dialogs.asked.size(), 1u) << "one document at a time; the rest wait";
    EXPECT_EQ(dialogs.messages,
              std::vector<std::string>{"ほかにも復元用のコピーが 1 件残っています。次に起動したときにお尋ねします。"});
    restoring.Tick(0);
    EXPECT_NO_THROW(restoring.Tick(1000)) << "retried quietly";
    EXPECT_TRUE(store.Has("old"));
    store.failing = false;
    restoring.Tick(2000);
    ASSERT_TRUE(store.hasOwn);
    EXPECT_EQ(DecodeRecovery(store.own), (RecoveryRecord{"memo.txt", "C:\\memo.txt", "unsaved", "stamp-1"}))
        << "this instance's copy carries the stamp on";
    EXPECT_FALSE(store.Has("old"));
    EXPECT_TRUE(store.Has("older"));

    // Written at once when it can be; saving lets a held-back copy go too.
    store.Add("again", EncodeRecovery({"無題", "", "again"}));
    store.left.erase(store.left.begin());
    store.failing = true;
    dialogs.answers = {DialogResult::Yes};
    EXPECT_THROW(restoring.OfferLeftBehind(), Error);
    state.ModMark = kCleanMark;
    restoring.DocumentClean();
    EXPECT_FALSE(store.Has("again"));
}

TEST(RecoveryRestore, ALargeRestoredTextIsWrittenASlicePerTickAndTheOldCopyGoesOnlyThen) {
    // Restored at start, whatever the flush takes (replaced at once, or some Ticks later).
    for (const int finishPolls : {0, 4}) {
        MemoryStore store;
        store.finishPolls = finishPolls;
        std::string text;
        for (int i = 0; text.size() < 5000; ++i) text += "line " + std::to_string(i) + " 表\r\n";
        store.Add("old", EncodeRecovery({"memo.txt", "C:\\memo.txt", text, "stamp"}));
        test::FakeEditor editor;
        DocumentState state;
        test::ScriptedDialogs dialogs;
        dialogs.answers = {DialogResult::Yes};
        RecoveryKeeper keeper{store,
                              editor,
                              state,
                              dialogs,
                              [&](const RecoveryRecord& r) {
                                  editor.text = r.text;
                                  state = DocumentState{r.name, kModifiedMark, "", r.fullPath, *r.stamp};
                              },
                              LeadByteTable::ShiftJis(),
                              1000};
        keeper.OfferLeftBehind();
        EXPECT_TRUE(keeper.Busy()) << "one slice of it so far";
        EXPECT_FALSE(store.hasOwn);
        std::uint64_t now = 0;
        for (int i = 0; i < 100 && keeper.Busy(); ++i) {
            EXPECT_TRUE(store.Has("old")) << "a kill now must not lose the text";
            keeper.Tick(now += 20);
        }
        ASSERT_TRUE(store.hasOwn);
        EXPECT_EQ(DecodeRecovery(store.own), (RecoveryRecord{"memo.txt", "C:\\memo.txt", text, "stamp"}));
        EXPECT_FALSE(store.Has("old"));
    }
}

TEST(RecoveryRecord, TheEarlierLayoutsAreStillRead) {
    const RecoveryRecord old{"表.txt", "C:\\表\\表.txt", "line\r\nold text 表", std::nullopt};
    const std::string body = "name: 表.txt\r\npath: C:\\表\\表.txt\r\nsize: 17\r\nchecksum: ";
    const std::string text = "\r\n\r\nline\r\nold text 表";
    EXPECT_EQ(DecodeRecovery("tovel recovery 1\r\n" + body + "4313f93cb4f66ac8" + text), old);
    EXPECT_EQ(DecodeRecovery("tovel recovery 2\r\n" + body + "fc887e16210510eb" + text), old);
    EXPECT_FALSE(DecodeRecovery("tovel recovery 1\r\n" + body + "fc887e16210510eb" + text)) << "checksums swapped";
    EXPECT_FALSE(DecodeRecovery("tovel recovery 2\r\n" + body + "4313f93cb4f66ac8" + text));
    EXPECT_FALSE(DecodeRecovery("tovel recovery 9\r\n" + body + "fc887e16210510eb" + text));
    // The stamp is part of what the checksum holds.
    std::string stamped = EncodeRecovery({"a", "C:\\a", "t", "0001"});
    stamped.replace(stamped.find("0001"), 4, "0002");
    EXPECT_FALSE(DecodeRecovery(stamped));
    // The third layout: a stamp, no format; its text is a Shift-JIS document with CR LF.
    char sum[24];
    std::snprintf(sum, sizeof sum, "%016llx",
                  static_cast<unsigned long long>(Checksum("t", Checksum("0001", Checksum("C:\\a", Checksum("a"))))));
    const auto third = DecodeRecovery(
        "tovel recovery 3\r\nname: a\r\npath: C:\\a\r\nstamp: 0001\r\nsize: 1\r\n"
        "checksum: " +
        std::string(sum) + "\r\n\r\nt");
    ASSERT_TRUE(third);
    EXPECT_EQ(third->stamp, "0001");
    EXPECT_EQ(third->format, TextFormat{});
}

TEST(RecoveryRecord, TheFormatComesBackAndIsPartOfTheChecksum) {
    for (const TextFormat format :
         {TextFormat{Encoding::Utf8, true, LineBreak::Lf}, TextFormat{Encoding::Utf16Be, true, LineBreak::Mixed},
          TextFormat{Encoding::Iso2022Jp, false, LineBreak::Cr}}) {
        RecoveryRecord record{"a", "C:\\a", "x\ny", "0001"};
        record.format = format;
        const std::string bytes = EncodeRecovery(record);
        EXPECT_EQ(DecodeRecovery(bytes), record);
        std::string other = bytes;
        other.replace(other.find("format: ") + 8, 1, other[other.find("format: ") + 8] == 'u' ? "s" : "u");
        EXPECT_FALSE(DecodeRecovery(other)) << "a changed format is a damaged copy";
    }
}

TEST(RecoveryRecord, ANameMustBeTheLastPartOfItsPath) {
    struct Case {
        const char* name;
        const char* path;
        bool matches;
    };
    const Case cases[] = {
        {"memo.txt", "C:\\docs\\memo.txt", true},
        {"..\\memo.txt", "C:\\memo.txt", true},  // typed on the command line
        {"表", "C:\\ソ\\表", true},              // names ending in the byte of "\"
        {"表", "\\\\server\\share\\表", true},
        {"無題", "", true},
        {"memo.txt", "C:\\Windows\\win.ini", false},
        {"memo.txt", "", false},  // Save would write wherever the current folder is
        {"無題", "C:\\memo.txt", false},
        {"memo.txt", "memo.txt", false},
        {"", "C:\\docs\\", false},
        {"ソ", "C:\\x", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(NameMatchesPath({c.name, c.path, ""}, LeadByteTable::ShiftJis()), c.matches)
            << c.name << " " << c.path;
    }
}

TEST(RecoveryRestore, SaveAsksWhenTheFileChangedSinceTheCopysStamp) {
    struct Case {
        const char* what;
        bool stamped;       // the copy kept the stamp of the file it was loaded from
        bool changedSince;  // another program wrote the file after that
        bool asks;
    };
    const Case cases[] = {
        {"unchanged file", true, false, false},
        {"changed by another program", true, true, true},
        {"a copy of the earlier layout: its file may have changed", false, false, true},
    };
    for (const Case& c : cases) {
        test::MemoryFiles files;
        files.files["C:\\memo.txt"] = "on disk";
        const std::string loadedStamp = files.Stamp("C:\\memo.txt");
        if (c.changedSince) files.files["C:\\memo.txt"] = "another program's";
        const std::string onDisk = files.files["C:\\memo.txt"];
        DocumentState state;
        test::FakeEditor editor;
        test::ScriptedFileDialogs fileDialogs;
        test::ScriptedDialogs dialogs;
        test::RecordingWindow window;
        test::TableCodePage codePage;
        test::ScriptedFormatChooser chooser;
        DocumentCommands commands(state, editor, files, fileDialogs, dialogs, window, codePage, chooser);
        commands.Start("", "tovel editor");
        RecoveryRecord record{"memo.txt", "C:\\memo.txt", "restored"};
        record.stamp = c.stamped ? std::optional<std::string>(loadedStamp) : std::nullopt;
        commands.Restore(record);
        EXPECT_EQ(state.TitleLine(), "memo.txt * tovel editor") << c.what;

        dialogs.answers = {DialogResult::No};
        commands.Save();
        if (c.asks) {
            ASSERT_EQ(dialogs.asked.size(), 1u) << c.what;
            EXPECT_EQ(dialogs.asked[0],
                      "ファイル C:\\memo.txt は他のプログラムによって変更されています。\r上書きしますか?");
            EXPECT_EQ(files.files["C:\\memo.txt"], onDisk) << c.what << ": No keeps the other version";
            EXPECT_TRUE(state.Modified()) << c.what;
        } else {
            EXPECT_TRUE(dialogs.asked.empty()) << c.what;
            EXPECT_EQ(files.files["C:\\memo.txt"], "restored") << c.what;
        }
    }
}

}  // namespace
}  // namespace tovel
