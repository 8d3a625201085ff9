#include "message_box_catcher.h"

#include <algorithm>

namespace {

constexpr int kMessageTextId = 0xFFFF; // the static control that holds a box's body
constexpr UINT kPollMilliseconds = 10;

// The catch in progress; a thread timer's procedure has no context argument.
struct Catch {
    std::vector<CaughtMessageBox> boxes;
    std::vector<HWND> dismissed;
};
thread_local Catch* currentCatch = nullptr;

std::wstring windowText(HWND window) {
    wchar_t text[1024] = {};
    GetWindowTextW(window, text, 1024);
    return text;
}

std::wstring classOf(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

BOOL CALLBACK collectButton(HWND child, LPARAM boxPointer) {
    if (classOf(child) == L"Button" && IsWindowVisible(child)) {
        reinterpret_cast<CaughtMessageBox*>(boxPointer)->buttons.push_back(windowText(child));
    }
    return TRUE;
}

BOOL CALLBACK dismissBox(HWND window, LPARAM) {
    Catch& current = *currentCatch;
    if (classOf(window) != L"#32770" || !IsWindowVisible(window) ||
        std::find(current.dismissed.begin(), current.dismissed.end(), window) !=
            current.dismissed.end()) {
        return TRUE;
    }
    CaughtMessageBox box{windowText(window),
                         windowText(GetDlgItem(window, kMessageTextId)),
                         {},
                         GetWindow(window, GW_OWNER)};
    EnumChildWindows(window, collectButton, reinterpret_cast<LPARAM>(&box));
    current.boxes.push_back(box);
    current.dismissed.push_back(window);
    PostMessageW(window, WM_COMMAND, IDOK, 0);
    return TRUE;
}

// Runs inside the box's own modal loop, on the thread that showed it.
void CALLBACK pollForBoxes(HWND, UINT, UINT_PTR, DWORD) {
    EnumThreadWindows(GetCurrentThreadId(), dismissBox, 0);
}

} // namespace

std::vector<CaughtMessageBox> catchMessageBoxes(const std::function<void()>& action) {
    Catch current;
    Catch* outer = currentCatch;
    currentCatch = &current;
    UINT_PTR timer = SetTimer(nullptr, 0, kPollMilliseconds, pollForBoxes);
    action();
    KillTimer(nullptr, timer);
    currentCatch = outer;
    return current.boxes;
}
