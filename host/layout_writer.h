// Encoding windows into the stored layout data that readLayoutData and
// decodeWindowLayout read back. Each kind's data is written in the version
// its settings name. A zero-terminated text stops at its first zero byte.
#pragma once
#include "host/layout_data.h"

namespace wrivo::layout {

// One unit record, without its length prefix.
Bytes encodeUnitRecord(const LayoutUnit& unit);

// The whole layout data: the window table, then each window's unit array.
Bytes encodeLayoutData(std::span<const WindowLayout> windows);

} // namespace wrivo::layout
