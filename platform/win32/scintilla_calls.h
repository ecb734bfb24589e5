#pragma once
// Typed calls into the editing component, one small function per message it is sent, so the compiler
// checks every argument. Calls go through the component's direct function: no window message, no
// marshalling, and none of the window-procedure hooks see them. Positions and lengths are bytes.
#include <windows.h>
#include <Scintilla.h>

#include <cstddef>
#include <string_view>

namespace tovel::sci {

using Position = Sci_Position;

class Calls {
public:
    Calls() = default;
    explicit Calls(HWND hwnd)
        : m_fn(reinterpret_cast<SciFnDirect>(SendMessageW(hwnd, SCI_GETDIRECTFUNCTION, 0, 0))),
          m_ptr(static_cast<sptr_t>(SendMessageW(hwnd, SCI_GETDIRECTPOINTER, 0, 0))) {}

    // ---- text and positions
    Position Length() const { return Call(SCI_GETLENGTH); }
    // The text as one contiguous block (the component closes its gap); valid until the next change.
    const char* CharacterPointer() const { return reinterpret_cast<const char*>(Call(SCI_GETCHARACTERPOINTER)); }
    const char* RangePointer(Position start, Position length) const {
        return reinterpret_cast<const char*>(Call(SCI_GETRANGEPOINTER, static_cast<uptr_t>(start), length));
    }
    char CharAt(Position pos) const { return static_cast<char>(Call(SCI_GETCHARAT, static_cast<uptr_t>(pos))); }
    // Text up to its first NUL replaces the whole text (undoable in the component).
    void SetText(const char* text) const { Call(SCI_SETTEXT, 0, reinterpret_cast<sptr_t>(text)); }
    void ClearAll() const { Call(SCI_CLEARALL); }
    void AppendText(std::string_view text) const {
        Call(SCI_APPENDTEXT, text.size(), reinterpret_cast<sptr_t>(text.data()));
    }
    void InsertText(Position pos, const char* text) const {
        Call(SCI_INSERTTEXT, static_cast<uptr_t>(pos), reinterpret_cast<sptr_t>(text));
    }
    void ReplaceSel(const char* text) const { Call(SCI_REPLACESEL, 0, reinterpret_cast<sptr_t>(text)); }
    void ReplaceTarget(std::string_view text) const {
        Call(SCI_REPLACETARGET, static_cast<uptr_t>(text.size()), reinterpret_cast<sptr_t>(text.data()));
    }
    void SetTargetRange(Position start, Position end) const {
        Call(SCI_SETTARGETRANGE, static_cast<uptr_t>(start), end);
    }
    void ChangeInsertion(std::string_view text) const {
        Call(SCI_CHANGEINSERTION, static_cast<uptr_t>(text.size()), reinterpret_cast<sptr_t>(text.data()));
    }
    Position PositionBefore(Position pos) const { return Call(SCI_POSITIONBEFORE, static_cast<uptr_t>(pos)); }
    Position PositionAfter(Position pos) const { return Call(SCI_POSITIONAFTER, static_cast<uptr_t>(pos)); }

    // ---- document lines and display rows
    Position LineCount() const { return Call(SCI_GETLINECOUNT); }
    Position LineFromPosition(Position pos) const { return Call(SCI_LINEFROMPOSITION, static_cast<uptr_t>(pos)); }
    Position PositionFromLine(Position line) const { return Call(SCI_POSITIONFROMLINE, static_cast<uptr_t>(line)); }
    Position LineEndPosition(Position line) const { return Call(SCI_GETLINEENDPOSITION, static_cast<uptr_t>(line)); }
    Position VisibleFromDocLine(Position line) const { return Call(SCI_VISIBLEFROMDOCLINE, static_cast<uptr_t>(line)); }
    Position DocLineFromVisible(Position row) const { return Call(SCI_DOCLINEFROMVISIBLE, static_cast<uptr_t>(row)); }
    Position FirstVisibleLine() const { return Call(SCI_GETFIRSTVISIBLELINE); }
    void SetFirstVisibleLine(Position row) const { Call(SCI_SETFIRSTVISIBLELINE, static_cast<uptr_t>(row)); }
    void SetXOffset(int offset) const { Call(SCI_SETXOFFSET, static_cast<uptr_t>(offset)); }
    // Wraps every line still waiting to be wrapped when `line` is at or after the first of them.
    void EnsureVisible(Position line) const { Call(SCI_ENSUREVISIBLE, static_cast<uptr_t>(line)); }
    int TextHeight(Position line) const { return static_cast<int>(Call(SCI_TEXTHEIGHT, static_cast<uptr_t>(line))); }
    Position PositionFromPoint(int x, int y) const { return Call(SCI_POSITIONFROMPOINT, static_cast<uptr_t>(x), y); }
    int PointYFromPosition(Position pos) const { return static_cast<int>(Call(SCI_POINTYFROMPOSITION, 0, pos)); }
    int PointXFromPosition(Position pos) const { return static_cast<int>(Call(SCI_POINTXFROMPOSITION, 0, pos)); }
    // Whole rows the window shows.
    Position LinesOnScreen() const { return Call(SCI_LINESONSCREEN); }
    // Scrolls the view by rows, the caret staying where it is in the text.
    void LineScroll(Position rows) const { Call(SCI_LINESCROLL, 0, rows); }

