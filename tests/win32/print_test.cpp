// Printing on the real main window. With no printer at all the command says so; with the test script's
// PDF printer (a real spooler, started as root) a three-page Japanese document comes back from the PDF
// with its page count and its text, trail bytes of 0x5C included.
#include <windows.h>
#include <gtest/gtest.h>
#include <winspool.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "app/win32/tovel_unit.h"
#include "tests/win32/dialog_answerer.h"
#include "tests/win32/main_window_fixture.h"
#include "tests/win32/test_folder.h"

namespace tovel {
namespace {

using test::Act;
using test::DialogAnswerer;

bool HasDefaultPrinter() {
    char name[512] = {};
    DWORD size = sizeof name;
    return GetDefaultPrinterA(name, &size) != 0;
}

std::string Utf8ToAnsi(const char8_t* utf8) {
    const auto* text = reinterpret_cast<const char*>(utf8);
    const int wide = MultiByteToWideChar(CP_UTF8, 0, text, -1, nullptr, 0);
    std::wstring w(static_cast<std::size_t>(wide), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text, -1, w.data(), wide);
    const int bytes = WideCharToMultiByte(932, 0, w.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(bytes), '\0');
    WideCharToMultiByte(932, 0, w.c_str(), -1, out.data(), bytes, nullptr, nullptr);
    out.resize(out.size() - 1);
    return out;
}

// Starts a shell command line of the host system (Wine starts its programs directly). Its exit is not
// waited for: the caller watches for the files it writes.
void StartHost(const std::string& script) {
    std::string command = "/bin/sh -c \"" + script + "\"";
    STARTUPINFOA si{sizeof si};
    PROCESS_INFORMATION pi{};
    if (CreateProcessA("Z:\\bin\\sh", command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
    }
}

std::string ReadText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

struct Pdf {
    bool read = false;
    std::string info, text;  // pdfinfo's report and pdftotext's UTF-8 text
};

// The spooler writes the PDF when the job is through: waits for a readable one, then reads the newest
// back with the host's tools into the same folder (named as the host names it). A PDF read is renamed,
// so that the next job's reading never finds it.
Pdf ReadNewestPdf(const std::string& host) {
    std::string windows = "Z:" + host;
    for (char& c : windows) c = c == '/' ? '\\' : c;
    const std::string info = windows + "\\info.txt", body = windows + "\\text.txt";
    DeleteFileA(info.c_str());  // left by an earlier job
    const std::string script = "f=$(ls -t " + host +
                               "/*.pdf 2>/dev/null | head -n 1); test -f ${f:-none} && pdfinfo $f > " + host +
                               "/info.part && pdftotext -enc UTF-8 $f " + host + "/text.txt && mv $f $f.read && mv " +
                               host + "/info.part " + host + "/info.txt";
    Pdf pdf;
    for (int i = 0; i < 120 && !pdf.read; ++i) {
        if (i % 4 == 0) StartHost(script);
        Sleep(500);
        pdf.read = GetFileAttributesA(info.c_str()) != INVALID_FILE_ATTRIBUTES;
    }
    if (pdf.read) {
        pdf.info = ReadText(info);
        pdf.text = ReadText(body);
    }
    return pdf;
}

using PrintTest = test::MainWindowFixture;

TEST_F(PrintTest, WithoutAPrinterTheCommandSaysSo) {
    if (HasDefaultPrinter()) GTEST_SKIP() << "this system has a printer";
    form.Note().SetText("text");
    DialogAnswerer answer({{Act::Enter()}});
    form.RunCommand(cmdPrintP1);
    ASSERT_EQ(answer.Seen().size(), 1u);
    ASSERT_FALSE(answer.Seen()[0].statics.empty());
    EXPECT_EQ(answer.Seen()[0].statics.back(), "デフォルト プリンタが存在しません.");
    EXPECT_FALSE(form.Printer().Printing());
}

TEST_F(PrintTest, SpoolerCancelledPrintDialogPrintsNothing) {
    if (!HasDefaultPrinter()) GTEST_SKIP() << "no printer";
    form.Note().SetText("text");
    DialogAnswerer answer({{Act::Escape()}});
    form.RunCommand(cmdPrintP1);
    EXPECT_EQ(answer.Seen().size(), 1u) << "the print dialog only";
    EXPECT_FALSE(form.Printer().Printing());
}

TEST_F(PrintTest, SpoolerPrintDialogIsModalAndACloseMeanwhileWaits) {
    if (!HasDefaultPrinter()) GTEST_SKIP() << "no printer";
    ShowWindow(form.Handle(), SW_SHOW);
    form.Commands().FrontF1Click();  // always on top: the dialog must still show above the window
    form.Note().SetText("text");
    bool enabled = true, topmost = true;
    auto whileOpen = [&](HWND) {
        enabled = IsWindowEnabled(form.Handle());
        topmost = (GetWindowLongA(form.Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
        PostMessageA(form.Handle(), WM_CLOSE, 0, 0);
    };
    DialogAnswerer answer({{Act::Call(whileOpen), Act::Call([](HWND) {}), Act::Escape()}});
    form.RunCommand(cmdPrintP1);
    EXPECT_EQ(answer.Seen().size(), 1u) << "the print dialog only: the close asked nothing";
    EXPECT_FALSE(enabled);
    EXPECT_FALSE(topmost);
    ASSERT_TRUE(IsWindow(form.Handle()));
    EXPECT_TRUE(IsWindowEnabled(form.Handle()));
    EXPECT_NE(GetWindowLongA(form.Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
    EXPECT_EQ(form.Note().Text(), "text");
}

// Run by the test script with its PDF printer as the default printer and the PDF folder named.
TEST_F(PrintTest, SpoolerPrintsAThreePageJapaneseDocument) {
    const char* pdfFolder = std::getenv("TOVEL_PDF_DIR");  // as the host names it
    if (!pdfFolder || !*pdfFolder) GTEST_SKIP() << "TOVEL_PDF_DIR names no PDF printer's folder";
    ASSERT_TRUE(HasDefaultPrinter());
    // Form feeds start pages two and three; 表 and ソ end in the byte of "\".
    const char8_t* lines[] = {u8"一ページ目 表示ソース", u8"\f二ページ目 十能予", u8"\f三ページ目 C:\\表\\ソ"};
    std::string text;
    for (const char8_t* line : lines) text += Utf8ToAnsi(line) + "\r\n";
    form.Note().SetText(text);
    DialogAnswerer answer({{Act::Enter()}});
    form.RunCommand(cmdPrintP1);
    ASSERT_EQ(answer.Seen().size(), 1u) << "the print dialog, confirmed";
    EXPECT_FALSE(form.Printer().Printing());

    const Pdf pdf = ReadNewestPdf(pdfFolder);
    ASSERT_TRUE(pdf.read) << "no PDF came out in " << pdfFolder;
    const std::string info = pdf.info;
    EXPECT_NE(info.find("Pages:           3"), std::string::npos) << info;
    const std::string printed = pdf.text;
    for (const char8_t* line : lines) {
        std::string expected = reinterpret_cast<const char*>(line);
        if (expected[0] == '\f') expected.erase(0, 1);
        EXPECT_NE(printed.find(expected), std::string::npos) << expected << " in\n" << printed;
    }
}

// A UTF-8 document prints as its characters, those Shift-JIS lacks included, never as its bytes read as
// Shift-JIS; a lone CR breaks the line as CR LF does.
TEST_F(PrintTest, SpoolerPrintsAUtf8DocumentAsText) {
    const char* pdfFolder = std::getenv("TOVEL_PDF_DIR");
    if (!pdfFolder || !*pdfFolder) GTEST_SKIP() << "TOVEL_PDF_DIR names no PDF printer's folder";
    ASSERT_TRUE(HasDefaultPrinter());
    const char8_t* lines[] = {u8"UTF-8 の文書 café", u8"二行目 naïve"};
    form.Note().SetUtf8(true);
    form.Note().SetText(std::string(reinterpret_cast<const char*>(lines[0])) + "\r" +
                        reinterpret_cast<const char*>(lines[1]) + "\n");
    DialogAnswerer answer({{Act::Enter()}});
    form.RunCommand(cmdPrintP1);
    ASSERT_EQ(answer.Seen().size(), 1u) << "the print dialog, confirmed";
    const Pdf pdf = ReadNewestPdf(pdfFolder);
    ASSERT_TRUE(pdf.read) << "no PDF came out in " << pdfFolder;
    EXPECT_NE(pdf.info.find("Pages:           1"), std::string::npos) << pdf.info;
    for (const char8_t* line : lines) {
        const std::string expected = reinterpret_cast<const char*>(line);
        EXPECT_NE(pdf.text.find(expected + "\n"), std::string::npos) << expected << " in\n" << pdf.text;
    }
}

}  // namespace
}  // namespace tovel
