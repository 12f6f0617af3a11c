// The entry point of a folder's Win32 test program. All the test files of one
// folder are linked into one program (linking a statically linked program
// per file cost much of the build), but each file's tests still run in a
// process of their own. The build gives the program a second name for each of
// its files (a hard link, NAME.exe for NAME.cpp), and started under such a name
// it runs only the tests written in that file, as a program of its own would:
// a file whose tests end the process, check an exit code or leave global
// state behind affects no other file's tests, and a test that starts its own
// program again by name finds it. Under the folder's name
// (app_win32_tests.exe) every test of the folder runs, or, with
//   --tests-of=NAME      only the tests written in NAME.cpp.
// --gtest_filter narrows either choice further.
#include <windows.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

namespace {

constexpr std::string_view optionName = "--tests-of=";
constexpr std::string_view fileProgramSuffix = "_win32_test";

// The base name of this program's file, without ".exe".
std::string programName()
{
    char path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string name(path, length);
    name.erase(0, name.find_last_of("\\/") + 1);
    const std::size_t dot = name.rfind('.');
    if (dot != std::string::npos) name.erase(dot);
    return name;
}

// GoogleTest's filter syntax: positive patterns, then "-" and negative ones,
// separated by ':'; '*' matches any run of characters and '?' one.
bool globMatches(std::string_view pattern, std::string_view name)
{
    if (pattern.empty()) return name.empty();
    if (pattern[0] == '*') {
        for (std::size_t skip = 0; skip <= name.size(); ++skip)
            if (globMatches(pattern.substr(1), name.substr(skip))) return true;
        return false;
    }
    if (name.empty() || (pattern[0] != '?' && pattern[0] != name[0])) return false;
    return globMatches(pattern.substr(1), name.substr(1));
}

bool anyMatches(std::string_view patterns, std::string_view name)
{
    while (true) {
        const std::size_t colon = patterns.find(':');
        if (globMatches(patterns.substr(0, colon), name)) return true;
        if (colon == std::string_view::npos) return false;
        patterns.remove_prefix(colon + 1);
    }
}

bool filterMatches(std::string_view filter, std::string_view name)
{
    const std::size_t dash = filter.find('-');
    const std::string_view positive = dash == std::string_view::npos ? filter : filter.substr(0, dash);
    const bool included = positive.empty() || anyMatches(positive, name);
    return included && (dash == std::string_view::npos || !anyMatches(filter.substr(dash + 1), name));
}

// Whether the test was written in the file named (its base name without
// ".cpp"); the compiler's path may use either slash.
bool writtenIn(const testing::TestInfo& test, std::string_view file)
{
    std::string_view path = test.file();
    const std::size_t slash = path.find_last_of("/\\");
    if (slash != std::string_view::npos) path.remove_prefix(slash + 1);
    return path.size() == file.size() + 4 && path.substr(0, file.size()) == file && path.ends_with(".cpp");
}

} // namespace

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    const std::string name = programName();
    std::string_view file;
    if (name.ends_with(fileProgramSuffix)) file = name;
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument.starts_with(optionName)) {
            file = argument.substr(optionName.size());
        } else {
            std::fprintf(stderr, "unknown argument %s\n", argv[i]);
            return 2;
        }
    }
    if (!file.empty()) {
        const std::string userFilter = GTEST_FLAG_GET(filter);
        std::string chosen;
        const testing::UnitTest& all = *testing::UnitTest::GetInstance();
        for (int s = 0; s < all.total_test_suite_count(); ++s) {
            const testing::TestSuite& suite = *all.GetTestSuite(s);
            for (int t = 0; t < suite.total_test_count(); ++t) {
                const testing::TestInfo& test = *suite.GetTestInfo(t);
                const std::string name = std::string(suite.name()) + "." + test.name();
                if (!writtenIn(test, file) || !filterMatches(userFilter, name)) continue;
                chosen += (chosen.empty() ? "" : ":") + name;
            }
        }
        if (chosen.empty()) {
            std::fprintf(stderr, "no test of %.*s.cpp is linked into this program (or matches the filter)\n",
                         static_cast<int>(file.size()), file.data());
            return 2;
        }
        GTEST_FLAG_SET(filter, chosen);
    }
    return RUN_ALL_TESTS();
}
