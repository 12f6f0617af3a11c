// Path splitting lives with the host, which needs it for the program's own
// path before any service runs; the services use the same functions.
#pragma once
#include "host/file_path.h"
