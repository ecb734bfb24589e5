#include "platform/win32/win32_file_dialogs.h"

#include <commdlg.h>

#include <string_view>

namespace tovel {
namespace {

// Filters as "label\0pattern\0...\0\0"; sizeof keeps the embedded NULs.
constexpr char kOpenFilter[] =
    "全ての対応ファイル\0*.txt;*.tov;*.htm;*.html;*.vbs;*.pas;*.bat\0"
    "テキスト ドキュメント(*.txt)\0*.txt\0"
    "tovelドキュメント(*.tov)\0*.tov\0"
    "HTMLドキュメント(*.htm)\0*.htm\0"
    "HTMLドキュメント(*.html)\0*.html\0"
    "VBScript(*.vbs)\0*.vbs\0"
    "Pascalソースファイル(*.pas)\0*.pas\0"
    "MS-DOSバッチファイル(*.bat)\0*.bat\0"
    "全てのファイル(*.*)\0*.*\0";
constexpr char kSaveFilter[] =
    "テキスト ドキュメント(*.txt)\0*.txt\0"
    "tovel一時ファイル(*.tov)\0*.tov\0"
    "HTMLドキュメント(*.htm)\0*.htm\0"
    "HTMLドキュメント(*.html)\0*.html\0"
    "VBScript(*.vbs)\0*.vbs\0"
    "Pascal ソースファイル(*.pas)\0*.pas\0"
    "MS-DOS バッチファイル(*.bat)\0*.bat\0"
    "全てのファイル(*.*)\0*.*\0";

#ifndef OFN_DONTADDTORECENT
#define OFN_DONTADDTORECENT 0x02000000
#endif

}  // namespace

std::optional<std::string> ChooseFile(HWND owner, const FileDialogRequest& request, FileChoice& memory) {
    char file[MAX_PATH * 4] = {};
    memory.fileName.copy(file, sizeof file - 1);
    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = request.filter;
    ofn.nFilterIndex = memory.filterIndex;
    ofn.lpstrFile = file;
    ofn.nMaxFile = sizeof file;
    ofn.lpstrTitle = request.title;
    ofn.lpstrDefExt = request.defaultExtension;
    ofn.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_ENABLESIZING | OFN_DONTADDTORECENT | request.flags;
    const BOOL chosen = request.save ? GetSaveFileNameA(&ofn) : GetOpenFileNameA(&ofn);
    memory.filterIndex = ofn.nFilterIndex;
    if (!chosen) return std::nullopt;
    memory.fileName = file;
    return memory.fileName;
}

std::optional<std::string> Win32FileDialogs::ChooseFileToOpen() {
    const FileDialogRequest request{false, kOpenFilter, "開くファイルの選択", nullptr,
                                    OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST};
    return RunModal([&](HWND owner) { return ChooseFile(owner, request, m_open); });
}

std::optional<std::string> Win32FileDialogs::ChooseFileToSave(const std::string& proposed) {
    const FileDialogRequest request{true, kSaveFilter, "ファイルの保存場所の指定", "txt", OFN_OVERWRITEPROMPT};
    if (!proposed.empty()) m_save.fileName = proposed;
    return RunModal([&](HWND owner) { return ChooseFile(owner, request, m_save); });
}

}  // namespace tovel
