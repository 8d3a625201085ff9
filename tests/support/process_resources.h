// Counts of what a process holds, taken in ways that also work under Wine (where
// GetProcessHandleCount and GetGuiResources report 0).
#pragma once

#include <cstddef>

// Kernel handles the current process holds, from the system's handle list.
std::size_t processHandleCount();

// Windows of the current thread, top-level ones and all their descendants.
std::size_t threadWindowCount();

// Private bytes committed by the current process.
std::size_t privateBytes();
