#pragma once
// An editor double with a selection, lines ended by CR LF, LF or CR (no wrapping), a byte limit on pastes
// that keeps whole characters of the held encoding, the undo record of every paste, and a clipboard of
// its own; plus doubles for the shell and the message boxes.
#include <algorithm>
#include <string>
#include <vector>

#include "platform/byte_string.h"
#include "platform/clipboard.h"
#include "platform/message_boxes.h"
#include "platform/shell.h"
#include "platform/sjis.h"
#include "tests/unit/fakes.h"

namespace tovel::test {

class FakeClipboard : public IClipboard {
public:
    std::string text;
    std::string unicode;  // the Unicode text, as UTF-8; kept apart from the plain text
    std::string ReadText() override { return text; }
    void WriteText(std::string_view t) override { text = std::string(t); }
    std::string ReadUnicodeText() override { return unicode; }
    void WriteUnicodeText(std::string_view t) override { unicode = std::string(t); }
};

class FakeTextEditor : public FakeEditor {
public:
    explicit FakeTextEditor(FakeClipboard& clipboard) : m_clipboard(clipboard) {}

    std::int32_t maxLength = 0;

    void Select(std::size_t start, std::size_t end) { selStart = start, selEnd = end; }
    std::string Selected() const { return text.substr(selStart, selEnd - selStart); }

    int CaretLine() override { return static_cast<int>(LineOf(selStart)); }
    int CaretLineStart() override { return static_cast<int>(LineStarts()[LineOf(selStart)]); }
    // At the end: `line` + the break after a final break (or into an empty text), else the break + `line`.
    void Add(std::string_view line) override {
        const bool broken = text.empty() || text.back() == '\n' || text.back() == '\r';
        selStart = selEnd = text.size();
        BeginChange();
        Replace(broken ? std::string(line) + newLine : newLine + std::string(line));
    }
    void Delete(int index) override {
        const std::vector<std::size_t> starts = LineStarts();
        if (index < 0 || static_cast<std::size_t>(index) >= starts.size()) return;
        const std::size_t end = index + 1u < starts.size() ? starts[index + 1] : text.size();
        if (end == starts[index]) return;
        BeginChange();
        selStart = starts[index], selEnd = end;
        Replace("");
    }
    void CopyToClipboard() override {
        if (selEnd > selStart) m_clipboard.text = Selected();
    }
    // Keeps the longest prefix of whole characters, a CR LF never split, that fits the limit.
    void PasteFromClipboard() override {
        if (m_clipboard.text.empty()) return;
        BeginChange();
        std::string insert = m_clipboard.text;
        if (maxLength > 0) {
            const std::size_t kept = text.size() - (selEnd - selStart);
            const std::size_t room = kept >= static_cast<std::size_t>(maxLength) ? 0 : maxLength - kept;
            std::size_t keep = std::min(room, insert.size());
            while (keep > 0 && !IsWholeCut(insert, keep, utf8)) --keep;
            insert.resize(keep);
        }
        Replace(insert);
    }
    int SelStart() override { return static_cast<int>(selStart); }
    int SelLength() override { return static_cast<int>(selEnd - selStart); }
    void SetSelStart(int offset) override { selStart = selEnd = offset; }
    void SetSelLength(int length) override { selEnd = selStart + length; }
    void SetSelText(std::string_view t) override {
        BeginChange();
        Replace(t);
    }
    std::int32_t MaxLength() const override { return maxLength; }
    void SetMaxLength(std::int32_t limit) override { maxLength = limit; }

private:
    // In UTF-8 a character starts at every byte but a continuation byte (10xxxxxx).
    static bool IsWholeCut(const std::string& s, std::size_t at, bool utf8) {
        std::size_t pos = 0;
        while (pos < at) pos = NextCharPos(s, pos);
        const bool whole = utf8 ? at == s.size() || (static_cast<unsigned char>(s[at]) & 0xC0) != 0x80 : pos == at;
        return whole && !(at > 0 && at < s.size() && s[at - 1] == '\r' && s[at] == '\n');
    }
    void Replace(std::string_view t) {
        text.replace(selStart, selEnd - selStart, t);
        selStart = selEnd = selStart + t.size();
        Changed();
    }
    std::vector<std::size_t> LineStarts() const {
        std::vector<std::size_t> starts{0};
        for (auto i = text.find_first_of("\r\n"); i != std::string::npos; i = text.find_first_of("\r\n", i)) {
            i += text.compare(i, 2, "\r\n") == 0 ? 2 : 1;
            starts.push_back(i);
        }
        return starts;
    }
    std::size_t LineOf(std::size_t pos) const {
        const auto starts = LineStarts();
        return std::upper_bound(starts.begin(), starts.end(), pos) - starts.begin() - 1;
    }

    FakeClipboard& m_clipboard;
};

// Message boxes that record what they showed; the questions are answered from `yes`.
class RecordingBoxes : public IMessageBoxes {
public:
    std::vector<std::string> shown;  // "warning|text|caption", "info|text|caption" or "question|text|caption"
    std::deque<bool> yes;            // the answers to the questions, No once it runs out
    bool AskYesNo(const std::string& t, const std::string& c) override {
        shown.push_back("question|" + t + "|" + c);
        if (yes.empty()) return false;
        const bool answer = yes.front();
        yes.pop_front();
        return answer;
    }
    void ShowWarning(const std::string& t, const std::string& c) override { shown.push_back("warning|" + t + "|" + c); }
    void ShowInfo(const std::string& t, const std::string& c) override { shown.push_back("info|" + t + "|" + c); }
};

// Every request kept: `opened` the paths opened either way, `requests` each call as "open:", "OPEN:" or
// "run:" followed by the path or command line. Opens answer `succeeds`; a command line always fails.
class RecordingShell : public IShell {
public:
    std::vector<std::string> opened;
    std::vector<std::string> requests;
    bool succeeds = true;
    bool ShellOpen(const std::string& path) override { return Open("open:", path); }
    bool OpenForWindow(const std::string& path) override { return Open("OPEN:", path); }
    bool RunCommand(const std::string& commandLine) override {
        requests.push_back("run:" + commandLine);
        return succeeds;
    }

private:
    bool Open(const std::string& how, const std::string& path) {
        requests.push_back(how + path);
        opened.push_back(path);
        return succeeds;
    }
};

}  // namespace tovel::test
