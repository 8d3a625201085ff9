// Catches the real message boxes that code shows on this thread, as a user would see them,
// and dismisses each with OK.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

struct CaughtMessageBox {
    std::wstring title;
    std::wstring text;
    std::vector<std::wstring> buttons; // captions, in window order
    HWND owner;
};

// Runs `action` and returns every message box it showed, in order.
std::vector<CaughtMessageBox> catchMessageBoxes(const std::function<void()>& action);
