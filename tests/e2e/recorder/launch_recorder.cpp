// Stands in for the programs the shell starts for a document (the browser, a text viewer) in the
// end-to-end tests. Started as
//     tovel_launch_recorder.exe LOG DOCUMENT
// it appends the document's path and a line break to LOG, so a test sees exactly what the shell was
// asked to open.
#include <windows.h>

#include <cstdlib>
#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    if (__argc < 3) return 2;
    HANDLE log = CreateFileA(__argv[1], FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
    if (log == INVALID_HANDLE_VALUE) return 1;
    const std::string line = std::string(__argv[2]) + "\n";
    DWORD written = 0;
    const BOOL ok = WriteFile(log, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    CloseHandle(log);
    return ok && written == line.size() ? 0 : 1;
}
