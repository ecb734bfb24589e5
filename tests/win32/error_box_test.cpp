// The error box: a real MessageBoxA answered by real keys.
#include <gtest/gtest.h>

#include "app/win32/application.h"
#include "platform/error.h"
#include "platform/win32/scoped_win.h"
#include "tests/win32/dialog_answerer.h"

namespace tovel {
namespace {

using test::Act;
using test::DialogAnswerer;

constexpr char kTitle[] = "a.txt - tovel editor";

int g_cancelModes = 0;

LRESULT CALLBACK CountingProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_CANCELMODE) ++g_cancelModes;
    return DefWindowProcA(hwnd, msg, wp, lp);
}

// A child window that counts the WM_CANCELMODE it receives. (Disabling a window also sends it one, so
// the capture is held by a child, which the other windows' disabling leaves alone.)
HWND CreateCountingChild(HWND parent) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = CountingProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "TovelTestCancelMode";
    RegisterClassA(&wc);
    return CreateWindowExA(0, wc.lpszClassName, "", WS_CHILD | WS_VISIBLE, 0, 0, 50, 50, parent, nullptr, wc.hInstance,
                           nullptr);
}

class ErrorBoxTest : public testing::Test {
protected:
    ErrorBoxTest() : app(GetModuleHandleA(nullptr)) { app.SetTitle(kTitle); }
    Application app;
};

TEST_F(ErrorBoxTest, ShowsTheMessageWithAFinalPeriodUnderTheTitle) {
    DialogAnswerer answer({{Act::Enter()}, {Act::Escape()}, {Act::Close()}});
    app.ShowError("ファイル x.txt は開けません");
    app.ShowError("done.");
    app.ShowError("'' は整数ではありません");
    ASSERT_EQ(answer.Seen().size(), 3u);
    EXPECT_TRUE(answer.Done());
    const auto& first = answer.Seen()[0];
    EXPECT_EQ(first.caption, kTitle);
    EXPECT_EQ(first.statics, std::vector<std::string>{"ファイル x.txt は開けません."});
    EXPECT_EQ(first.buttons, std::vector<std::string>{"OK"});
    ASSERT_EQ(first.icons.size(), 1u);
    EXPECT_EQ(first.icons[0], LoadIconA(nullptr, IDI_ERROR));
    EXPECT_EQ(answer.Seen()[1].statics, std::vector<std::string>{"done."});
    EXPECT_EQ(answer.Seen()[2].statics, std::vector<std::string>{"'' は整数ではありません."});
}

TEST_F(ErrorBoxTest, CancelsTheMouseCaptureAndDisablesTheOtherWindows) {
    ScopedWindow other(CreateWindowExA(0, "STATIC", "other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 20, 20, 200, 100,
                                       nullptr, nullptr, GetModuleHandleA(nullptr), nullptr));
    HWND capturing = CreateCountingChild(other.Get());
    SetCapture(capturing);
    ASSERT_EQ(GetCapture(), capturing);
    g_cancelModes = 0;
    DialogAnswerer answer({{Act::Call([&](HWND box) {
                                EXPECT_EQ(g_cancelModes, 1);
                                EXPECT_FALSE(IsWindowEnabled(other.Get()));
                                EXPECT_EQ(GetWindow(box, GW_OWNER), app.Handle());
                            }),
                            Act::Enter()}});
    app.ShowError("ストリームへの書き込みエラー");
    EXPECT_TRUE(answer.Done());
    EXPECT_TRUE(IsWindowEnabled(other.Get()));
    ReleaseCapture();
}

TEST_F(ErrorBoxTest, AnEscapingErrorIsReportedInTheBox) {
    DialogAnswerer answer({{Act::Enter()}, {Act::Enter()}});
    try {
        throw Error("クリップボードを開くことができません");
    } catch (...) {
        app.ReportCurrentException();
    }
    try {
        throw std::bad_alloc();
    } catch (...) {
        app.ReportCurrentException();
    }
    ASSERT_EQ(answer.Seen().size(), 2u);
    EXPECT_EQ(answer.Seen()[0].statics, std::vector<std::string>{"クリップボードを開くことができません."});
    EXPECT_EQ(answer.Seen()[1].statics, std::vector<std::string>{"メモリが足りません."});
}

}  // namespace
}  // namespace tovel
