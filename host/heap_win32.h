// The process heap as the memory services' backend (Win32 build).
#pragma once
#include "host/memory.h"

namespace wrivo {

// HeapAlloc / HeapReAlloc / HeapFree on GetProcessHeap(). The Win32 build
// installs it before any of our static objects are made.
const HeapBackend& processHeapBackend();

} // namespace wrivo
