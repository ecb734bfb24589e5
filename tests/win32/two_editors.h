#pragma once
// Two editors side by side in one window, with a clipboard owned by that window: the second editor stands
// for another instance of the program.
#include <windows.h>
#include <gtest/gtest.h>

#include <memory>

#include "platform/win32/scintilla_editor.h"
#include "platform/win32/win32_clipboard.h"
#include "tests/win32/test_window.h"

namespace tovel::test {

class TwoEditorsTest : public testing::Test {
protected:
    // `utf8`: both editors hold UTF-8 rather than Shift-JIS bytes.
    explicit TwoEditorsTest(bool utf8 = false) : m_utf8(utf8) {}
    void SetUp() override {
        ASSERT_NE(m_window.Handle(), nullptr);
        first = std::make_unique<ScintillaEditor>(m_window.Handle(), 100, RECT{0, 0, 300, 300});
        second = std::make_unique<ScintillaEditor>(m_window.Handle(), 101, RECT{300, 0, 600, 300});
        first->SetUtf8(m_utf8);
        second->SetUtf8(m_utf8);
        PumpMessages();
    }
    void TearDown() override {
        first.reset();
        second.reset();
        m_window.Destroy();
        PumpMessages();
    }

    bool m_utf8;
    TestParentWindow m_window{"clipboard test", 700, 400};
    std::unique_ptr<ScintillaEditor> first, second;
    Win32Clipboard clipboard{m_window.Handle()};  // owned by a window, as Windows wants for writing
};

}  // namespace tovel::test
