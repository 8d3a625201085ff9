#include "process_resources.h"

#include <windows.h>

#include <psapi.h>

#include <vector>

namespace {

constexpr ULONG kSystemHandleInformation = 16;
constexpr LONG kInfoLengthMismatch = static_cast<LONG>(0xC0000004);

struct HandleEntry {
    ULONG ownerProcessId;
    BYTE objectType;
    BYTE flags;
    USHORT value;
    void* object;
    ULONG access;
};

struct HandleList {
    ULONG count;
    HandleEntry entries[1];
};

using QuerySystemInformation = LONG(WINAPI*)(ULONG, void*, ULONG, ULONG*);

BOOL CALLBACK countChild(HWND, LPARAM count) {
    ++*reinterpret_cast<std::size_t*>(count);
    return TRUE;
}

BOOL CALLBACK countWindowAndChildren(HWND window, LPARAM count) {
    ++*reinterpret_cast<std::size_t*>(count);
    EnumChildWindows(window, countChild, count);
    return TRUE;
}

} // namespace

std::size_t processHandleCount() {
    auto query = reinterpret_cast<QuerySystemInformation>(reinterpret_cast<void (*)()>(
        GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQuerySystemInformation")));
    std::vector<unsigned char> buffer(1 << 16);
    LONG status = 0;
    while ((status = query(kSystemHandleInformation, buffer.data(),
                           static_cast<ULONG>(buffer.size()), nullptr)) == kInfoLengthMismatch) {
        buffer.resize(buffer.size() * 2);
    }
    if (status < 0) {
        return 0;
    }
    const auto* list = reinterpret_cast<const HandleList*>(buffer.data());
    DWORD self = GetCurrentProcessId();
    std::size_t count = 0;
    for (ULONG i = 0; i < list->count; ++i) {
        count += list->entries[i].ownerProcessId == self ? 1 : 0;
    }
    return count;
}

std::size_t threadWindowCount() {
    std::size_t count = 0;
    EnumThreadWindows(GetCurrentThreadId(), countWindowAndChildren,
                      reinterpret_cast<LPARAM>(&count));
    return count;
}

std::size_t privateBytes() {
    PROCESS_MEMORY_COUNTERS_EX counters = {};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                         sizeof counters);
    // Wine reports PrivateUsage as 0; its PagefileUsage follows the private commit instead.
    return counters.PrivateUsage != 0 ? counters.PrivateUsage : counters.PagefileUsage;
}
