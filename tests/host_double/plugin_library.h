// Loads the plug-in DLL the way the host editor does: by file, then each export by name.
#pragma once

#include "host/host_interface.h"

#include <string>

struct PluginLibrary {
    HMODULE module = nullptr;
    BOOL (*isUnicode)() = nullptr;
    void (*setInfo)(NppData) = nullptr;
    const wchar_t* (*getName)() = nullptr;
    FuncItem* (*getFuncsArray)(int*) = nullptr;
    void (*beNotified)(SCNotification*) = nullptr;
    LRESULT (*messageProc)(UINT, WPARAM, LPARAM) = nullptr;
    std::string error; // why loading failed; empty when every export was found
};

// The plug-in's path: TamrelTemplates.dll in this program's folder.
std::wstring pluginPath();

// Loads the DLL at `path` and looks up all six exports. On failure `error` says what
// was missing and the library is freed again.
PluginLibrary loadPlugin(const std::wstring& path = pluginPath());

void unloadPlugin(PluginLibrary& plugin);
