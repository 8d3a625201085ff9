#include "plugin/about.h"

#include "plugin_info.h"

#include <windows.h>

void showAbout() {
    MessageBoxW(nullptr, TAMREL_ABOUT_TEXT, L"About Tamrel Templates", MB_OK);
}
