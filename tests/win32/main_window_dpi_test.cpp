// The main window moved to a monitor of another resolution: the band, its pictures and the editor's
// area follow.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include "app/win32/tool_band.h"
#include "gutter/win32/line_gutter.h"
#include "tests/win32/main_window_fixture.h"

namespace tovel {
namespace {

#ifndef WM_DPICHANGED
constexpr UINT WM_DPICHANGED = 0x02E0;
#endif

RECT ChildRect(HWND parent, HWND child) {
    RECT r;
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

using MainWindowDpiTest = test::MainWindowFixture;

TEST_F(MainWindowDpiTest, TheBandItsPicturesAndTheEditorsAreaFollowTheResolution) {
    struct Case {
        int dpi, imageSize;
    };
    for (const Case c : {Case{144, 24}, Case{192, 32}, Case{96, 16}}) {
        RECT suggested;
        GetWindowRect(form.Handle(), &suggested);
        suggested.right = suggested.left + MulDiv(400, c.dpi, 96);
        suggested.bottom = suggested.top + MulDiv(300, c.dpi, 96);
        SendMessageA(form.Handle(), WM_DPICHANGED, MAKEWPARAM(c.dpi, c.dpi), reinterpret_cast<LPARAM>(&suggested));

        RECT window;
        GetWindowRect(form.Handle(), &window);
        EXPECT_EQ(window.right - window.left, suggested.right - suggested.left) << c.dpi << ": the suggested size";
        EXPECT_EQ(form.Band().Height(), MulDiv(41, c.dpi, 96)) << c.dpi;
        EXPECT_EQ(ChildRect(form.Handle(), form.Band().CoolBar()).bottom, form.Band().Height()) << c.dpi;
        EXPECT_EQ(form.Band().ImageSize(), c.imageSize) << c.dpi;
        int width = 0, height = 0;
        const auto images = reinterpret_cast<HIMAGELIST>(SendMessageA(form.Band().ToolBar(), TB_GETIMAGELIST, 0, 0));
        ASSERT_TRUE(ImageList_GetIconSize(images, &width, &height)) << c.dpi;
        EXPECT_EQ(width, c.imageSize) << c.dpi;
        EXPECT_EQ(ImageList_GetImageCount(images), 8) << c.dpi;
        const LRESULT button = SendMessageA(form.Band().ToolBar(), TB_GETBUTTONSIZE, 0, 0);
        EXPECT_EQ(HIWORD(button), MulDiv(35, c.dpi, 96)) << c.dpi << ": the buttons grow with their pictures";

        // The gutter and the editor fill what lies between the band and the status bar, side by side.
        RECT client;
        GetClientRect(form.Handle(), &client);
        const RECT note = ChildRect(form.Handle(), form.Note().Handle());
        const RECT status = ChildRect(form.Handle(), form.Status().Handle());
        EXPECT_EQ(note.top, form.Band().Height()) << c.dpi;
        EXPECT_EQ(note.right, client.right) << c.dpi;
        EXPECT_EQ(note.bottom, status.top) << c.dpi;
        EXPECT_EQ(status.bottom, client.bottom) << c.dpi;
        EXPECT_EQ(note.left, MulDiv(LineGutter::kDesignWidth, c.dpi, 96)) << c.dpi;
        const RECT gutter = ChildRect(form.Handle(), form.Gutter().Panel());
        EXPECT_EQ(gutter.left, 0) << c.dpi;
        EXPECT_EQ(gutter.right, note.left) << c.dpi;
        EXPECT_EQ(gutter.top, note.top) << c.dpi;
        EXPECT_EQ(gutter.bottom, note.bottom) << c.dpi;
    }
}

}  // namespace
}  // namespace tovel
