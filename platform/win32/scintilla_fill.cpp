// A whole text filled a piece at a time in a document of its own, shown by a hidden second view of the
// component, and given to the editor's view only when it holds every byte. Until then the editor's own
// document stands untouched: its text, undo record, caret and scroll, whatever the fill does or fails.
#include <cstring>

#include "platform/win32/scintilla_editor.h"

namespace tovel {

class ScintillaEditor::Fill : public ITextFill {
public:
    Fill(ScintillaEditor& editor, std::size_t bytes) : m_editor(editor), m_view(editor.FillView()) {
        if (bytes > kMaxTextBytes) throw TooLarge();
        // Room for the whole text made once; the hidden view holds the only reference.
        const sptr_t doc = m_view.CreateDocument(static_cast<sci::Position>(bytes) + 1);
        if (!doc) {
            m_view.SetStatus(SC_STATUS_OK);
            throw TooLarge();
        }
        m_view.SetDocPointer(doc);
        m_view.ReleaseDocument(doc);
        // The document's own settings, as the editor's document has them; a load keeps no undo copy.
        m_view.SetUndoCollection(false);
        m_view.SetCodePage(editor.m_utf8 ? SC_CP_UTF8 : 932);
        m_view.SetEolMode(editor.m_newLine == "\n" ? SC_EOL_LF : editor.m_newLine == "\r" ? SC_EOL_CR : SC_EOL_CRLF);
        m_view.SetTabWidth(8);
    }
    // Without Commit, the new document goes with the hidden view's reference.
    ~Fill() override { m_view.SetDocPointer(0); }
    Fill(const Fill&) = delete;
    Fill& operator=(const Fill&) = delete;

    void Append(std::string_view bytes) override {
        if (bytes.empty()) return;
        if (bytes.size() > kMaxTextBytes - m_length) throw TooLarge();
        m_view.AppendText(bytes);
        if (m_view.Status() != SC_STATUS_OK) {
            m_view.SetStatus(SC_STATUS_OK);
            throw TooLarge();
        }
        // Checked in place, where the piece now stands: the bytes held must be the bytes given.
        const char* held =
            m_view.RangePointer(static_cast<sci::Position>(m_length), static_cast<sci::Position>(bytes.size()));
        if (!held || std::memcmp(held, bytes.data(), bytes.size()) != 0) {
            std::size_t at = 0;
            while (held && at < bytes.size() && held[at] == bytes[at]) ++at;
            throw TextNotHeldError("文字列の " + std::to_string(m_length + at + 1) + " バイト目を保持できません",
                                   m_length + at);
        }
        m_length += bytes.size();
    }

    void Commit(bool utf8) override {
        if (Adopt(utf8)) m_editor.AfterWholeText();
    }

    // The new document becomes the editor's, held as UTF-8 or not; false when it holds the editor's text
    // already, which then stays with its record, caret and scroll.
    bool Adopt(bool utf8) {
        const sci::Calls& shown = m_editor.m_calls;
        if (static_cast<std::size_t>(shown.Length()) == m_length &&
            (m_length == 0 || std::memcmp(shown.CharacterPointer(), m_view.CharacterPointer(), m_length) == 0)) {
            m_editor.SetUtf8(utf8);
            return false;
        }
        m_view.SetCodePage(utf8 ? SC_CP_UTF8 : 932);
        m_view.SetUndoCollection(true);
        m_view.EmptyUndoBuffer();
        m_view.SetSavePoint();
        // The editor's view takes its own reference; its previous document goes with the one it held.
        shown.SetDocPointer(m_view.DocPointer());
        m_editor.m_utf8 = utf8;
        return true;
    }

private:
    ScintillaEditor& m_editor;
    const sci::Calls& m_view;
    std::size_t m_length = 0;
};

// A load starts a new record, so nothing is recorded: the record would hold a second copy of the whole
// loaded text. The text is built in a document of its own, sized once, which replaces the shown one only
// once it holds every byte: a text not held leaves the previous one as it was, undo record included.
std::size_t ScintillaEditor::SetUnrecorded(std::string_view text) {
    try {
        Fill fill(*this, text.size());
        fill.Append(text);
        fill.Adopt(m_utf8);
    } catch (const TextNotHeldError& e) {
        return e.position;
    } catch (const Error&) {
        return kNotStored;
    }
    return kTextHeld;
}

std::unique_ptr<ITextFill> ScintillaEditor::StartFill(std::size_t bytes) {
    return std::make_unique<Fill>(*this, bytes);
}

const sci::Calls& ScintillaEditor::FillView() { return HiddenView(m_fillView, m_fillCalls); }

const sci::Calls& ScintillaEditor::HiddenView(HWND& hwnd, sci::Calls& calls) {
    if (!hwnd) {
        hwnd = CreateWindowExW(0, L"Scintilla", L"", WS_CHILD, 0, 0, 0, 0, Frame(), nullptr,
                               WindowBase::InstanceOf(Frame()), nullptr);
        if (!hwnd) throw Error("エディタを作成できません");
        calls = sci::Calls(hwnd);
        calls.SetModEventMask(0);  // it tells no one of its changes
    }
    return calls;
}

}  // namespace tovel
