#include "AboutBox/win32/system_info.h"

#include <windows.h>

#include <cstring>

namespace tovel {
namespace {

// ntdll's own version query: not capped by the compatibility layer, so newer systems give their numbers.
std::optional<RealVersion> ReadRealVersion() {
    using RtlGetVersionProc = LONG(WINAPI*)(OSVERSIONINFOW*);
    HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    if (!ntdll) return std::nullopt;
    const auto proc =
        reinterpret_cast<RtlGetVersionProc>(reinterpret_cast<void*>(GetProcAddress(ntdll, "RtlGetVersion")));
    if (!proc) return std::nullopt;
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof info;
    if (proc(&info) != 0) return std::nullopt;  // not STATUS_SUCCESS
    return RealVersion{info.dwMajorVersion, info.dwMinorVersion, info.dwBuildNumber};
}

}  // namespace

OsVersionRecord ReadOsVersion() {
    OSVERSIONINFOA info;
    std::memset(&info, 0, sizeof info);
    info.dwOSVersionInfoSize = sizeof info;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    GetVersionExA(&info);  // after a failure the record stays zero
#pragma GCC diagnostic pop
    OsVersionRecord record{info.dwMajorVersion, info.dwMinorVersion, info.dwBuildNumber,
                           ServicePackText(info.szCSDVersion, sizeof info.szCSDVersion)};
    return WithRealNumbers(record, ReadRealVersion());
}

std::string ReadLoginName() {
    return LoginName([](char* buffer, std::uint32_t& size) {
        DWORD n = size;
        if (GetUserNameA(buffer, &n)) return NameAnswer::Ok;
        if (GetLastError() != ERROR_INSUFFICIENT_BUFFER) return NameAnswer::Failed;
        size = n;
        return NameAnswer::TooSmall;
    });
}

}  // namespace tovel
