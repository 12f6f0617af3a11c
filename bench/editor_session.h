// The real editor inside a benchmark (Win32 only): its host, the program's
// layout and the application's handler table, with the main window shown and
// the edit box focused. A header: every bench/*.cpp is a program of its own.
#pragma once
#ifdef _WIN32
#include <windows.h>

#include <optional>
#include <string>

#include "app/app_globals.h"
#include "app/layout_content.h"
#include "app/main_window.h"
#include "app/start_routine.h"
#include "app/start_window.h"
#include "bench/bench_support.h"
#include "host/host.h"
#include "host/property_rules.h"
#include "services/controls/control_operations.h"
#include "services/controls/unit_properties.h"

namespace wrivo::bench {

inline HWND handleOf(const UnitRef& unit)
{
    return reinterpret_cast<HWND>(windowHandle(unit));
}

inline HWND mainWindowHandle()
{
    return handleOf(mainWindowRef);
}

inline HWND editBoxHandle()
{
    return handleOf(editBoxRef);
}

// The recovery copies, the shelf, versions and the writer's files of a run go
// to a folder of that run's own, never to the user's (or a test prefix's),
// where a later start would offer them. Answers that folder.
inline std::string useScratchLocalData()
{
    char folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    const std::string local = std::string(folder) + "wrivo-bench-" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(local.c_str(), nullptr);
    SetEnvironmentVariableA("WRIVO_TEST_LOCALAPPDATA", local.c_str());
    return local;
}

inline void startEditor()
{
    useScratchLocalData();
    registerServiceKinds();
    startHost({layoutDataBlock(), applicationHandlers()});
    createAppGlobals();
    loadWindow(WindowId::main, std::nullopt, false);
    writeProperty(mainWindowRef, CommonProperty::visible, std::int64_t{1});
    SetForegroundWindow(mainWindowHandle());
    SetFocus(editBoxHandle());
    pumpPending();
}

} // namespace wrivo::bench
#endif
