#pragma once
// Hand-written test doubles for the platform interfaces, for logic tested on the host.
#include <algorithm>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "document/document_commands.h"
#include "platform/byte_string.h"
#include "platform/desktop_window.h"
#include "platform/error.h"
#include "platform/ini_file.h"
#include "platform/printer.h"
#include "platform/progress.h"
#include "platform/recovery_store.h"
#include "platform/sjis.h"
#include "platform/sound.h"
#include "platform/utf8_steps.h"

namespace tovel::test {

// Files in memory. A name in `unwritable` fails to be created, as a locked or read-only file does; a name
// in `unreadable` exists but cannot be read, as a locked file or a folder.
class MemoryFiles : public ITextFiles {
public:
    std::map<std::string, std::string> files;
    std::vector<std::string> unwritable;
    std::vector<std::string> unreadable;
    std::vector<std::string> readOnly;           // existing files marked read-only
    std::vector<std::string> writes;             // every name written, in order
    std::vector<std::string> unwritableFolders;  // folders no new file can be made in
    std::string tempFolder;                      // what TempFolder answers

    std::string ReadAll(const std::string& name) override {
        CheckReadable(name);
        return files.find(name)->second;
    }
    std::string Stamp(const std::string& name) override {
        auto it = files.find(name);
        return it == files.end() ? "" : std::to_string(std::hash<std::string>{}(it->second));
    }
    bool Exists(const std::string& name) override {
        return files.count(name) || std::find(unreadable.begin(), unreadable.end(), name) != unreadable.end();
    }
    bool ReadOnly(const std::string& name) override {
        return files.count(name) && std::find(readOnly.begin(), readOnly.end(), name) != readOnly.end();
    }
    void CheckReadable(const std::string& name) override {
        if (!files.count(name) || std::find(unreadable.begin(), unreadable.end(), name) != unreadable.end()) {
            throw Error(FormatText("ファイル %s は開けません", name));
        }
    }
    void WriteAll(const std::string& name, std::string_view bytes) override {
        for (const auto& u : unwritable) {
            if (u == name) throw Error(FormatText("ファイル %s を作成できません", name));
        }
        files[name] = std::string(bytes);
        writes.push_back(name);
    }
    std::string FullPath(const std::string& name) override {
        return name.find(':') != std::string::npos ? name : "C:\\start\\" + name;
    }
    bool FolderWritable(const std::string& folder) override {
        return std::find(unwritableFolders.begin(), unwritableFolders.end(), folder) == unwritableFolders.end();
    }
    std::string TempFolder() override { return tempFolder; }
};

// An editor that holds its text and a selection, with the real editor's undo record: each undo goes one
// step further back, each redo one step forward again, and a new change drops what could be redone. A
// step is the state before it, so every undo brings back the exact text and selection. `changed` is told of every
// change of the text, as the real editor's change notification tells its owner.
class FakeEditor : public IEditor {
public:
    std::string text;
    std::size_t selStart = 0, selEnd = 0;  // the caret is at selEnd
    std::function<void()> changed;
    std::size_t capacity = SIZE_MAX;  // a longer text is refused whole, as the component refuses it
    int LineCount() override { return static_cast<int>(SplitLines(text).size()); }
    int FirstVisibleLine() override { return 0; }
    int CaretLine() override { return 0; }
    int CaretLineStart() override { return 0; }
    std::string Line(int) override { return {}; }
    void Add(std::string_view) override {}
    void Delete(int) override {}
    std::string Text() override { return text; }
    std::string_view TextView() override { return text; }
    void SetText(std::string_view t) override { SetWhole(t, false); }
    void ReplaceText(std::string_view t) override { SetWhole(t, true); }
    void Clear() override { SetText(""); }
    void Undo() override { Step(m_undo, m_redo); }
    void Redo() override { Step(m_redo, m_undo); }
    void BeginUndoStep() override {
        if (m_depth++ == 0) m_stepTaken = false;
    }
    void EndUndoStep() override { --m_depth; }
    void DropLastStep() override {
        if (m_undo.empty()) return;
        Restore(m_undo.back());
        m_undo.pop_back();
    }
    void CutToClipboard() override {}
    void CopyToClipboard() override {}
    void PasteFromClipboard() override {}
    void ClearSelection() override {}
    void SelectAll() override {}
    int SelStart() override { return 0; }
    int SelLength() override { return 0; }
    void SetSelStart(int) override {}
    void SetSelLength(int) override {}
    void SetSelText(std::string_view) override {}
    std::int32_t MaxLength() const override { return 0; }
    void SetMaxLength(std::int32_t) override {}
    bool WordWrap() const override { return true; }
    void SetWordWrap(bool) override {}
    std::int32_t Color() const override { return 0; }
    void SetColor(std::int32_t) override {}
    std::int32_t FontColor() const override { return 0; }
    void SetFontColor(std::int32_t) override {}
    void SetRedraw(bool) override {}
    bool utf8 = false;
    std::string newLine = "\r\n";
    bool Utf8() const override { return utf8; }
    void SetUtf8(bool on) override { utf8 = on; }
    void SetNewLine(std::string_view lineBreak) override { newLine = std::string(lineBreak); }

protected:
    struct Snapshot {
        std::string text;
        std::size_t selStart, selEnd;
    };
    // Before each change: the state an undo brings back (once for all the changes of an open step).
    void BeginChange() {
        if (m_depth > 0 && m_stepTaken) return;
        m_stepTaken = m_depth > 0;
        m_redo.clear();
        m_undo.push_back(Snapshot{text, selStart, selEnd});
    }
    void Changed() {
        if (changed) changed();
    }

private:
    void SetWhole(std::string_view t, bool undoable) {
        const std::string next(t.substr(0, t.find('\0')));
        if (next == text) return;
        if (next.size() > capacity) throw Error("文字列の大きさが メモ の制限を越えました");
        if (undoable) {
            BeginChange();
        } else {
            m_undo.clear();
            m_redo.clear();
        }
        text = next;
        selStart = selEnd = 0;
        Changed();
    }
    // Takes the top state of `from` back into the text; the present state goes onto `to`.
    void Step(std::vector<Snapshot>& from, std::vector<Snapshot>& to) {
        if (from.empty()) return;
        to.push_back(Snapshot{text, selStart, selEnd});
        Restore(from.back());
        from.pop_back();
    }
    void Restore(const Snapshot& s) {
        text = s.text;
        selStart = s.selStart;
        selEnd = s.selEnd;
        Changed();
    }

