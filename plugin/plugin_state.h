// The plug-in's static records that both the boundary and the template commands use.
#pragma once

#include "host/host_interface.h"

// The host's window handles; all null until the host calls setInfo.
extern NppData hostHandles;

// The plug-in's display name: the submenu's title and the title of its message boxes.
extern const wchar_t displayName[];
