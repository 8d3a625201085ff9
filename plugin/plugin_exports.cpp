// Everything the host calls. The host looks the six functions up by their plain names
// (see TamrelTemplates.def) and calls them on its user-interface thread.
#include "host/host_interface.h"
#include "plugin/command_table.h"
#include "plugin/plugin_state.h"

// The plug-in's state is static and needs no set-up or release.
BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) {
    return TRUE;
}

extern "C" {

void setInfo(NppData handles) {
    hostHandles = handles;
    fillCommandTable();
}

const wchar_t* getName() {
    return displayName;
}

FuncItem* getFuncsArray(int* count) {
    *count = kCommandCount;
    return commandTable;
}

// No notification needs an answer; at shutdown nothing is held that needs releasing.
void beNotified(SCNotification*) {}

LRESULT messageProc(UINT, WPARAM, LPARAM) {
    return TRUE;
}

// The plug-in's strings are all wide.
BOOL isUnicode() {
    return TRUE;
}

} // extern "C"
