// The repeated paste, printing and both appends on texts long enough to show their progress: it rises to
// its total, and an operation stopped at any of its steps leaves the text, its undo, the files and the
// printer as they were.
#include <gtest/gtest.h>

#include <algorithm>

#include "document/append_commands.h"
#include "document/print_channel.h"
#include "tests/unit/tool_commands_fixture.h"
#include "tools/repeated_paste.h"

namespace tovel {
namespace {

using test::StoppingProgress;

class StoppedOperationsTest : public test::ToolCommandsFixture {
protected:
    // Lines of 80 bytes, so that every operation has several steps to stop at.
    static std::string Lines(std::size_t bytes) {
        std::string text;
        for (int i = 0; text.size() < bytes; ++i) text += std::string(76, static_cast<char>('a' + i % 26)) + "9\r\n";
        return text;
    }

    StoppingProgress progress;
    ToolCommands stoppable{
        {editor, dialogs, boxes, clipboard, shell, codePage, &progress}, formats, [this] { return now; }};
    test::MemoryFiles files;
    test::ScriptedFileDialogs fileDialogs;
    test::CountingSound sound;
    MixList list;
    DocumentState state;
    AppendCommands append{list, editor, files, fileDialogs, dialogs, sound, codePage, state, &progress};
    test::FakePrinter printer;
};

TEST_F(StoppedOperationsTest, AStopAtAnyStepLeavesTheTextItsUndoTheFilesAndThePrinterAsTheyWere) {
    const std::string name = "D:\\other.txt";
    const std::string file = Lines(100'000);
    struct Case {
        const char* name;
        std::function<void()> prepare;  // the dialogs' answers and the files, before each run
        std::function<void()> command;
        std::size_t grows;  // bytes the text gains when the command runs to its end
    } cases[] = {
        {"repeated paste", [&] { dialogs.typed = {"300000"}; }, [&] { stoppable.RepeatSelection(); }, 299'999 * 80},
        {"print", [] {}, [&] { PrintLines(editor, printer, &progress); }, 0},
        {"append-open", [&] { fileDialogs.opens = {name}; }, [&] { append.MixOpen(); }, file.size() + 2},
        {"append-save", [&] { fileDialogs.saves = {name}; }, [&] { append.MixSave(); }, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        // A text, one typed step before the command, and the selection it repeats.
        const auto reset = [&] {
            editor.SetText(Lines(200'000));
            editor.Select(0, 0);
            editor.SetSelText("typed");
            editor.Select(5, 85);
            files.files = {{name, file}};
            files.writes.clear();
            printer = {};
            progress.steps.clear();
            c.prepare();
        };
        reset();
        const std::string before = editor.text;
        progress.stopAt = 0;
        c.command();
        const std::size_t total = progress.steps.size();
        ASSERT_GE(total, 3u) << "too few steps to stop between";
        EXPECT_TRUE(std::is_sorted(progress.steps.begin(), progress.steps.end()));
        EXPECT_EQ(progress.steps.back().first, progress.steps.back().second) << "rises to its total";
        EXPECT_EQ(editor.text.size(), before.size() + c.grows);
        EXPECT_EQ(progress.starts, progress.finishes);

        for (std::size_t stop = 1; stop <= total; ++stop) {
            SCOPED_TRACE(stop);
            reset();
            progress.stopAt = static_cast<int>(stop);
            EXPECT_THROW(c.command(), Cancelled);
            EXPECT_TRUE(editor.text == before) << "the text";
            EXPECT_EQ(files.files, (std::map<std::string, std::string>{{name, file}})) << "the files";
            EXPECT_TRUE(files.writes.empty());
            EXPECT_EQ(printer.closed, 0) << "no job sent half";
            EXPECT_EQ(printer.aborted, printer.jobs);
            EXPECT_EQ(progress.starts, progress.finishes) << "the progress ended";
            editor.Undo();
            EXPECT_TRUE(editor.text == Lines(200'000)) << "the undo takes back the step before the command";
        }
    }
}

// Fed in runs, the repeated paste is exactly the one string of all its pastes, in runs of whole pastes;
// one too large is refused before anything goes in.
TEST(FeedRepeatedPasteTest, HandsOverExactlyTheRepeatedPasteInRuns) {
    constexpr std::size_t npos = std::string::npos;
    struct Case {
        std::string piece;
        std::int64_t count;
        std::size_t room, runBytes;
        CharRule rule;
    } cases[] = {
        {"xy", 1000, npos, 64, CharRule::ShiftJis},      // many runs of 32 pastes
        {"xy", 1001, npos, 64, CharRule::ShiftJis},      // and a shorter last one
        {"xy", 5, npos, 1, CharRule::ShiftJis},          // runs shorter than a paste: one paste each
        {"a表", 300, 301, 16, CharRule::ShiftJis},       // a tail of partial pastes once room runs out
        {"a\r\n", 50, 102, 8, CharRule::ShiftJis},       // the tail never splits a CR LF
        {"a\xe3\x81\x82", 40, 103, 12, CharRule::Utf8},  // nor a UTF-8 character
        {"abc", 2, 1, 4, CharRule::ShiftJis},            // no whole paste fits at all
        {"abc", 0, npos, 4, CharRule::ShiftJis},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.piece + " x" + std::to_string(c.count));
        std::string fed;
        std::vector<std::size_t> runs, told;
        FeedRepeatedPaste(
            c.piece, c.count, c.room, kRewriteLimit, c.rule,
            [&](std::string_view run) {
                fed += run;
                runs.push_back(run.size());
            },
            [&](std::size_t done, std::size_t total) {
                EXPECT_EQ(done, fed.size());
                told.push_back(total);
            },
            c.runBytes);
        EXPECT_EQ(fed, RepeatedPaste(c.piece, c.count, c.room, kRewriteLimit, c.rule));
        EXPECT_EQ(told.size(), runs.size());
        for (const std::size_t total : told) EXPECT_EQ(total, fed.size());
        for (std::size_t i = 0; i + 1 < runs.size(); ++i) {
            EXPECT_LE(runs[i], std::max(c.runBytes, c.piece.size()));
            EXPECT_EQ(runs[i] % c.piece.size(), 0u) << "whole pastes until the tail";
        }
    }

    int inserts = 0;
    EXPECT_THROW(FeedRepeatedPaste("xy", 1000, npos, 1999, CharRule::ShiftJis, [&](std::string_view) { ++inserts; }),
                 Error);
    EXPECT_EQ(inserts, 0);
}

}  // namespace
}  // namespace tovel
