#include "app/win32/tool_band.h"

#include <vector>

#include "app/command_table.h"
#include "app/toolbar_art.h"
#include "app/win32/toolbar_images.h"
#include "platform/error.h"

namespace tovel {
namespace {

constexpr int kBandHeight = 41, kToolBarLeft = 9, kToolBarWidth = 512, kButtonWidth = 60, kButtonHeight = 35,
              kSeparatorWidth = 8;
constexpr char kHolderClass[] = "TovelCoolBar";

}  // namespace

ToolBand::ToolBand(HWND parent, HWND commandTarget, int dpi, HFONT captionFont)
    : m_dpi(dpi), m_height(Scale(kBandHeight)) {
    const HINSTANCE instance = WindowBase::InstanceOf(parent);
    RECT client;
    GetClientRect(parent, &client);
    Holder::RegisterClassOnce(instance, kHolderClass, WindowClassLook{nullptr, nullptr, 0});
    m_holder.Create(kHolderClass, nullptr, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, 0, 0, client.right, m_height,
                    parent, nullptr);
    HWND coolBar = m_holder.Handle();
    m_toolBar = CreateWindowExA(
        0, TOOLBARCLASSNAMEA, nullptr,
        WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_TRANSPARENT | CCS_NODIVIDER | CCS_NORESIZE | CCS_NOPARENTALIGN,
        Scale(kToolBarLeft), 0, Scale(kToolBarWidth), m_height, coolBar, nullptr, instance, nullptr);
    if (!coolBar || !m_toolBar) throw Error("ツールバーを作成できません");
    SendMessageA(m_toolBar, TB_SETPARENT, reinterpret_cast<WPARAM>(commandTarget), 0);
    SendMessageA(m_toolBar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);

    std::vector<TBBUTTON> buttons;
    for (const ToolButton& b : ToolBar1Buttons()) {
        TBBUTTON button{};
        if (b.caption) {
            button.iBitmap = b.image;
            button.idCommand = b.command;
            button.fsState = TBSTATE_ENABLED;
            button.fsStyle = BTNS_BUTTON;
            button.iString = reinterpret_cast<INT_PTR>(b.caption);
        } else {
            button.iBitmap = Scale(kSeparatorWidth);
            button.fsStyle = BTNS_SEP;
        }
        buttons.push_back(button);
    }
    SendMessageA(m_toolBar, TB_ADDBUTTONSA, buttons.size(), reinterpret_cast<LPARAM>(buttons.data()));
    ApplyDpi(captionFont);
}

void ToolBand::SetDpi(int dpi, HFONT captionFont) {
    if (dpi <= 0) return;
    m_dpi = dpi;
    m_height = Scale(kBandHeight);
    ApplyDpi(captionFont);
    RECT band;
    GetClientRect(CoolBar(), &band);
    MoveWindow(CoolBar(), 0, 0, band.right, m_height, TRUE);
    MoveWindow(m_toolBar, Scale(kToolBarLeft), 0, Scale(kToolBarWidth), m_height, TRUE);
}

void ToolBand::ApplyDpi(HFONT captionFont) {
    SendMessageA(m_toolBar, WM_SETFONT, reinterpret_cast<WPARAM>(captionFont), FALSE);
    // The toolbar lets go of the old list before it is destroyed.
    m_imageSize = ToolImageSizeFor(m_dpi);
    ScopedImageList images = CreateToolImages(m_imageSize);
    SendMessageA(m_toolBar, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images.Get()));
    m_images = std::move(images);
    SendMessageA(m_toolBar, TB_SETBITMAPSIZE, 0, MAKELONG(m_imageSize, m_imageSize));
    const int count = static_cast<int>(SendMessageA(m_toolBar, TB_BUTTONCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        TBBUTTONINFOA separator{sizeof separator};
        separator.dwMask = TBIF_BYINDEX | TBIF_STYLE;
        if (SendMessageA(m_toolBar, TB_GETBUTTONINFOA, i, reinterpret_cast<LPARAM>(&separator)) < 0 ||
            !(separator.fsStyle & BTNS_SEP))
            continue;
        separator.dwMask = TBIF_BYINDEX | TBIF_SIZE;
        separator.cx = static_cast<WORD>(Scale(kSeparatorWidth));
        SendMessageA(m_toolBar, TB_SETBUTTONINFOA, i, reinterpret_cast<LPARAM>(&separator));
    }
    SendMessageA(m_toolBar, TB_SETBUTTONWIDTH, 0, MAKELONG(Scale(kButtonWidth), Scale(kButtonWidth)));
    SendMessageA(m_toolBar, TB_SETBUTTONSIZE, 0, MAKELONG(Scale(kButtonWidth), Scale(kButtonHeight)));
    SendMessageA(m_toolBar, TB_AUTOSIZE, 0, 0);
    InvalidateRect(m_toolBar, nullptr, TRUE);
}

ToolBand::~ToolBand() = default;

void ToolBand::SetBackground(HBITMAP picture) {
    m_picture = picture;
    InvalidateRect(CoolBar(), nullptr, TRUE);
    InvalidateRect(m_toolBar, nullptr, TRUE);
}

void ToolBand::PaintBackground(HDC dc) {
    RECT area;
    GetClientRect(CoolBar(), &area);
    BITMAP info{};
    if (!m_picture || !GetObjectA(m_picture, sizeof info, &info) || info.bmWidth <= 0 || info.bmHeight <= 0) {
        FillRect(dc, &area, GetSysColorBrush(COLOR_BTNFACE));
        return;
    }
    ScopedMemoryDC memory(dc);
    ScopedSelect picture(memory.Get(), m_picture);
    for (int y = 0; y < area.bottom; y += info.bmHeight) {
        for (int x = 0; x < area.right; x += info.bmWidth)
            BitBlt(dc, x, y, info.bmWidth, info.bmHeight, memory.Get(), 0, 0, SRCCOPY);
    }
}

LRESULT ToolBand::OnHolderMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_ERASEBKGND:
            // Also asked by the transparent toolbar, with its DC moved to this window's coordinates.
            PaintBackground(reinterpret_cast<HDC>(wp));
            return 1;
        case WM_COMMAND:
        case WM_NOTIFY:
        case WM_CONTEXTMENU:
            // The toolbar's messages belong to the main window.
            return SendMessageA(GetParent(CoolBar()), msg, wp, lp);
    }
    return m_holder.DefaultMessage(msg, wp, lp);
}

void ToolBand::SetWidth(int width) { MoveWindow(CoolBar(), 0, 0, width, m_height, TRUE); }

}  // namespace tovel
