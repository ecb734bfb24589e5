// The journal of a recovery copy: replay gives the text the changes made, stops cleanly at a torn, damaged,
// foreign or impossible record, and the keeper's copy, written as base and journal in slices while the text
// keeps changing, decodes at every moment a kill could come to a text the document really had.
#include "document/recovery_journal.h"

#include <gtest/gtest.h>

#include <random>
#include <set>

#include "document/recovery_keeper.h"
#include "tests/unit/fakes.h"

namespace tovel {
namespace {

struct Edit {
    std::size_t position, deleted;
    std::string inserted;
};

std::string Apply(std::string text, const Edit& e) { return text.replace(e.position, e.deleted, e.inserted); }

// The journal of `edits` on `base`, and the text after each of them.
std::string JournalOf(const std::string& base, const std::vector<Edit>& edits, std::uint64_t chain,
                      std::vector<std::string>* states = nullptr, std::vector<std::size_t>* ends = nullptr) {
    std::string journal, text = base;
    for (const Edit& e : edits) {
        chain = AppendJournalRecord(journal, chain, e.position, e.deleted, e.inserted);
        text = Apply(text, e);
        if (states) states->push_back(text);
        if (ends) ends->push_back(journal.size());
    }
    return journal;
}

TEST(RecoveryJournal, ReplayGivesTheTextTheChangesMade) {
    struct Case {
        const char* what;
        std::string base;
        std::vector<Edit> edits;
    };
    const Case cases[] = {
        {"typing at the end", "", {{0, 0, "a"}, {1, 0, "b"}, {2, 0, "\r\n"}, {4, 0, "c"}}},
        {"deletes", "line one\r\nline two\r\n", {{0, 5, ""}, {3, 2, ""}, {0, 1, ""}}},
        {"a replace as delete then insert", "abc\r\ndef", {{1, 1, ""}, {1, 0, "XYZ"}}},
        {"Shift-JIS with trail bytes like \\ and CR LF", "\x83\x5C\x95\x5C\r\n", {{2, 0, "\x88\xA0\r\n"}, {0, 2, ""}}},
        {"every byte value", "表\r\n", {{0, 0, std::string("\0\x01\xFF\x80", 4)}, {8, 0, "ソ\n"}}},
        {"jumping about a long text",
         std::string(10000, 'x'),
         {{9999, 1, "end"}, {0, 0, "start"}, {5000, 3000, "mid"}}},
        {"everything deleted, then new text", "old text", {{0, 8, ""}, {0, 0, "new"}}},
    };
    for (const Case& c : cases) {
        std::vector<std::string> states;
        const std::string journal = JournalOf(c.base, c.edits, 42, &states);
        std::string text = c.base;
        const JournalReplay replay = ReplayJournal(text, journal, 42);
        EXPECT_EQ(text, states.back()) << c.what;
        EXPECT_EQ(replay.records, c.edits.size()) << c.what;
        EXPECT_TRUE(replay.complete) << c.what;
    }
}

TEST(RecoveryJournal, ReplayStopsAtATornDamagedForeignOrImpossibleRecord) {
    const std::string base = "first line\r\nsecond line\r\n";
    const std::vector<Edit> edits = {{0, 0, "表"}, {12, 6, "\r\n"}, {3, 0, "abc"}};
    std::vector<std::string> states;
    std::vector<std::size_t> ends;
    const std::string journal = JournalOf(base, edits, 7, &states, &ends);

    // A kill at every byte of the last append: the records before it stand, the torn one is no damage.
    for (std::size_t cut = ends[1]; cut < ends[2]; ++cut) {
        std::string text = base;
        const JournalReplay replay = ReplayJournal(text, std::string_view(journal).substr(0, cut), 7);
        EXPECT_EQ(text, states[1]) << "cut at " << cut;
        EXPECT_EQ(replay.records, 2u);
        EXPECT_EQ(replay.used, ends[1]);
    }
    // A changed byte anywhere in the middle record ends the replay before it.
    for (std::size_t at = ends[0]; at < ends[1]; ++at) {
        std::string damaged = journal;
        damaged[at] = static_cast<char>(damaged[at] ^ 0x04);
        std::string text = base;
        ReplayJournal(text, damaged, 7);
        EXPECT_EQ(text, states[0]) << "byte " << at;
    }
    // Records of another base (chained to another checksum) are not replayed at all.
    std::string text = base;
    EXPECT_EQ(ReplayJournal(text, journal, 8).records, 0u);
    EXPECT_EQ(text, base);
    // A record reaching past the text's end, well formed as it is, ends the replay.
    const std::size_t length = states[0].size();
    for (const Edit& impossible : {Edit{length + 1, 0, "x"}, Edit{4, length - 3, ""}, Edit{~0ull, 1, ""}}) {
        std::string records = JournalOf(base, {edits[0]}, 7);
        text = base;
        AppendJournalRecord(records, ReplayJournal(text, records, 7).chain, impossible.position, impossible.deleted,
                            impossible.inserted);
        text = base;
        const JournalReplay replay = ReplayJournal(text, records, 7);
        EXPECT_EQ(text, states[0]) << impossible.position;
        EXPECT_FALSE(replay.complete);
    }
    // A size field claiming more bytes than there are is a torn record, not a reason to read past the end.
    std::string huge = journal.substr(0, ends[0]);
    const std::size_t second = huge.size();
    AppendJournalRecord(huge, 0, 0, 0, "x");
    for (int i = 0; i < 8; ++i) huge[second + 16 + static_cast<std::size_t>(i)] = '\xFF';
    text = base;
    EXPECT_EQ(ReplayJournal(text, huge, 7).records, 1u);
}

TEST(RecoveryJournal, TheRunningChecksumEqualsTheWholeOneHoweverTheBytesAreCut) {
    std::string bytes;
    for (int i = 0; i < 300; ++i) bytes += static_cast<char>(i * 131 + 7);
    for (std::size_t size : {0, 5, 31, 32, 33, 100, 300}) {
        for (std::size_t step : {1, 3, 31, 32, 64, 1000}) {
            RunningChecksum running(99);
            for (std::size_t at = 0; at < size; at += step)
                running.Add(std::string_view(bytes).substr(at, std::min(step, size - at)));
            EXPECT_EQ(running.Value(), Checksum(std::string_view(bytes).substr(0, size), 99)) << size << " by " << step;
        }
    }
}

TEST(RecoveryJournal, ACopyWithAJournalDecodesToTheReplayedText) {
    const TextFormat format{Encoding::Utf8, false, LineBreak::Lf};
    const std::string base = "base\ntext\n";
    const std::uint64_t sum = Checksum(base, RecoveryTextSeed("a.txt", "C:\\a.txt", "s", format));
    const std::string header = EncodeRecoveryHeader("a.txt", "C:\\a.txt", "s", base.size(), sum, format);
    EXPECT_EQ(header.size(), EncodeRecoveryHeader("a.txt", "C:\\a.txt", "s", 0, 0, format).size())
        << "the header's room is known before the base";
    std::vector<std::string> states;
    const std::string journal = JournalOf(base, {{4, 0, "d"}, {0, 1, ""}}, sum, &states);
    const auto decoded = DecodeRecovery(header + base + journal);
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->text, states.back());
    EXPECT_EQ(decoded->format, format);
    EXPECT_EQ(decoded->fullPath, "C:\\a.txt");
    EXPECT_EQ(DecodeRecovery(header + base + journal.substr(0, journal.size() - 3))->text, states[0]) << "torn tail";
    std::string damagedBase = header + base + journal;
    damagedBase[header.size() + 2] = 'X';
    EXPECT_FALSE(DecodeRecovery(damagedBase)) << "a damaged base is no copy";
    EXPECT_FALSE(DecodeRecovery(header + base.substr(0, 5))) << "a base cut short";
    // A header whose room was never filled (a kill while the base was written) is no copy either.
    EXPECT_FALSE(DecodeRecovery(std::string(header.size(), '\0') + base));
}

// ---- the keeper ---------------------------------------------------------------------------------------

// An editor that tells the keeper every change in detail, as the real one does.
class JournalKeeperTest : public testing::Test {
public:
    JournalKeeperTest() {
        state.CurrentName = "memo.txt";
        state.FullPath = "C:\\memo.txt";
        state.ModMark = kCleanMark;
    }
    void Edit(std::size_t position, std::size_t deleted, const std::string& inserted) {
        editor.text.replace(position, deleted, inserted);
        state.ModMark = kModifiedMark;
        keeper.TextEdited(position, deleted, inserted);
        keeper.TextChanged();
    }
    std::string Decoded() {
        const auto record = DecodeRecovery(store.own);
        return record ? record->text : "<no copy>";
    }

