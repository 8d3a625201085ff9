// The command table that the host turns into the plug-in's submenu.
#pragma once

#include "host/host_interface.h"

constexpr int kCommandCount = 6;

// Static and writable: the host keeps a pointer to it and writes each entry's cmdID.
extern FuncItem commandTable[kCommandCount];

// Sets name, command, initial check and shortcut of every entry; never touches cmdID.
void fillCommandTable();