    std::vector<Snapshot> m_undo, m_redo;  // the states an undo and a redo bring back, the next one last
    int m_depth = 0;
    bool m_stepTaken = false;
};

// File dialogs answered from a queue: a path, or nullopt for Cancel. An unexpected use fails the test
// through `unexpected`.
class ScriptedFileDialogs : public IFileDialogs {
public:
    std::deque<std::optional<std::string>> opens, saves;
    int unexpected = 0;
    std::optional<std::string> ChooseFileToOpen() override { return Next(opens); }
    std::vector<std::string> proposed;  // the name each save dialog started with
    std::optional<std::string> ChooseFileToSave(const std::string& name) override {
        proposed.push_back(name);
        return Next(saves);
    }

private:
    std::optional<std::string> Next(std::deque<std::optional<std::string>>& q) {
        if (q.empty()) {
            ++unexpected;
            return std::nullopt;
        }
        auto answer = q.front();
        q.pop_front();
        return answer;
    }
};

// The dialogs answered from queues, with everything they showed recorded. A save question takes the next
// of `answers` (Cancel once they run out, counted in `unexpected`); an input box the next of `typed`
// (nullopt is Cancel, and so is every box once they run out).
class ScriptedDialogs : public IDialogs {
public:
    std::deque<DialogResult> answers;
    std::deque<std::optional<std::string>> typed;
    std::vector<std::string> asked;     // each save question, in order
    std::vector<std::string> inputs;    // "caption|prompt" of each input box, in order
    std::vector<std::string> messages;  // each message shown, in order
    int unexpected = 0;
    std::optional<std::string> InputBox(const std::string& caption, const std::string& prompt,
                                        const std::string&) override {
        inputs.push_back(caption + "|" + prompt);
        if (typed.empty()) return std::nullopt;
        std::optional<std::string> a = typed.front();
        typed.pop_front();
        return a;
    }
    // The UTF-8 box answers from the same queue and is recorded with a "utf8|" mark.
    std::optional<std::string> InputBoxUtf8(const std::string& caption, const std::string& prompt,
                                            const std::string& def) override {
        return InputBox("utf8|" + caption, prompt, def);
    }
    std::vector<DialogResult> defaults;  // the default button of each question, in order
    DialogResult ConfirmYesNoCancel(const std::string& message, DialogResult defaultButton) override {
        asked.push_back(message);
        defaults.push_back(defaultButton);
        if (answers.empty()) {
            ++unexpected;
            return DialogResult::Cancel;
        }
        DialogResult r = answers.front();
        answers.pop_front();
        return r;
    }
    void ShowMessage(const std::string& message) override { messages.push_back(message); }
};

class RecordingWindow : public IDocumentWindow {
public:
    std::string caption, applicationTitle, iconOf;
    void SetCaption(const std::string& c) override { caption = c; }
    void SetApplicationTitle(const std::string& t) override { applicationTitle = t; }
    void ShowIconOf(const std::string& path) override { iconOf = path; }
    std::vector<TextFormat> formats;  // each format shown, in order
    void ShowFormat(const TextFormat& format) override { formats.push_back(format); }
};

// A desktop window that records what it is asked.
class RecordingDesktopWindow : public IDesktopWindow {
public:
    bool translucentPossible = true;
    int height = 300;
    std::vector<std::string> calls;

