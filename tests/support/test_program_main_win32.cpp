// The entry point of a folder's Win32 test program (one program per folder links faster than one per file).
// Started under a file's own name (NAME.exe, a hard link the build makes for NAME.cpp) it runs only that
// file's tests, in a process of their own as a program of that file would; under the folder's name
// (app_win32_tests.exe) every test, or with --tests-of=NAME only NAME.cpp's. --gtest_filter narrows further.
#include <windows.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <string_view>

namespace {

constexpr std::string_view optionName = "--tests-of=";
constexpr std::string_view fileProgramSuffix = "_win32_test";

// The base name of this program's file, without ".exe".
std::string programName()
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    return std::filesystem::path(path).stem().string();
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
        // GoogleTest's filter (positive patterns, then "-" and negative ones)
        // is given the tests of the other files as negative patterns.
        std::string others;
        bool any = false;
        const testing::UnitTest& all = *testing::UnitTest::GetInstance();
        for (int s = 0; s < all.total_test_suite_count(); ++s) {
            const testing::TestSuite& suite = *all.GetTestSuite(s);
            for (int t = 0; t < suite.total_test_count(); ++t) {
                const testing::TestInfo& test = *suite.GetTestInfo(t);
                if (writtenIn(test, file))
                    any = true;
                else
                    others += std::string(others.empty() ? "" : ":") + suite.name() + "." + test.name();
            }
        }
        if (!any) {
            std::fprintf(stderr, "no test of %.*s.cpp is linked into this program\n", static_cast<int>(file.size()),
                         file.data());
            return 2;
        }
        std::string filter = GTEST_FLAG_GET(filter);
        if (!others.empty()) filter += (filter.find('-') == std::string::npos ? "-" : ":") + others;
        GTEST_FLAG_SET(filter, filter);
    }
    return RUN_ALL_TESTS();
}
