#include "app/tool_band.h"

#include <vector>

#include "app/command_table.h"
#include "app/toolbar_images.h"
#include "platform/error.h"

namespace tovel {
namespace {

constexpr int kBandHeight = 41, kToolBarWidth = 512, kButtonWidth = 60, kButtonHeight = 35, kSeparatorWidth = 8;

}  // namespace

ToolBand::ToolBand(HWND parent, HWND commandTarget, int dpi, HFONT captionFont) : m_dpi(dpi), m_height(Scale(kBandHeight)) {
    const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(parent, GWLP_HINSTANCE));
    RECT client;
    GetClientRect(parent, &client);
    m_coolBar = CreateWindowExA(WS_EX_TOOLWINDOW, REBARCLASSNAMEA, nullptr,
                                WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | RBS_BANDBORDERS |
                                    CCS_NODIVIDER | CCS_NOPARENTALIGN | CCS_NORESIZE,
                                0, 0, client.right, m_height, parent, nullptr, instance, nullptr);
    m_toolBar = CreateWindowExA(0, TOOLBARCLASSNAMEA, nullptr,
                                WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_TRANSPARENT | CCS_NODIVIDER |
                                    CCS_NORESIZE | CCS_NOPARENTALIGN,
                                0, 0, Scale(kToolBarWidth), m_height, m_coolBar, nullptr, instance, nullptr);
    if (!m_coolBar || !m_toolBar) throw Error("ツールバーを作成できません");
    SendMessageA(m_toolBar, TB_SETPARENT, reinterpret_cast<WPARAM>(commandTarget), 0);
    SendMessageA(m_toolBar, WM_SETFONT, reinterpret_cast<WPARAM>(captionFont), FALSE);
    SendMessageA(m_toolBar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    m_images = CreateToolImages();
    SendMessageA(m_toolBar, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(m_images));
    SendMessageA(m_toolBar, TB_SETBITMAPSIZE, 0, MAKELONG(kToolImageSize, kToolImageSize));

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
    SendMessageA(m_toolBar, TB_SETBUTTONWIDTH, 0, MAKELONG(Scale(kButtonWidth), Scale(kButtonWidth)));
    SendMessageA(m_toolBar, TB_SETBUTTONSIZE, 0, MAKELONG(Scale(kButtonWidth), Scale(kButtonHeight)));
    SendMessageA(m_toolBar, TB_AUTOSIZE, 0, 0);

    REBARBANDINFOA band{};
    band.cbSize = sizeof band;
    band.fMask = RBBIM_CHILD | RBBIM_CHILDSIZE | RBBIM_SIZE | RBBIM_STYLE;
    band.fStyle = RBBS_CHILDEDGE | RBBS_NOGRIPPER;
    band.hwndChild = m_toolBar;
    band.cxMinChild = Scale(kToolBarWidth);
    band.cyMinChild = m_height;
    band.cx = client.right;
    SendMessageA(m_coolBar, RB_INSERTBANDA, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&band));
}

ToolBand::~ToolBand() {
    if (m_images) ImageList_Destroy(m_images);
}

void ToolBand::SetBackground(HBITMAP picture) {
    REBARBANDINFOA band{};
    band.cbSize = sizeof band;
    band.fMask = RBBIM_BACKGROUND;
    band.hbmBack = picture;
    SendMessageA(m_coolBar, RB_SETBANDINFOA, 0, reinterpret_cast<LPARAM>(&band));
    InvalidateRect(m_coolBar, nullptr, TRUE);
    InvalidateRect(m_toolBar, nullptr, TRUE);
}

void ToolBand::SetWidth(int width) { MoveWindow(m_coolBar, 0, 0, width, m_height, TRUE); }

}  // namespace tovel