    // ---- selection
    Position SelectionStart() const { return Call(SCI_GETSELECTIONSTART); }
    Position SelectionEnd() const { return Call(SCI_GETSELECTIONEND); }
    void SetSel(Position anchor, Position caret) const { Call(SCI_SETSEL, static_cast<uptr_t>(anchor), caret); }
    void SetEmptySelection(Position pos) const { Call(SCI_SETEMPTYSELECTION, static_cast<uptr_t>(pos)); }
    // Moves the caret, keeping the anchor, without scrolling.
    void SetCurrentPos(Position pos) const { Call(SCI_SETCURRENTPOS, static_cast<uptr_t>(pos)); }
    // The caret's column becomes the one Up and Down keep to.
    void ChooseCaretX() const { Call(SCI_CHOOSECARETX); }
    void SelectAll() const { Call(SCI_SELECTALL); }
    bool SelectionIsRectangle() const { return Call(SCI_SELECTIONISRECTANGLE) != 0; }
    int Selections() const { return static_cast<int>(Call(SCI_GETSELECTIONS)); }
    Position Anchor() const { return Call(SCI_GETANCHOR); }
    Position CurrentPos() const { return Call(SCI_GETCURRENTPOS); }
    void ScrollCaret() const { Call(SCI_SCROLLCARET); }
    // Ctrl+Left or Ctrl+Right as the component moves: to the start of the word before or after the caret.
    void WordMove(bool right, bool extend) const {
        Call(right ? (extend ? SCI_WORDRIGHTEXTEND : SCI_WORDRIGHT) : (extend ? SCI_WORDLEFTEXTEND : SCI_WORDLEFT));
    }
    void HideSelection(bool hide) const { Call(SCI_HIDESELECTION, hide); }

    // ---- undo and clipboard
    void Undo() const { Call(SCI_UNDO); }
    void Redo() const { Call(SCI_REDO); }
    bool CanUndo() const { return Call(SCI_CANUNDO) != 0; }
    bool CanRedo() const { return Call(SCI_CANREDO) != 0; }
    void EmptyUndoBuffer() const { Call(SCI_EMPTYUNDOBUFFER); }
    void SetUndoCollection(bool collect) const { Call(SCI_SETUNDOCOLLECTION, collect); }
    void Cut() const { Call(SCI_CUT); }
    void Copy() const { Call(SCI_COPY); }
    void Paste() const { Call(SCI_PASTE); }
    void Clear() const { Call(SCI_CLEAR); }
    bool Modify() const { return Call(SCI_GETMODIFY) != 0; }
    void SetSavePoint() const { Call(SCI_SETSAVEPOINT); }

    // ---- state
    int Status() const { return static_cast<int>(Call(SCI_GETSTATUS)); }
    // Makes room for `bytes` of text at once, so a large append does not grow the buffer step by step.
    void Allocate(Position bytes) const { Call(SCI_ALLOCATE, static_cast<uptr_t>(bytes)); }
    void SetStatus(int status) const { Call(SCI_SETSTATUS, static_cast<uptr_t>(status)); }

