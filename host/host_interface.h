// The host editor's plug-in interface and its editing component's messages, as far as
// this plug-in uses them. The records cross the DLL boundary, so their layouts must match
// the host's ABI exactly; the static_asserts below pin them for both targets.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>

// The host's window handles, handed to the plug-in once at load.
struct NppData {
    HWND nppHandle;             // the host's main window: target of NPPM_* messages
    HWND scintillaMainHandle;   // main editing view: target of SCI_* messages
    HWND scintillaSecondHandle; // second editing view
};

// A menu command: the host calls it with no arguments and ignores any result.
using PluginCommand = void (*)();

struct ShortcutKey {
    bool isCtrl;
    bool isAlt;
    bool isShift;
    unsigned char key;
};

constexpr int kMenuItemNameLength = 64; // wide characters, terminating NUL included

// One entry of the command table. The host keeps a pointer to the table and writes
// cmdID into it, so the table must stay static and writable.
struct FuncItem {
    wchar_t itemName[kMenuItemNameLength];
    PluginCommand pFunc;
    int cmdID;
    bool init2Check;
    ShortcutKey* pShKey;
};

// Only the leading header of the host's notification record is read; the host passes a
// larger record, of which the plug-in never looks past `code`.
struct SciNotifyHeader {
    void* hwndFrom;
    std::uintptr_t idFrom;
    unsigned int code;
};

struct SCNotification {
    SciNotifyHeader nmhdr;
};

// Host messages (sent to NppData::nppHandle).
constexpr UINT NPPM_GETCURRENTSCINTILLA = 2028; // lParam: int*, receives 0 (main) or 1 (second)
constexpr UINT NPPM_MENUCOMMAND = 2072;         // lParam: menu command identifier
constexpr LPARAM IDM_FILE_NEW = 41001;          // opens a new, empty document in the current view

// Host notifications (SCNotification::nmhdr.code).
constexpr unsigned int NPPN_SHUTDOWN = 1009;

// Editing component messages (sent to a view).
constexpr UINT SCI_SETTEXT = 2181;    // lParam: NUL-terminated narrow text
constexpr UINT SCI_APPENDTEXT = 2282; // wParam: byte count, lParam: bytes

#if defined(_WIN64)
static_assert(sizeof(NppData) == 24, "NppData is three handles");
static_assert(offsetof(FuncItem, pFunc) == 128, "FuncItem layout");
static_assert(offsetof(FuncItem, cmdID) == 136, "FuncItem layout");
static_assert(offsetof(FuncItem, init2Check) == 140, "FuncItem layout");
static_assert(offsetof(FuncItem, pShKey) == 144, "FuncItem layout");
static_assert(sizeof(FuncItem) == 152, "FuncItem layout");
#else
static_assert(sizeof(NppData) == 12, "NppData is three handles");
static_assert(offsetof(FuncItem, pFunc) == 128, "FuncItem layout");
static_assert(offsetof(FuncItem, cmdID) == 132, "FuncItem layout");
static_assert(offsetof(FuncItem, init2Check) == 136, "FuncItem layout");
static_assert(offsetof(FuncItem, pShKey) == 140, "FuncItem layout");
static_assert(sizeof(FuncItem) == 144, "FuncItem layout");
#endif
static_assert(offsetof(FuncItem, itemName) == 0, "FuncItem layout");
static_assert(sizeof(ShortcutKey) == 4, "ShortcutKey layout");
