// The sandbox host: loads TamrelTemplates.dll through its exports as the editor does,
// builds the editor's kind of menu bar from getName and getFuncsArray, and shows two
// Scintilla views.
//
//   sandbox.exe [--plugin DLL] [--templates FOLDER] [--window]
//
// The templates in FOLDER (default: example-templates beside the program) are copied to
// plugins\tamrel_templates\ below a scratch current directory, where the plug-in looks.
// Headless (the default) it picks every menu item in turn and prints the menu, each new
// document and each message box; --window opens the window for a person instead.
#include "host_double.h"
#include "message_box_catcher.h"
#include "plugin_library.h"
#include "support/scratch_directory.h"

#include <windows.h>

#include <shellapi.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

constexpr int kFirstCommandId = 22000; // the editor numbers plug-in commands from here

struct Options {
    std::wstring plugin = pluginPath();
    std::wstring templates;
    bool window = false;
};

std::wstring programFolder() {
    std::wstring path = pluginPath();
    return path.substr(0, path.rfind(L'\\') + 1);
}

std::string utf8(const std::wstring& text) {
    int length = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()),
                                     nullptr, 0, nullptr, nullptr);
    std::string bytes(length, '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), bytes.data(),
                        length, nullptr, nullptr);
    return bytes;
}

bool parseOptions(int argc, wchar_t** argv, Options& options) {
    options.templates = programFolder() + L"example-templates";
    for (int i = 1; i < argc; ++i) {
        std::wstring argument = argv[i];
        if (argument == L"--window") {
            options.window = true;
        } else if (argument == L"--plugin" && i + 1 < argc) {
            options.plugin = argv[++i];
        } else if (argument == L"--templates" && i + 1 < argc) {
            options.templates = argv[++i];
        } else {
            std::fprintf(stderr, "usage: sandbox [--plugin DLL] [--templates FOLDER] [--window]\n");
            return false;
        }
    }
    return true;
}

// Copies every file of `folder` to plugins\tamrel_templates\ of the scratch directory.
void installTemplates(const ScratchDirectory& scratch, const std::wstring& folder) {
    WIN32_FIND_DATAW entry;
    HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) {
        std::fprintf(stderr, "sandbox: no templates in %s\n", utf8(folder).c_str());
        return;
    }
    do {
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            continue;
        }
        std::ifstream file((folder + L"\\" + entry.cFileName).c_str(), std::ios::binary);
        std::string bytes{std::istreambuf_iterator<char>(file), {}};
        scratch.writeFile(templatePath(utf8(entry.cFileName)), bytes);
    } while (FindNextFileW(search, &entry));
    FindClose(search);
}

// The editor's checks at load, in its order; an empty result means the plug-in loaded.
std::string loadAsTheEditorDoes(const std::wstring& path, PluginLibrary& plugin) {
    plugin = loadPlugin(path);
    if (plugin.module == nullptr) {
        return plugin.error;
    }
    if (!plugin.isUnicode()) {
        return "isUnicode is false: an ANSI plug-in";
    }
    return {};
}

HMENU buildMenu(HWND window, const wchar_t* name, FuncItem* table, int count) {
    HMENU submenu = CreatePopupMenu();
    for (int i = 0; i < count; ++i) {
        table[i].cmdID = kFirstCommandId + i;
        if (table[i].pFunc == nullptr) {
            AppendMenuW(submenu, MF_SEPARATOR, 0, nullptr);
        } else {
            AppendMenuW(submenu, MF_STRING | (table[i].init2Check ? MF_CHECKED : 0), table[i].cmdID,
                        table[i].itemName);
        }
    }
    HMENU plugins = CreatePopupMenu();
    AppendMenuW(plugins, MF_POPUP, reinterpret_cast<UINT_PTR>(submenu), name);
    HMENU bar = CreateMenu();
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(plugins), L"&Plugins");
    SetMenu(window, bar);
    return submenu;
}

std::wstring menuText(HMENU menu, int position) {
    wchar_t text[128] = {};
    GetMenuStringW(menu, position, text, 128, MF_BYPOSITION);
    return text;
}

