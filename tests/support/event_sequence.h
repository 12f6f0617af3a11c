// Ordered checks in the style of Wine's ok_sequence: the order of what
// happened is the assertion, and a mismatch prints both sequences side by
// side, so the first step that differs is plain to see.
#pragma once
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace wrivo::test {

// The lines of a log text (a last line without its newline counts too).
inline std::vector<std::string> logLines(std::string_view text)
{
    std::vector<std::string> lines;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        lines.emplace_back(text.substr(0, end));
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    }
    return lines;
}

// Whether `seen` is exactly `expected`, step by step.
inline ::testing::AssertionResult okSequence(const std::vector<std::string>& seen,
                                             const std::vector<std::string>& expected)
{
    if (seen == expected) return ::testing::AssertionSuccess();
    std::ostringstream report;
    report << "the sequence differs\n  step  expected              seen\n";
    for (std::size_t i = 0; i < std::max(seen.size(), expected.size()); ++i) {
        const std::string want = i < expected.size() ? expected[i] : "(nothing)";
        const std::string got = i < seen.size() ? seen[i] : "(nothing)";
        report << (want == got ? "   " : " * ") << i << "    " << want
               << std::string(want.size() < 22 ? 22 - want.size() : 1, ' ') << got << "\n";
    }
    return ::testing::AssertionFailure() << report.str();
}

} // namespace wrivo::test
