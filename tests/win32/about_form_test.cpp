// The About box on its real window: the logo embedded in the program, its size as it collapses and
// expands, the clicks that close it, the hover on the maker's name, and a damaged logo.
#include "AboutBox/win32/about_form.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

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

    // Sends the resolution change the system sends: the new resolution twice, the suggested rectangle.
    static void ChangeDpi(HWND window, int dpi, RECT suggested) {
        SendMessageA(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
    }

    Application m_app{GetModuleHandleA(nullptr)};
    test::TestParentWindow m_owner{"owner", 640, 480};
};

TEST_F(AboutFormTest, OpensCollapsedExpandsForTheRestOfTheRunAndClosesByLogoOrOk) {
    TAbout_Form box(m_app, m_owner.Handle());
    EXPECT_FALSE(IsWindowVisible(box.Handle())) << "created hidden";
    box.ShowModeless();
    test::PumpMessages();
    RECT r{};
    GetWindowRect(box.Handle(), &r);
    EXPECT_EQ(r.left, (640 - 321) / 2) << "centred on its owner";
    EXPECT_EQ(r.top, (480 - 170) / 2);
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
    TAbout_Form box(m_app, m_owner.Handle());
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
        TAbout_Form box(m_app, m_owner.Handle(), bytes);
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
    TAbout_Form box(m_app, m_owner.Handle());
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
    TAbout_Form box(m_app, m_owner.Handle());
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

TEST_F(AboutFormTest, EscAndEnterTypedInTheBoxCloseItAndNoOtherKeyOrWindowDoes) {
    TAbout_Form box(m_app, m_owner.Handle());
    struct Case {
        HWND target;
        WPARAM key;
        bool closes;
    };
    for (const Case c : {Case{box.Handle(), VK_ESCAPE, true}, Case{box.Handle(), VK_RETURN, true},
                         Case{box.Button1(), VK_ESCAPE, true}, Case{box.Button1(), VK_RETURN, true},
                         Case{box.Handle(), VK_SPACE, false}, Case{box.Handle(), 'A', false},
                         Case{m_owner.Handle(), VK_ESCAPE, false}, Case{m_owner.Handle(), VK_RETURN, false}}) {
        box.ShowModeless();
        test::PumpMessages();
        MSG msg{c.target, WM_KEYDOWN, c.key, 0};
        EXPECT_EQ(box.PreviewMessage(msg), c.closes) << c.key;
        EXPECT_NE(IsWindowVisible(box.Handle()), c.closes) << c.key;
        MSG up{c.target, WM_KEYUP, c.key, 0};
        EXPECT_FALSE(box.PreviewMessage(up)) << "only the press acts";
    }
}

TEST_F(AboutFormTest, OpensCentredOnItsOwnerAtEachDisplayAndStaysPutWhileShown) {
    TAbout_Form box(m_app, m_owner.Handle());
    EXPECT_EQ(GetWindow(box.Handle(), GW_OWNER), m_owner.Handle());
    auto place = [&] {
        RECT r{};
        GetWindowRect(box.Handle(), &r);
        return POINT{r.left, r.top};
    };
    SetWindowPos(m_owner.Handle(), nullptr, 200, 100, 500, 400, SWP_NOZORDER | SWP_NOACTIVATE);
    box.ShowModeless();
    EXPECT_EQ(place().x, 200 + (500 - 321) / 2);
    EXPECT_EQ(place().y, 100 + (400 - 170) / 2);
    SetWindowPos(m_owner.Handle(), nullptr, 20, 30, 500, 400, SWP_NOZORDER | SWP_NOACTIVATE);
    box.ShowModeless();  // already shown: brought to the front where it stands
    EXPECT_EQ(place().x, 200 + (500 - 321) / 2);
    box.Button1Click();
    box.ShowModeless();
    EXPECT_EQ(place().x, 20 + (500 - 321) / 2) << "placed again at the next display";
    EXPECT_EQ(place().y, 30 + (400 - 170) / 2);
    box.Button1Click();
}

TEST_F(AboutFormTest, AtAHigherResolutionTheLogoFillsTheBoxClearOfTheVersion) {
    TAbout_Form box(m_app, m_owner.Handle());
    box.ShowModeless();
    test::PumpMessages();
    ChangeDpi(box.Handle(), 144, RECT{100, 80, 100 + 482, 80 + 255});
    test::PumpMessages();
    EXPECT_EQ(box.Dpi(), 144);
    RECT client{}, window{};
    GetClientRect(box.Handle(), &client);
    GetWindowRect(box.Handle(), &window);
    EXPECT_EQ((std::vector<LONG>{window.left, window.top, client.right, client.bottom}),
              (std::vector<LONG>{100, 80, 482, 255}))
        << "the suggested rectangle";

    const RECT logo = box.LogoBounds(), mark = box.Bounds(AboutItem::Mark);
    EXPECT_TRUE(EqualRect(&logo, &mark)) << logo.right << "x" << logo.bottom;
    EXPECT_EQ(mark.right, 482);
    EXPECT_EQ(mark.bottom, 266);
    RECT overlap{};
    const RECT stripe = box.LogoStripeBounds(), version = box.Bounds(AboutItem::Label3);
    EXPECT_FALSE(IntersectRect(&overlap, &stripe, &version))
        << "stripe at " << stripe.top << ", version at " << version.top << "-" << version.bottom;

    // What shows: the logo right to the box's corner, its stripe below the version, the triangle scaled
    // with its place. At the old size the logo stopped short of the corner and its stripe crossed the text.
    const JpegImage picture = DecodeJpeg(EmbeddedLogo(GetModuleHandleA(nullptr)));
    EXPECT_TRUE(Near(
        Shown(box, 400, 250),
        [&] {
            const COLORREF c = PixelOf(picture, 400 * 321 / 482, 250 * 177 / 266);
            return Rgb{GetRValue(c), GetGValue(c), GetBValue(c)};
        }(),
        12));
    EXPECT_TRUE(Near(Shown(box, 300, (stripe.top + stripe.bottom) / 2), kStripe, 24));
    EXPECT_FALSE(Near(Shown(box, 300, 155), kStripe, 40)) << "no stripe through the version's line";
    RECT button{};
    GetClientRect(box.Button1(), &button);
    EXPECT_EQ(button.right, 113);
    EXPECT_EQ(button.bottom, 38);

    EXPECT_TRUE(Near(Shown(box, 445, 247), Rgb{0xE0, 0, 0}, 0)) << "the triangle, scaled";
    ClickAt(box, 445, 247);  // the triangle's place, scaled
    EXPECT_EQ(OuterSize(box).cy, 368) << "expanded at the new resolution";
    ShowWindow(box.Handle(), SW_HIDE);
}

}  // namespace
}  // namespace tovel