void printMenu(const wchar_t* name, HMENU submenu) {
    std::printf("Plugins > %s\n", utf8(name).c_str());
    for (int i = 0; i < GetMenuItemCount(submenu); ++i) {
        std::printf("  %d. %s\n", i + 1, utf8(menuText(submenu, i)).c_str());
    }
}

// Picks a menu item the way a click does: a WM_COMMAND to the host window.
void pick(HostDouble& host, HMENU submenu, int position, const std::wstring& label) {
    std::printf("\n== %s\n", utf8(label).c_str());
    std::size_t before = host.documentCount();
    UINT id = GetMenuItemID(submenu, position);
    std::vector<CaughtMessageBox> boxes =
        catchMessageBoxes([&] { SendMessageW(host.window(), WM_COMMAND, MAKEWPARAM(id, 0), 0); });
    for (std::size_t i = before; i < host.documentCount(); ++i) {
        std::string text = host.documentText(i);
        std::printf("-- new document in the %s view, %zu bytes:\n%s%s",
                    host.documentView(i) == kMainView ? "main" : "second", text.size(),
                    text.c_str(), text.empty() || text.back() == '\n' ? "" : "\n");
    }
    for (const CaughtMessageBox& box : boxes) {
        std::printf("-- message box \"%s\":\n%s\n", utf8(box.title).c_str(),
                    utf8(box.text).c_str());
    }
    std::fflush(stdout);
}

int runHeadless(HostDouble& host, const wchar_t* name, HMENU submenu) {
    printMenu(name, submenu);
    for (int i = 0; i < GetMenuItemCount(submenu); ++i) {
        pick(host, submenu, i, menuText(submenu, i));
    }
    // What a user meets when the templates are not where the plug-in looks.
    MoveFileA("plugins\\tamrel_templates", "plugins\\tamrel_templates.away");
    pick(host, submenu, 0, menuText(submenu, 0) + L", with plugins\\tamrel_templates missing");
    MoveFileA("plugins\\tamrel_templates.away", "plugins\\tamrel_templates");
    return 0;
}

int runWindow(HostDouble& host) {
    ShowWindow(host.window(), SW_SHOW);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}

} // namespace

int main() {
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    Options options;
    if (!parseOptions(argc, argv, options)) {
        return 2;
    }
    if (!loadScintilla()) {
        std::fprintf(stderr, "sandbox: Scintilla.dll could not be loaded\n");
        return 1;
    }
    ScratchDirectory scratch;
    installTemplates(scratch, options.templates);

    HostDouble host(options.window);
    host.setRecording(false);
    PluginLibrary plugin;
    FuncItem* table = nullptr;
    int count = 0;
    std::string error = loadAsTheEditorDoes(options.plugin, plugin);
    const wchar_t* name = error.empty() ? plugin.getName() : nullptr;
    if (error.empty()) {
        plugin.setInfo(host.handles());
        table = plugin.getFuncsArray(&count);
        if (table == nullptr || count <= 0) {
            error = "getFuncsArray gave no commands";
        }
    }
    if (!error.empty()) {
        std::fprintf(stderr, "sandbox: the plug-in failed to load: %s\n", error.c_str());
        return 1;
    }

    HMENU submenu = buildMenu(host.window(), name, table, count);
    host.onWindowMessage = [&](UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
        if (message == WM_CLOSE) {
            PostQuitMessage(0);
        }
        int index = static_cast<int>(LOWORD(wParam)) - kFirstCommandId;
        if (message != WM_COMMAND || index < 0 || index >= count) {
            return false;
        }
        table[index].pFunc();
        result = 0;
        return true;
    };
    int status = options.window ? runWindow(host) : runHeadless(host, name, submenu);

    SCNotification shutdown = {};
    shutdown.nmhdr.code = NPPN_SHUTDOWN;
    plugin.beNotified(&shutdown);
    unloadPlugin(plugin);
    LocalFree(argv);
    return status;
}
