// The recovery copy: its file format refuses anything damaged, and the keeper writes it about a second
// after a change, at most once a second, removes it when the document is clean, and offers a copy left
// behind exactly once at start.
#include "document/recovery_keeper.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "tests/unit/fakes.h"

namespace tovel {
namespace {

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
    EXPECT_FALSE(DecodeRecovery(EncodeRecovery({"ab", "", "c"})) ==
                 DecodeRecovery(EncodeRecovery({"a", "", "bc"})));
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

class MemoryStore : public IRecoveryStore {
public:
    std::string own;
    bool hasOwn = false;
    int writes = 0;
    bool failing = false;
    std::map<std::string, std::string> left;  // copies of other runs
    void Write(std::string_view header, std::string_view text) override {
        if (failing) throw Error("disk full");
        own = std::string(header) + std::string(text);
        hasOwn = true;
        ++writes;
    }
    void Remove() override { hasOwn = false; }
    std::vector<std::string> LeftBehind() override {
        std::vector<std::string> names;
        for (const auto& [name, bytes] : left) names.push_back(name);
        return names;
    }
    std::string Read(const std::string& copy) override { return left.at(copy); }
    void Discard(const std::string& copy) override { left.erase(copy); }
};

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
    store.left["a"] = EncodeRecovery({"memo.txt", "C:\\memo.txt", "unsaved"});
    dialogs.answers = {DialogResult::Cancel};
    keeper.OfferLeftBehind();
    EXPECT_TRUE(restored.empty());
    EXPECT_EQ(store.left.size(), 1u) << "kept for later";
    EXPECT_EQ(dialogs.asked.back(), "前回 memo.txt は保存されずに終了しました。\r残っている内容を復元しますか?");

    dialogs.answers = {DialogResult::Yes};
    keeper.OfferLeftBehind();
    ASSERT_EQ(restored.size(), 1u);
    EXPECT_EQ(restored[0].text, "unsaved");
    EXPECT_EQ(restored[0].fullPath, "C:\\memo.txt");
    EXPECT_TRUE(store.left.empty());

    store.left["b"] = EncodeRecovery({"無題", "", "x"});
    dialogs.answers = {DialogResult::No};
    keeper.OfferLeftBehind();
    EXPECT_TRUE(store.left.empty()) << "discarded";
    EXPECT_EQ(restored.size(), 1u);
}

TEST_F(KeeperTest, ADamagedCopyIsNeverLoadedAndIsKept) {
    std::string damaged = EncodeRecovery({"memo.txt", "", "text"});
    damaged.back() = 'X';
    store.left["c"] = damaged;
    keeper.OfferLeftBehind();
    EXPECT_TRUE(restored.empty());
    EXPECT_TRUE(dialogs.asked.empty()) << "no question about a copy that cannot be loaded";
    EXPECT_EQ(store.left.size(), 1u);
}

}  // namespace
}  // namespace tovel
