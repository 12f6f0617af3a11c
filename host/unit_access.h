// What the control kinds (services/controls/) see of the host, in one header:
// the kind table they register with and the live units it hands them, the
// events they raise, a unit found by its reference, the font record their
// font property carries, and the handle owners. The rest of the host's
// headers are its own.
#pragma once
#include "host/font_record.h"
#include "host/host.h"
#include "host/scoped_win32.h"
#include "host/unit_kind.h"

namespace wrivo {

// The live unit a reference names, or a run-time error (errorNoSuchUnit).
LiveUnit& requireLiveUnit(const UnitRef& ref);

} // namespace wrivo
