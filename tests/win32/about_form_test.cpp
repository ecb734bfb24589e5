// The About box on its real window: the logo embedded in the program, its size as it collapses and
// expands, the clicks that close it, the hover on the maker's name, and a damaged logo.
#include "AboutBox/win32/about_form.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include "AboutBox/win32/jpeg_image.h"
#include "app/win32/application.h"
#include "tests/win32/test_window.h"

namespace tovel {
namespace {

struct Rgb {
    int r, g, b;
};

::testing::AssertionResult Near(COLORREF got, Rgb want, int tolerance) {
    const int r = GetRValue(got), g = GetGValue(got), b = GetBValue(got);
    if (std::abs(r - want.r) <= tolerance && std::abs(g - want.g) <= tolerance && std::abs(b - want.b) <= tolerance) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << "r" << r << " g" << g << " b" << b << ", expected r" << want.r << " g"
                                         << want.g << " b" << want.b;
}

COLORREF PixelOf(const JpegImage& image, int x, int y) {
    const std::uint8_t* p = image.Pixel(x, y);
    return RGB(p[2], p[1], p[0]);
}

// Flat areas of the drawing (AboutBox/make_logo.sh): the page, the stripe, the background's two ends.
constexpr Rgb kPage{255, 255, 255}, kStripe{0x2A, 0x7A, 0xB8}, kTop{0xF5, 0xF9, 0xFD}, kBottom{0xCF, 0xE0, 0xF2};

class AboutFormTest : public testing::Test {
protected:
    AboutFormTest() { test::PumpMessages(); }
    static SIZE OuterSize(const TAbout_Form& box) {
        RECT r{};
        GetWindowRect(box.Handle(), &r);
        return {r.right - r.left, r.bottom - r.top};
    }
    static void ClickAt(const TAbout_Form& box, int x, int y) {
        PostMessageA(box.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        PostMessageA(box.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(x, y));
        test::PumpMessages();
    }
    static COLORREF Shown(const TAbout_Form& box, int x, int y) {
        RedrawWindow(box.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        HDC dc = GetDC(box.Handle());
        const COLORREF c = GetPixel(dc, x, y);
        ReleaseDC(box.Handle(), dc);
        return c;
    }

    Application m_app{GetModuleHandleA(nullptr)};
};

TEST_F(AboutFormTest, OpensCollapsedExpandsForTheRestOfTheRunAndClosesByLogoOrOk) {
    TAbout_Form box(m_app);
    EXPECT_FALSE(IsWindowVisible(box.Handle())) << "created hidden";
    box.ShowModeless();
    test::PumpMessages();
    RECT r{};
    GetWindowRect(box.Handle(), &r);
    EXPECT_EQ(r.left, 315);
    EXPECT_EQ(r.top, 201);
    EXPECT_EQ(OuterSize(box).cx, 321);
    EXPECT_EQ(OuterSize(box).cy, 170);
    RECT client{};
    GetClientRect(box.Handle(), &client);
    EXPECT_EQ(client.bottom, 170) << "no frame and no caption";

    ClickAt(box, 270, 68);  // the maker's name and the product name take a click and do nothing
    ClickAt(box, 140, 24);
    EXPECT_TRUE(IsWindowVisible(box.Handle()));
    EXPECT_EQ(OuterSize(box).cy, 170);

    ClickAt(box, 296, 163);  // the triangle
    EXPECT_EQ(OuterSize(box).cy, 245);
    ClickAt(box, 10, 10);  // the logo
    EXPECT_FALSE(IsWindowVisible(box.Handle()));
    box.ShowModeless();
    test::PumpMessages();
    EXPECT_EQ(OuterSize(box).cy, 245) << "still expanded";
    EXPECT_TRUE(IsWindowVisible(box.Button1()));
    SendMessageA(box.Button1(), BM_CLICK, 0, 0);
    test::PumpMessages();
    EXPECT_FALSE(IsWindowVisible(box.Handle()));
    EXPECT_TRUE(IsWindow(box.Handle()));
}

TEST_F(AboutFormTest, DrawsTheEmbeddedLogoUnscaledWithTheTriangleOverIt) {
    TAbout_Form box(m_app);
    box.ShowModeless();
    test::PumpMessages();
    ASSERT_TRUE(box.HasLogo());
    const JpegImage logo = DecodeJpeg(EmbeddedLogo(GetModuleHandleA(nullptr)));
    ASSERT_EQ(logo.width, 359);
    ASSERT_EQ(logo.height, 219);
    EXPECT_TRUE(Near(PixelOf(logo, 45, 32), kPage, 12));
    EXPECT_TRUE(Near(PixelOf(logo, 200, 153), kStripe, 24));
    EXPECT_TRUE(Near(PixelOf(logo, 340, 2), kTop, 12));
    EXPECT_TRUE(Near(PixelOf(logo, 350, 217), kBottom, 12)) << "beyond what the box shows";
    for (const POINT p : {POINT{0, 0}, POINT{45, 32}, POINT{200, 153}, POINT{320, 169}}) {
        EXPECT_EQ(Shown(box, p.x, p.y), PixelOf(logo, p.x, p.y)) << p.x << "," << p.y;
    }
    // The triangle stands centred in its 49 x 41 place at (272, 144): red inside, and where its
    // picture is white the logo shows through.
    EXPECT_TRUE(Near(Shown(box, 295, 163), Rgb{0xE0, 0, 0}, 0));
    EXPECT_EQ(Shown(box, 290, 159), PixelOf(logo, 290, 159));
    EXPECT_EQ(Shown(box, 290, 168), PixelOf(logo, 290, 168));
    // Expanded, the logo ends with the picture's place: its last row is 176.
    box.Image1Click();
    EXPECT_EQ(Shown(box, 320, 176), PixelOf(logo, 320, 176));
    EXPECT_EQ(Shown(box, 320, 177), GetSysColor(COLOR_BTNFACE));
}

TEST_F(AboutFormTest, ADamagedLogoLeavesABoxWithoutOne) {
    const std::string_view good = EmbeddedLogo(GetModuleHandleA(nullptr));
    for (const std::string_view bytes :
         {std::string_view("not a picture"), good.substr(0, good.size() / 2), std::string_view()}) {
        TAbout_Form box(m_app, bytes);
        box.ShowModeless();
        test::PumpMessages();
        EXPECT_FALSE(box.HasLogo());
        EXPECT_EQ(Shown(box, 45, 32), GetSysColor(COLOR_BTNFACE));
        EXPECT_EQ(OuterSize(box).cy, 170);
        EXPECT_NE(box.UserName(), "");
        ShowWindow(box.Handle(), SW_HIDE);
    }
}

TEST_F(AboutFormTest, ShowsTheLoginNameAndTheSystemsRealVersion) {
    TAbout_Form box(m_app);
    char name[256] = {};
    DWORD size = sizeof name;
    ASSERT_TRUE(GetUserNameA(name, &size));
    EXPECT_EQ(box.UserName(), name);

    using RtlGetVersionProc = LONG(WINAPI*)(OSVERSIONINFOW*);
    const auto rtl = reinterpret_cast<RtlGetVersionProc>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "RtlGetVersion")));
    ASSERT_NE(rtl, nullptr);
    OSVERSIONINFOW real{sizeof real};
    ASSERT_EQ(rtl(&real), 0);
    char numbers[64];
    std::snprintf(numbers, sizeof numbers, "%lu.%lu.%lu  ", real.dwMajorVersion, real.dwMinorVersion,
                  real.dwBuildNumber);
    EXPECT_EQ(box.OSVersion().rfind(numbers, 0), 0u) << box.OSVersion();
    EXPECT_NE(box.OSName(), "Old Windows") << "the test system is a known one: " << box.OSName();
}

TEST_F(AboutFormTest, MakersNameTurnsRedWithAHandWhileTheMouseIsOverIt) {
    TAbout_Form box(m_app);
    box.ShowModeless();
    test::PumpMessages();
    const std::int32_t windowText = static_cast<std::int32_t>(0x80000008u);
    EXPECT_EQ(box.Label8Color(), windowText);
    auto move = [&](int x, int y) { SendMessageA(box.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(x, y)); };
    move(270, 68);
    EXPECT_EQ(box.Label8Color(), 255);
    EXPECT_EQ(box.Label8Cursor(), LoadCursor(nullptr, IDC_HAND));
    move(150, 100);
    EXPECT_EQ(box.Label8Color(), windowText);
    EXPECT_EQ(box.Label8Cursor(), LoadCursor(nullptr, IDC_ARROW));
    move(268, 70);
    SendMessageA(box.Handle(), WM_MOUSELEAVE, 0, 0);  // straight out of the box
    EXPECT_EQ(box.Label8Color(), windowText);
}

}  // namespace
}  // namespace tovel
