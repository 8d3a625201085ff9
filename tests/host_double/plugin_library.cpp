#include "plugin_library.h"

namespace {

template <typename Function>
bool findExport(PluginLibrary& plugin, Function& function, const char* name) {
    function = reinterpret_cast<Function>(
        reinterpret_cast<void (*)()>(GetProcAddress(plugin.module, name)));
    if (function == nullptr && plugin.error.empty()) {
        plugin.error = std::string("missing export ") + name;
    }
    return function != nullptr;
}

} // namespace

std::wstring pluginPath() {
    wchar_t path[MAX_PATH];
    DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path, length);
    return folder.substr(0, folder.rfind(L'\\') + 1) + L"TamrelTemplates.dll";
}

PluginLibrary loadPlugin(const std::wstring& path) {
    PluginLibrary plugin;
    plugin.module = LoadLibraryW(path.c_str());
    if (plugin.module == nullptr) {
        plugin.error = "LoadLibrary failed with error " + std::to_string(GetLastError());
        return plugin;
    }
    bool found = findExport(plugin, plugin.isUnicode, "isUnicode");
    found = findExport(plugin, plugin.setInfo, "setInfo") && found;
    found = findExport(plugin, plugin.getName, "getName") && found;
    found = findExport(plugin, plugin.getFuncsArray, "getFuncsArray") && found;
    found = findExport(plugin, plugin.beNotified, "beNotified") && found;
    found = findExport(plugin, plugin.messageProc, "messageProc") && found;
    if (!found) {
        unloadPlugin(plugin);
    }
    return plugin;
}

void unloadPlugin(PluginLibrary& plugin) {
    if (plugin.module != nullptr) {
        FreeLibrary(plugin.module);
    }
    std::string error = plugin.error;
    plugin = PluginLibrary{};
    plugin.error = error;
}