    void SetTopmost(bool topmost) override { calls.push_back(topmost ? "topmost" : "not topmost"); }
    bool CanBeTranslucent() const override { return translucentPossible; }
    void SetOpacity(std::uint8_t alpha) override { calls.push_back("alpha " + std::to_string(alpha)); }
    void SetOpaque() override { calls.push_back("opaque"); }
    int Height() const override { return height; }
    void SetHeight(int h) override {
        calls.push_back("height " + std::to_string(h));
        height = h;
    }
};

// The recovery store in memory: this run's copy, and the copies earlier runs left behind.
// A progress that records what it is told and stops the operation at the `stopAt`-th step (0: never).
class StoppingProgress : public IProgress {
public:
    int stopAt = 0;
    int starts = 0, finishes = 0;
    std::vector<std::pair<std::uint64_t, std::uint64_t>> steps;

    void Start(std::string_view) override { ++starts; }
    void Step(std::uint64_t done, std::uint64_t total) override {
        steps.emplace_back(done, total);
        if (static_cast<int>(steps.size()) == stopAt) throw Cancelled();
    }
    void Finish() override { ++finishes; }
};

class MemoryStore : public IRecoveryStore {
public:
    std::string own;
    bool hasOwn = false;
    int writes = 0;
    bool failing = false;
    std::vector<std::pair<LeftCopy, std::string>> left;  // copies of other runs, newest first
    std::set<std::string> unreadable;
    void Write(std::string_view header, std::string_view text) override {
        if (failing) throw Error("disk full");
        own = std::string(header) + std::string(text);
        hasOwn = true;
        ++writes;
    }
    void Append(std::string_view bytes) override {
        if (failing) throw Error("disk full");
        if (!hasOwn) throw Error("no copy to append to");
        own += bytes;
        ++writes;
    }
    // A copy being written: its header room, then the parts; `building` is false when there is none.
    std::string next;
    bool building = false;
    std::size_t headerRoom = 0;
    void BeginCopy(std::size_t headerSize) override {
        if (failing) throw Error("disk full");
        next.assign(headerSize, '\0');
        headerRoom = headerSize;
        building = true;
    }
    void ContinueCopy(std::string_view part) override {
        if (failing) throw Error("disk full");
        if (!building) throw Error("no copy begun");
        next += part;
    }
    // How many CopyReplaced answer false before a finished copy replaces the own one (0: FinishCopy
    // replaces it at once); `finished` while it waits.
    int finishPolls = 0;
    bool finished = false;
    int pollsLeft = 0;
    bool FinishCopy(std::string_view header, std::string_view tail) override {
        if (failing) throw Error("disk full");
        if (!building || finished || header.size() != headerRoom) throw Error("header does not fit its room");
        next.replace(0, header.size(), header);
        next += tail;
        finished = true;
        pollsLeft = finishPolls;
        return CopyReplaced();
    }
    bool CopyReplaced() override {
        if (failing) throw Error("disk full");
        if (!finished) throw Error("no copy finished");
        if (pollsLeft > 0) {
            --pollsLeft;
            return false;
        }
        own = std::move(next);
        next.clear();
        building = finished = false;
        hasOwn = true;
        ++writes;
        return true;
    }
    void AbandonCopy() override {
        next.clear();
        building = finished = false;
    }
    void Remove() override { hasOwn = false; }
    std::vector<LeftCopy> LeftBehind() override {
        std::vector<LeftCopy> copies;
        for (const auto& [copy, bytes] : left) copies.push_back(copy);
        return copies;
    }
    std::string Read(const std::string& copy) override {
        if (unreadable.count(copy)) throw Error(FormatText("ファイル %s は開けません", copy));
        return Find(copy)->second;
    }
    void Discard(const std::string& copy) override { left.erase(Find(copy)); }
    void Add(const std::string& id, const std::string& bytes, bool temporary = false) {
        left.push_back({{id, temporary}, bytes});
    }
    bool Has(const std::string& id) { return Find(id) != left.end(); }

private:
    std::vector<std::pair<LeftCopy, std::string>>::iterator Find(const std::string& copy) {
        return std::find_if(left.begin(), left.end(), [&](const auto& l) { return l.first.id == copy; });
    }
};

// A settings file in memory ("section/key" -> value); every write is recorded as "section/key=value". A
// write of the key `failing` raises, as a settings file that cannot be written does, and changes nothing.
class MemoryIni : public IIniFile {
public:
    std::map<std::string, std::string> values;
    std::vector<std::string> writes;
    std::string failing;
    std::string ReadText(const std::string& s, const std::string& k, const std::string& fallback) override {
        const auto it = values.find(s + "/" + k);
        return it == values.end() ? fallback : it->second;
    }
    void WriteText(const std::string& s, const std::string& k, const std::string& v) override {
        if (!failing.empty() && k == failing) throw Error("C:\\tovel\\tovel.ini に書き込めません");
        values[s + "/" + k] = v;
        writes.push_back(s + "/" + k + "=" + v);
    }
};

struct CountingSound : ISound {
    int beeps = 0;
    void Beep() override { ++beeps; }
};

// What a print device was asked to draw, and where.
struct Drawn {
    int page, x, y;
    std::string text;
    friend bool operator==(const Drawn&, const Drawn&) = default;
};

inline std::ostream& operator<<(std::ostream& out, const Drawn& d) {
    return out << "{page " << d.page << ", " << d.x << ", " << d.y << ", \"" << d.text << "\"}";
}

// A device with fixed metrics: every ASCII byte 5 px wide, a double-byte character 10 px, text 12 px high.
// Told the text is UTF-8, every character of more than one byte is 10 px.
class RecordingDevice : public IPrintDevice {
public:
    PrinterMetrics metrics{100, 100, 10, 2};
    std::vector<Drawn> drawn;
    int page = 1;
    bool utf8 = false;

