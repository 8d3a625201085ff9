#include "plugin/plugin_state.h"

NppData hostHandles = {};

const wchar_t displayName[] = L"Tamrel Templates";
