// Date-time values of any bit pattern (NaN and infinities included) give
// fields in range, the same month in monthOf, and round-trip within rounding.
#include "services/text/datetime.h"
#include "tests/fuzz/fuzz_input.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

using namespace wrivo;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::Input input(data, size);
    double v = input.raw<double>();
    if (input.byte() & 1) v = std::fmod(v, 4e6); // keep many inputs inside the range

    DateTimeFields f = dateTimeFields(DateTime{v});
    FUZZ_CHECK(f.date.year >= 100 && f.date.year <= 9999);
    FUZZ_CHECK(f.date.month >= 1 && f.date.month <= 12);
    FUZZ_CHECK(f.date.day >= 1 && f.date.day <= 31);
    FUZZ_CHECK(f.hour >= 0 && f.hour <= 23 && f.minute >= 0 && f.minute <= 59 && f.second >= 0 && f.second <= 59);
    FUZZ_CHECK(monthOf(DateTime{v}) == f.date.month);
    FUZZ_CHECK(civilFromDays(daysFromCivil(f.date)) == f.date);

    std::string text = dateTimeText(DateTime{v});
    FUZZ_CHECK(!text.empty() && text.size() < 48);

    if (v >= earliestDateTime && v <= latestDateTime) {
        double back = dateTimeFromFields(f).days;
        FUZZ_CHECK(std::fabs(back - v) <= 0.5 / 86400 + 1e-9);
        FUZZ_CHECK(dateTimeFields(DateTime{back}) == f);
    }
    return 0;
}