    PrinterMetrics Metrics() override { return metrics; }
    void SetUtf8(bool on) override { utf8 = on; }
    int TextWidth(std::string_view text) override {
        int width = 0;
        for (std::size_t pos = 0; pos < text.size();) {
            const std::size_t next = utf8 ? NextUtf8CharPos(text, pos) : NextCharPos(text, pos);
            width += next - pos >= 2 ? 10 : 5;
            pos = next;
        }
        return width;
    }
    int TextHeight(std::string_view) override { return 12; }
    void DrawText(int x, int y, std::string_view text) override { drawn.push_back({page, x, y, std::string(text)}); }
    void NewPage() override { ++page; }
};

// A printer whose job records onto a device; `duringJob` runs as commands do while the spooler pumps.
class FakePrinter : public IPrinter {
public:
    bool choose = true;
    bool printing = false;
    int jobs = 0, closed = 0, aborted = 0;
    RecordingDevice device;
    std::function<void()> duringJob;

    bool Printing() const override { return printing; }
    bool ChoosePrinter() override { return choose; }
    std::unique_ptr<IPrintJob> StartJob() override {
        struct Job : IPrintJob {
            FakePrinter& p;
            explicit Job(FakePrinter& printer) : p(printer) {}
            IPrintDevice& Device() override { return p.device; }
            void Close() override { ++p.closed; }
            void Abort() override { ++p.aborted; }
        };
        ++jobs;
        if (duringJob) duringJob();
        return std::make_unique<Job>(*this);
    }
};
}  // namespace tovel::test
