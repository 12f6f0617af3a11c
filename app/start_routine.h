// The application's start routine and what it sets up: the kinds, the host,
// the application's globals, the exit routine, the skin engine, the start
// window and the message loop.
#pragma once

#include <span>

#include "host/host_types.h"

namespace wrivo {

// Runs the program; answers the message loop's exit code.
int startApplication();

// The application's handler table, indexed by HandlerIndex (app/layout_content.h).
HandlerTable applicationHandlers();

} // namespace wrivo
