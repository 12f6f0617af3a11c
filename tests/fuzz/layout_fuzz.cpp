// The layout decoder on arbitrary bytes: it must never read outside its input,
// and whatever it accepts must encode to something it reads back the same.
#include "host/layout_data.h"
#include "host/layout_writer.h"

#include <cstdint>
#include <cstdlib>

using namespace wrivo::layout;

namespace {

void check(bool condition)
{
    if (!condition) std::abort();
}

void unitRecordRoundTrips(std::span<const std::uint8_t> bytes)
{
    const LayoutResult<LayoutUnit> unit = decodeUnitRecord(1, bytes);
    check(unit.value.has_value() == (unit.problem == LayoutProblem::none));
    if (!unit) return;
    const LayoutResult<LayoutUnit> again = decodeUnitRecord(1, encodeUnitRecord(*unit.value));
    check(again && *again.value == *unit.value);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::span<const std::uint8_t> bytes(data, size);
    unitRecordRoundTrips(bytes);

    const LayoutResult<std::vector<StoredWindow>> stored = readLayoutData(bytes);
    check(stored.value.has_value() == (stored.problem == LayoutProblem::none));
    if (!stored) return 0;
    std::vector<WindowLayout> windows;
    for (const StoredWindow& window : *stored.value) {
        for (const wrivo::Bytes& record : window.unitRecords) unitRecordRoundTrips(record);
        LayoutResult<WindowLayout> layout = decodeWindowLayout(window);
        if (layout) windows.push_back(std::move(*layout.value));
    }
    const wrivo::Bytes encoded = encodeLayoutData(windows);
    const LayoutResult<std::vector<WindowLayout>> again = decodeLayoutData(encoded);
    check(again && *again.value == windows);
    return 0;
}