    test::MemoryStore store;
    test::FakeEditor editor;
    DocumentState state;
    test::ScriptedDialogs dialogs;
    RecoveryKeeper keeper{store, editor, state, dialogs, [](const RecoveryRecord&) {}, LeadByteTable::ShiftJis(), 64};
};

TEST_F(JournalKeeperTest, AfterTheFirstCopyOnlyTheChangesAreWritten) {
    editor.text = std::string(1000, 'a');
    keeper.Tick(0);
    Edit(10, 0, "x");
    std::uint64_t now = 1000;
    for (; keeper.Busy() || now == 1000; now += 20) keeper.Tick(now);  // the base, 64 bytes a tick
    ASSERT_EQ(Decoded(), editor.text);
    const std::string base = store.own;
    for (int i = 0; i < 5; ++i) {
        Edit(500, 0, "表");
        Edit(0, 1, "");
        now += 1000;
        keeper.Tick(now);
        EXPECT_FALSE(keeper.Busy());
        EXPECT_EQ(store.own.substr(0, base.size()), base) << "appended, the base untouched";
        EXPECT_EQ(Decoded(), editor.text);
    }
    EXPECT_EQ(store.own.size(), base.size() + 5 * (2 * kJournalRecordOverhead + 2));
}

TEST_F(JournalKeeperTest, ANewBaseComesWhenTheChangesCannotBeTrustedOrTheJournalOutgrowsTheText) {
    struct Case {
        const char* what;
        std::function<void(JournalKeeperTest&)> change;
    };
    const Case cases[] = {
        {"a change told without its details",
         [](JournalKeeperTest& t) {
             t.editor.text[3] = 'Z';
             t.keeper.TextChanged();
         }},
        {"a change not told at all, seen by the length", [](JournalKeeperTest& t) { t.editor.text += "more"; }},
        {"a detail that does not fit the text",
         [](JournalKeeperTest& t) {
             t.editor.text += "!";
             t.keeper.TextEdited(5000, 0, "!");
             t.keeper.TextChanged();
         }},
        {"the document renamed",
         [](JournalKeeperTest& t) {
             t.state.CurrentName = "other.txt";
             t.state.FullPath = "C:\\other.txt";
             t.Edit(0, 0, "y");
         }},
        {"a change as large as the journal may grow",
         [](JournalKeeperTest& t) { t.Edit(0, 0, std::string((std::size_t{4} << 20) + 1, 'p')); }},
    };
    for (const Case& c : cases) {
        store = test::MemoryStore();
        keeper.DocumentClean();
        editor.text = std::string(200, 'a');
        std::uint64_t now = 100000;
        keeper.Tick(now);
        Edit(0, 0, "x");
        for (now += 1000; keeper.Busy() || !store.hasOwn; now += 20) keeper.Tick(now);
        const std::string firstBase = store.own.substr(0, 300);
        c.change(*this);
        state.ModMark = kModifiedMark;
        keeper.TextChanged();  // told the usual way too, after the change
        for (now += 1000; keeper.Busy() || now % 1000 != 0; now += 20) keeper.Tick(now);
        keeper.Tick(now);
        EXPECT_EQ(Decoded(), editor.text) << c.what;
        EXPECT_NE(store.own.substr(0, 300), firstBase) << c.what << ": a new base";
    }
}

TEST_F(JournalKeeperTest, ChangesWhileABaseIsWrittenAreInTheCopyWhereverTheyFall) {
    // The base goes 64 bytes a tick; each case changes the text after two ticks, before, at, across or
    // after what is written by then.
    struct Case {
        const char* what;
        std::size_t position, deleted;
        std::string inserted;
    };
    const Case cases[] = {
        {"before what is written", 10, 5, "表表表"},
        {"right at its end", 128, 0, "at"},
        {"across its end", 120, 20, ""},
        {"after it", 500, 100, "later"},
        {"at the text's end", 1000, 0, "\r\n"},
    };
    for (const Case& c : cases) {
        store = test::MemoryStore();
        keeper.DocumentClean();
        editor.text.clear();
        for (int i = 0; i < 100; ++i) editor.text += "line " + std::to_string(i % 10) + "\r\n\x83";
        editor.text.resize(1000);
        std::uint64_t now = 200000;
        keeper.Tick(now);
        Edit(0, 1, "S");
        keeper.Tick(now += 1000);
        keeper.Tick(now += 20);
        ASSERT_TRUE(keeper.Busy()) << c.what;
        Edit(c.position, c.deleted, c.inserted);
        EXPECT_FALSE(store.hasOwn) << c.what << ": nothing written until the base is complete";
        for (now += 20; keeper.Busy(); now += 20) keeper.Tick(now);
        EXPECT_EQ(Decoded(), editor.text) << c.what;
    }
}

TEST_F(JournalKeeperTest, ACleanDocumentHoldsNothingAndItsNextChangeStartsAFreshCopy) {
    editor.text = "saved";
    keeper.Tick(0);
    Edit(5, 0, "!");
    keeper.Tick(1000);
    ASSERT_EQ(Decoded(), "saved!");
    state.ModMark = kCleanMark;
    keeper.DocumentClean();
    EXPECT_FALSE(store.hasOwn);
    editor.text = "loaded elsewhere";  // a load: the keeper was told nothing it keeps
    keeper.Tick(1500);
    Edit(0, 0, ">");
    keeper.Tick(2000);
    keeper.Tick(3000);
    EXPECT_EQ(Decoded(), ">loaded elsewhere");
}

TEST_F(JournalKeeperTest, ABaseWaitingForItsFlushStaysBusyAndWhatComesMeanwhileReachesTheCopy) {
    // Each case acts while the finished base waits for the store to replace the copy.
    struct Case {
        const char* what;
        std::function<void(JournalKeeperTest&)> meanwhile;
    };
    const Case cases[] = {
        {"nothing", [](JournalKeeperTest&) {}},
        {"typing, at the start and the end",
         [](JournalKeeperTest& t) {
             t.Edit(0, 0, "表");
             t.Edit(t.editor.text.size(), 0, "\r\n");
             t.Edit(10, 3, "");
         }},
        {"a change told without its details",
         [](JournalKeeperTest& t) {
             t.editor.text[1] = 'Z';
             t.keeper.TextChanged();
         }},
        {"the document renamed",
         [](JournalKeeperTest& t) {
             t.state.CurrentName = "other.txt";
             t.state.FullPath = "C:\\other.txt";
         }},
        {"a change too large to hold", [](JournalKeeperTest& t) { t.Edit(5, 0, std::string((4 << 20) + 1, 'L')); }},
    };
    for (const Case& c : cases) {
        store = test::MemoryStore();
        store.finishPolls = 3;
        keeper.DocumentClean();
        state.CurrentName = "memo.txt";
        state.FullPath = "C:\\memo.txt";
        editor.text = std::string(300, 'a');
        std::uint64_t now = 300000;
        keeper.Tick(now);
        Edit(0, 0, "x");
        for (now += 1000; !store.finished; now += 20) keeper.Tick(now);
        ASSERT_TRUE(keeper.Busy()) << c.what << ": finished, not yet the copy";
        EXPECT_FALSE(store.hasOwn) << c.what;
        c.meanwhile(*this);
        for (int i = 0; i < 200000 && (keeper.Busy() || i < 150); ++i) keeper.Tick(now += 20);
        EXPECT_FALSE(keeper.Busy()) << c.what;
        EXPECT_EQ(Decoded(), editor.text) << c.what;
        EXPECT_FALSE(store.building) << c.what << ": no copy left half done";
    }
    // A document saved meanwhile drops the waiting copy.
    editor.text += "y";
    keeper.TextChanged();  // without details: a new base
    for (std::uint64_t now = 900000; !store.finished && now < 1000000; now += 20) keeper.Tick(now);
    ASSERT_TRUE(keeper.Busy());
    state.ModMark = kCleanMark;
    keeper.DocumentClean();
    EXPECT_FALSE(keeper.Busy());
    EXPECT_FALSE(store.building);
}

// A kill can come at any moment: between ticks, in the middle of a base, or part way through an append.
// The copy on disk must then decode to a text the document had, and after each completed write to the
// text of that moment.
class KillingStore : public test::MemoryStore {
public:
    std::set<std::string>* history = nullptr;
    const std::string* current = nullptr;
    std::mt19937* random = nullptr;
    int checked = 0;
    void Append(std::string_view bytes) override {
        for (int i = 0; i < 3; ++i) {
            const std::size_t cut = (*random)() % (bytes.size() + 1);
            Check(own + std::string(bytes.substr(0, cut)));
        }
        MemoryStore::Append(bytes);
        ASSERT_EQ(DecodeRecovery(own)->text, *current) << "after an append";
    }
    void ContinueCopy(std::string_view part) override {
        MemoryStore::ContinueCopy(part);
        EXPECT_FALSE(DecodeRecovery(next)) << "a base not finished reads as no copy";
        if (hasOwn) Check(own);
    }
    // The finished base waits a random number of Ticks for its flush; a kill meanwhile finds the old copy
    // as it was and the new one, complete in its temporary file (offered at the next start too).
    std::string finishedText;
    bool FinishCopy(std::string_view header, std::string_view tail) override {
        finishedText = *current;
        finishPolls = static_cast<int>((*random)() % 4);
        return MemoryStore::FinishCopy(header, tail);
    }
    bool CopyReplaced() override {
        if (hasOwn) Check(own);
        Check(next);
        if (!MemoryStore::CopyReplaced()) return false;
        const auto record = DecodeRecovery(own);
        EXPECT_TRUE(record && record->text == finishedText) << "after a base";
        return true;
    }
    void Check(const std::string& onDisk) {
        const auto record = DecodeRecovery(onDisk);
        ASSERT_TRUE(record);
        EXPECT_TRUE(history->count(record->text)) << "a text the document never had";
        ++checked;
    }
};

TEST(RecoveryJournalScenario, RandomEditsTicksAndKillsNeverLeaveAMixture) {
    for (unsigned seed = 1; seed <= 8; ++seed) {
        std::mt19937 random(seed);
        KillingStore store;
        test::FakeEditor editor;
        DocumentState state{"memo.txt", kModifiedMark, "", "C:\\memo.txt", ""};
        test::ScriptedDialogs dialogs;
        RecoveryKeeper keeper(
            store, editor, state, dialogs, [](const RecoveryRecord&) {}, LeadByteTable::ShiftJis(), 1 + random() % 200);
        std::set<std::string> history;
        store.history = &history;
        store.current = &editor.text;
        store.random = &random;
        const char* pieces[] = {"a", "表", "\r\n", "\x83\x5C", "\n", "xyz", "\r", "ソフト"};
        editor.text = std::string(500 + random() % 2000, 'q');
        history.insert(editor.text);
        std::uint64_t now = 0;
        for (int step = 0; step < 1500; ++step) {
            const unsigned what = random() % 100;
            const std::size_t length = editor.text.size();
            if (what < 55) {
                const std::size_t at = random() % (length + 1);
                const std::size_t deleted =
                    random() % 3 == 0 ? random() % (std::min<std::size_t>(length - at, 40) + 1) : 0;
                const std::string inserted = random() % 4 == 0 ? std::string() : pieces[random() % 8];
                editor.text.replace(at, deleted, inserted);
                keeper.TextEdited(at, deleted, inserted);
                if (random() % 3 == 0) keeper.TextChanged();
            } else if (what < 58) {
                // A whole-text set whose details went untold: the change observer still tells of it, or
                // else its length differs. (A change told by neither could not be seen.)
                keeper.TextChanged();
                std::string set = "set whole " + std::to_string(step);
                if (set.size() == editor.text.size()) set += "!";
                editor.text = set;
                if (what == 57) keeper.TextChanged();
            } else {
                if (what < 60) keeper.TextChanged();
                now += random() % 2 ? 20 : 500;
                keeper.Tick(now);
            }
            history.insert(editor.text);
            if (testing::Test::HasFatalFailure()) return;
        }
        for (int i = 0; i < 2000 && (keeper.Busy() || i < 200); ++i) keeper.Tick(now += 20);
        keeper.TextChanged();
        for (int i = 0; i < 2000 && (keeper.Busy() || i < 200); ++i) keeper.Tick(now += 20);
        ASSERT_TRUE(store.hasOwn) << "seed " << seed;
        EXPECT_EQ(DecodeRecovery(store.own)->text, editor.text) << "seed " << seed;
        EXPECT_GT(store.checked, 20) << "seed " << seed;
    }
}

}  // namespace
}  // namespace tovel