    // ---- set-up
    void SetCodePage(int codePage) const { Call(SCI_SETCODEPAGE, static_cast<uptr_t>(codePage)); }
    void SetDocumentWithoutStyles() const {
        const sptr_t doc = Call(SCI_CREATEDOCUMENT, 0, SC_DOCUMENTOPTION_STYLES_NONE);
        Call(SCI_SETDOCPOINTER, 0, doc);
        Call(SCI_RELEASEDOCUMENT, 0, doc);  // the editor holds its own reference
    }
    // A document of its own for a text of about `bytes`, without styles, held by the caller (0 when it
    // could not be made); a view holds a reference of its own to the document it shows.
    sptr_t CreateDocument(Position bytes) const {
        return Call(SCI_CREATEDOCUMENT, static_cast<uptr_t>(bytes), SC_DOCUMENTOPTION_STYLES_NONE);
    }
    sptr_t DocPointer() const { return Call(SCI_GETDOCPOINTER); }
    // Shows the document (0: a new empty one) in place of the current one, which loses this view's reference.
    void SetDocPointer(sptr_t doc) const { Call(SCI_SETDOCPOINTER, 0, doc); }
    void ReleaseDocument(sptr_t doc) const { Call(SCI_RELEASEDOCUMENT, 0, doc); }
    void SetTechnologyGdi() const { Call(SCI_SETTECHNOLOGY, SC_TECHNOLOGY_DEFAULT); }
    void SetEolMode(int mode) const { Call(SCI_SETEOLMODE, static_cast<uptr_t>(mode)); }
    void SetPasteConvertEndings(bool convert) const { Call(SCI_SETPASTECONVERTENDINGS, convert); }
    void SetWrapMode(int mode) const { Call(SCI_SETWRAPMODE, static_cast<uptr_t>(mode)); }
    void SetTabWidth(int width) const { Call(SCI_SETTABWIDTH, static_cast<uptr_t>(width)); }
    void SetMarginWidth(int margin, int width) const { Call(SCI_SETMARGINWIDTHN, static_cast<uptr_t>(margin), width); }
    void SetHScrollBar(bool show) const { Call(SCI_SETHSCROLLBAR, show); }
    void SetVScrollBar(bool show) const { Call(SCI_SETVSCROLLBAR, show); }
    void SetScrollWidthTracking(bool track) const { Call(SCI_SETSCROLLWIDTHTRACKING, track); }
    void UsePopUp(int mode) const { Call(SCI_USEPOPUP, static_cast<uptr_t>(mode)); }
    void SetMultipleSelection(bool multiple) const { Call(SCI_SETMULTIPLESELECTION, multiple); }
    void SetMouseSelectionRectangularSwitch(bool on) const { Call(SCI_SETMOUSESELECTIONRECTANGULARSWITCH, on); }
    void SetCaretLineVisible(bool show) const { Call(SCI_SETCARETLINEVISIBLE, show); }
    void SetModEventMask(int mask) const { Call(SCI_SETMODEVENTMASK, static_cast<uptr_t>(mask)); }
    void ClearAllCmdKeys() const { Call(SCI_CLEARALLCMDKEYS); }
    void AssignCmdKey(int key, int modifiers, int command) const {
        Call(SCI_ASSIGNCMDKEY, static_cast<uptr_t>(key | (modifiers << 16)), command);
    }
    void SetLayoutCache(int mode) const { Call(SCI_SETLAYOUTCACHE, static_cast<uptr_t>(mode)); }

    // ---- looks
    void StyleSetFont(int style, const char* utf8Face) const {
        Call(SCI_STYLESETFONT, static_cast<uptr_t>(style), reinterpret_cast<sptr_t>(utf8Face));
    }
    void StyleSetSizeFractional(int style, int hundredthsOfPoint) const {
        Call(SCI_STYLESETSIZEFRACTIONAL, static_cast<uptr_t>(style), hundredthsOfPoint);
    }
    void StyleSetCharacterSet(int style, int set) const {
        Call(SCI_STYLESETCHARACTERSET, static_cast<uptr_t>(style), set);
    }
    void StyleSetFore(int style, COLORREF colour) const { Call(SCI_STYLESETFORE, static_cast<uptr_t>(style), colour); }
    void StyleSetBack(int style, COLORREF colour) const { Call(SCI_STYLESETBACK, static_cast<uptr_t>(style), colour); }
    void StyleClearAll() const { Call(SCI_STYLECLEARALL); }
    void SetSelFore(COLORREF colour) const { Call(SCI_SETSELFORE, 1, colour); }
    void SetSelBack(COLORREF colour) const { Call(SCI_SETSELBACK, 1, colour); }
    void SetCaretFore(COLORREF colour) const { Call(SCI_SETCARETFORE, colour); }

    // ---- undo steps: the changes between a begin and its end are undone and redone together (pairs nest)
    void BeginUndoAction() const { Call(SCI_BEGINUNDOACTION); }
    void EndUndoAction() const { Call(SCI_ENDUNDOACTION); }

private:
    sptr_t Call(unsigned int msg, uptr_t wp = 0, sptr_t lp = 0) const { return m_fn(m_ptr, msg, wp, lp); }

    SciFnDirect m_fn = nullptr;
    sptr_t m_ptr = 0;
};

}  // namespace tovel::sci
