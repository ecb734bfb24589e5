// The caret keys on a big text that the component is still wrapping in the background.
//
// The component's own key moves first wrap every line from the first one its background wrapping has
// not reached to the end of the text, whenever the caret lands at or after that line: right after
// Ctrl+End on a text of a gigabyte, an arrow key would hold the window for a minute. The moves here
// reach the same place from the rows the window shows, which are always wrapped, or from a view that
// never wraps, and place the caret with the calls that never wrap more than the rows they show.
#include "platform/win32/scintilla_editor.h"

namespace tovel {
namespace {

// The timer the component runs on its own window while it has background work left, wrapping above all.
constexpr UINT_PTR kComponentIdleTimer = 2;
constexpr UINT kComponentIdleMs = 10;
// Below this the component wraps what is left in a blink, and its own moves are used.
constexpr sci::Position kOwnMovesFrom = 1 << 20;

}  // namespace

bool ScintillaEditor::WrappingPending() const {
    if (!m_hwnd || !m_wordWrap) return false;
    // A timer cannot be asked about, only ended: ended, it runs again at once as the component set it.
    if (!KillTimer(m_hwnd, kComponentIdleTimer)) return false;
    SetTimer(m_hwnd, kComponentIdleTimer, kComponentIdleMs, nullptr);
    return true;
}

bool ScintillaEditor::MoveWhileWrapping(WPARAM key, bool extend, bool word) {
    const bool handled = word ? key == VK_LEFT || key == VK_RIGHT
                              : key == VK_LEFT || key == VK_RIGHT || key == VK_UP || key == VK_DOWN || key == VK_HOME ||
                                    key == VK_END || key == VK_PRIOR || key == VK_NEXT;
    if (!handled || m_calls.Length() < kOwnMovesFrom || m_calls.Selections() > 1 || m_calls.SelectionIsRectangle() ||
        !WrappingPending()) {
        return false;
    }
    if (word) {
        const auto [wordAnchor, wordCaret] = WordMoved(key == VK_RIGHT, extend);
        if (wordAnchor == wordCaret) {
            m_calls.SetEmptySelection(wordCaret);
            m_calls.ScrollCaret();
        } else {
            m_calls.SetSel(wordAnchor, wordCaret);
        }
        m_rowMoveAt = -1;
        m_calls.ChooseCaretX();
        return true;
    }
    const sci::Position caret = m_calls.CurrentPos(), anchor = m_calls.Anchor();
    const sci::Position start = m_calls.SelectionStart(), end = m_calls.SelectionEnd();
    sci::Position target = caret;
    bool rows = false;
    switch (key) {
        case VK_LEFT:  // a selection is left at its start, as the component does
            target = !extend && start != end ? start : m_calls.PositionBefore(caret);
            break;
        case VK_RIGHT:
            target = !extend && start != end ? end : m_calls.PositionAfter(caret);
            break;
        case VK_HOME:
        case VK_END:
            target = RowEdge(caret, key == VK_HOME);
            break;
        default:
            target = RowsAway(caret, key == VK_UP || key == VK_PRIOR ? -1 : 1, key == VK_PRIOR || key == VK_NEXT);
            rows = true;
            break;
    }
    if (extend) {
        m_calls.SetSel(anchor, target);
    } else {
        m_calls.SetEmptySelection(target);
        m_calls.ScrollCaret();
    }
    if (rows) {
        m_rowMoveAt = target;
    } else {
        m_rowMoveAt = -1;
        m_calls.ChooseCaretX();  // the component's own row moves keep to the new column, as ours do
    }
    return true;
}

// Where a word ends is the component's to say, by its classes of characters in the text's code page, so
// its own move is made in a hidden view of the same document: a view that never wraps has no lines to
// wrap first. The view lets the document go again at once.
std::pair<sci::Position, sci::Position> ScintillaEditor::WordMoved(bool right, bool extend) {
    const sci::Calls& probe = HiddenView(m_wordView, m_wordCalls);
    probe.SetDocPointer(m_calls.DocPointer());
    probe.SetSel(m_calls.Anchor(), m_calls.CurrentPos());
    probe.WordMove(right, extend);
    const std::pair<sci::Position, sci::Position> moved{probe.Anchor(), probe.CurrentPos()};
    probe.SetDocPointer(0);
    return moved;
}

// The start or the end of the row the caret stands in: the end is before the row's last character
// where the line goes on in the next row, so that the caret stays in this one.
sci::Position ScintillaEditor::RowEdge(sci::Position caret, bool start) const {
    const int y = m_calls.PointYFromPosition(caret);
    if (start) return m_calls.PositionFromPoint(0, y);
    const sci::Position line = m_calls.LineFromPosition(caret);
    // The caret's line is on screen, so wrapped: its rows below the window are known too.
    const sci::Position next = m_calls.PositionFromPoint(0, y + m_calls.TextHeight(line));
    if (next > caret && m_calls.LineFromPosition(next) == line) return m_calls.PositionBefore(next);
    return m_calls.LineEndPosition(line);
}

// One row, or a page of rows, up (-1) or down (+1), keeping to the x of the first of a run of row moves.
// Where the rows it goes over are not shown, the window is scrolled to them first and painted, which wraps
// the rows it shows; then the place is read off the rows, all wrapped, between the caret and its target.
sci::Position ScintillaEditor::RowsAway(sci::Position caret, int direction, bool page) {
    const int x = caret == m_rowMoveAt ? m_rowMoveX : m_calls.PointXFromPosition(caret);
    m_rowMoveX = x;
    const int row = std::max(1, m_calls.TextHeight(m_calls.LineFromPosition(caret)));
    RECT client{};
    GetClientRect(m_hwnd, &client);
    const sci::Position top = m_calls.FirstVisibleLine();
    const int y = m_calls.PointYFromPosition(caret);
    if (page) {
        // The view moves a page less a row and the caret keeps its place in the window, as the component's
        // own page keys do.
        const sci::Position rows = std::max<sci::Position>(1, m_calls.LinesOnScreen() - 1);
        m_calls.SetFirstVisibleLine(std::max<sci::Position>(0, top + direction * rows));
        UpdateWindow(m_hwnd);
        // Painting may have wrapped rows above the caret: its first row is read again.
        const sci::Position oldTop = m_calls.FirstVisibleLine() + m_calls.PointYFromPosition(caret) / row - y / row;
        m_calls.SetFirstVisibleLine(std::max<sci::Position>(0, oldTop + direction * rows));
        UpdateWindow(m_hwnd);
        return m_calls.PositionFromPoint(x,
                                         m_calls.PointYFromPosition(caret) + static_cast<int>(direction * rows) * row);
    }
    if (direction < 0 && y < row && top == 0) return 0;  // up from the first row: to the start, as the component
    if (y + direction * row < 0 || y + (direction + 1) * row > client.bottom) {
        m_calls.LineScroll(direction);
        UpdateWindow(m_hwnd);
    }
    return m_calls.PositionFromPoint(x, m_calls.PointYFromPosition(caret) + direction * row);
}

}  // namespace tovel
