// The by-name binding against real libraries: bind_probe.dll (tests/fixtures)
// in the program folder and a second build of it in bin\probe_alt.
#include "host/dynamic_binding_win32.h"
#include "host/runtime_error.h"
#include "host/scoped_win32.h"
#include "tests/host/error_capture.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace wrivo {
namespace {

using testing::ErrorCapture;
using testing::ReportEnded;

std::string binFolder() // ends in "\"
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path);
    return folder.substr(0, folder.find_last_of('\\') + 1);
}

// A loader that uses the real functions and writes down what it did.
struct Journal {
    inline static std::vector<std::string> loaded; // names that loaded
    inline static std::vector<std::string> tried;  // every name asked for
    inline static std::vector<HMODULE> freed;
    inline static bool refuseAll = false;
    static void clear()
    {
        loaded.clear();
        tried.clear();
        freed.clear();
        refuseAll = false;
    }
    static HMODULE load(const char* name)
    {
        tried.emplace_back(name);
        HMODULE library = refuseAll ? nullptr : LoadLibraryA(name);
        if (library) loaded.emplace_back(name);
        return library;
    }
    static FARPROC find(HMODULE library, const char* name) { return GetProcAddress(library, name); }
    static void release(HMODULE library)
    {
        freed.push_back(library);
        FreeLibrary(library);
    }
};
const LibraryLoader journalLoader{&Journal::load, &Journal::find, &Journal::release};

const BoundFunctionName probeTable[] = {
    {"bind_probe.dll", "probeAdd"},       // 0
    {"bind_probe.dll", "#12"},            // 1
    {"bind_probe.dll", "#65548"},         // 2: 12 again, modulo 65536
    {"bind_probe.dll", "probeWhere"},     // 3
    {"bind_probe.dll", "probeCdeclAdd"},  // 4: cdecl, called as if it were WINAPI
    {"bind_probe.dll", "noSuchThing"},    // 5
    {"no_such_library.dll", "probeAdd"},  // 6
    {"", "GetParent"},                    // 7: lives in user32
    {"", "noSuchThing"},                  // 8
    {"bind_probe.dll", "probeFloatBits"}, // 9
    {"bind_probe.dll", "probeAdd"},       // 10: a second entry for the same function
};

struct BindingTest : ::testing::Test {
    void SetUp() override { Journal::clear(); }
    DynamicBinding binding{probeTable, journalLoader};
};

TEST_F(BindingTest, CallsPassArgumentsAndAnswerResults)
{
    EXPECT_EQ(boundCall<int>(binding, 0, 2, 3), 5);
    EXPECT_EQ(boundCall<int>(binding, 0, -7, 3), -4);
    EXPECT_EQ(boundCall<int>(binding, 9, 2.5f), 1);
    EXPECT_EQ(boundCall<int>(binding, 9, 3.5f), 0);
}

TEST_F(BindingTest, HashAndDigitsNameAnExportOrdinal)
{
    EXPECT_EQ(boundCall<int>(binding, 1), 12);
    EXPECT_EQ(boundCall<int>(binding, 2), 12);
}

TEST_F(BindingTest, AResolvedEntryNeverLoadsItsLibraryAgain)
{
    EXPECT_FALSE(binding.isResolved(0));
    boundCall<int>(binding, 0, 1, 1);
    EXPECT_TRUE(binding.isResolved(0));
    ASSERT_EQ(Journal::loaded.size(), 1u);
    for (int i = 0; i < 5; ++i) boundCall<int>(binding, 0, 1, 1);
    EXPECT_EQ(Journal::loaded.size(), 1u);
    // Another entry naming the same library holds its own reference.
    boundCall<int>(binding, 10, 1, 1);
    EXPECT_EQ(Journal::loaded.size(), 2u);
    binding.releaseLibraries();
    EXPECT_EQ(Journal::freed.size(), 2u);
    EXPECT_FALSE(binding.isResolved(0));
}

TEST_F(BindingTest, NoLibraryNameTriesTheSixSystemLibrariesFreeingEachThatLacksIt)
{
    HWND parent = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    HWND child = CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 5, 5, parent, nullptr, nullptr, nullptr);
    EXPECT_EQ(boundCall<HWND>(binding, 7, child), parent);
    DestroyWindow(parent);
    // From the system folder, whatever folder is current.
    EXPECT_EQ(Journal::loaded,
              (std::vector<std::string>{systemLibraryPath("Kernel32.dll"), systemLibraryPath("Gdi32.dll"),
                                        systemLibraryPath("User32.dll")}));
    EXPECT_EQ(Journal::freed.size(), 2u); // Kernel32 and Gdi32, User32 stays
    boundCall<HWND>(binding, 7, child);
    EXPECT_EQ(Journal::loaded.size(), 3u);
}

TEST_F(BindingTest, LibrariesAreSoughtInTheSearchFolderProgramFolderModuleFolderThenBySystem)
{
    ErrorCapture capture;
    Journal::refuseAll = true;
    binding.setLibrarySearchFolder("C:\\search\\");
    binding.setProgramFolder("C:\\program");
    binding.setModuleFolder("C:\\module\\");
    EXPECT_THROW(binding.resolve(0), ReportEnded);
    EXPECT_EQ(Journal::tried, (std::vector<std::string>{"C:\\search\\bind_probe.dll", "C:\\program\\bind_probe.dll",
                                                        "C:\\module\\bind_probe.dll", "bind_probe.dll"}));
}

TEST_F(BindingTest, SystemLibrariesComeFromTheSystemFolderOnly)
{
    char system[MAX_PATH] = {};
    GetSystemDirectoryA(system, MAX_PATH);
    EXPECT_EQ(systemLibraryPath("GdiPlus.dll"), std::string(system) + "\\GdiPlus.dll");
    EXPECT_EQ(systemLibraryPath("user32"), std::string(system) + "\\user32.dll");
    EXPECT_EQ(systemLibraryPath("bind_probe.dll"), "");
    const BoundFunctionName table[] = {{"GdiPlus.dll", "GdipDeleteGraphics"}, {"gdi32", "DeleteDC"}};
    DynamicBinding fromSystem(table, journalLoader);
    fromSystem.setLibrarySearchFolder(binFolder());
    fromSystem.setProgramFolder(binFolder() + "probe_alt");
    fromSystem.resolve(0);
    fromSystem.resolve(1);
    EXPECT_EQ(Journal::tried,
              (std::vector<std::string>{std::string(system) + "\\GdiPlus.dll", std::string(system) + "\\gdi32.dll"}));
}

TEST_F(BindingTest, WithoutAProgramFolderTheCurrentFolderIsNeverSearched)
{
    // probe_alt (the copy answering 2) is current; the program's own folder
    // holds the copy answering 1.
    char previous[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, previous);
    ASSERT_TRUE(SetCurrentDirectoryA((binFolder() + "probe_alt").c_str()));
    EXPECT_EQ(boundCall<int>(binding, 3), 1);
    SetCurrentDirectoryA(previous);
    for (const std::string& name : Journal::tried) EXPECT_EQ(name.find("probe_alt"), std::string::npos) << name;
}

TEST_F(BindingTest, ANameWithADriveIsLoadedByThatNameAlone)
{
    const std::string path = binFolder() + "probe_alt\\bind_probe.dll";
    const BoundFunctionName table[] = {{path.c_str(), "probeWhere"}};
    DynamicBinding absolute(table, journalLoader);
    absolute.setLibrarySearchFolder(binFolder());
    EXPECT_EQ(boundCall<int>(absolute, 0), 2);
    EXPECT_EQ(Journal::tried, (std::vector<std::string>{path}));
}

TEST_F(BindingTest, TheProgramFolderWinsOverTheModuleFolderAndTheSystemSearch)
{
    // The module folder (bin) holds the copy answering 1, the alternative
    // program folder the copy answering 2.
    binding.setProgramFolder(binFolder() + "probe_alt");
    EXPECT_EQ(boundCall<int>(binding, 3), 2);

    DynamicBinding fromModule(probeTable, journalLoader);
    fromModule.setProgramFolder(binFolder() + "no_such_folder");
    EXPECT_EQ(boundCall<int>(fromModule, 3), 1);

    DynamicBinding fromSearchFolder(probeTable, journalLoader);
    fromSearchFolder.setProgramFolder(binFolder().substr(0, binFolder().size() - 1));
    fromSearchFolder.setLibrarySearchFolder(binFolder() + "probe_alt\\");
    EXPECT_EQ(boundCall<int>(fromSearchFolder, 3), 2);
}

TEST_F(BindingTest, AMissingFunctionNamesLibraryAndFunctionAndFreesTheLibrary)
{
    ErrorCapture capture;
    EXPECT_THROW(boundCall<int>(binding, 5), ReportEnded);
    EXPECT_EQ(ErrorCapture::shownText,
              composeRuntimeErrorText("无法找到指定DLL库文件“bind_probe.dll”中的输出命令“noSuchThing”", 0));
    EXPECT_EQ(Journal::loaded.size(), 1u);
    EXPECT_EQ(Journal::freed.size(), 1u);
    EXPECT_FALSE(binding.isResolved(5));
}

TEST_F(BindingTest, AMissingLibraryUsesTheSameMessage)
{
    ErrorCapture capture;
    EXPECT_THROW(boundCall<int>(binding, 6, 1, 2), ReportEnded);
    EXPECT_EQ(ErrorCapture::shownText,
              composeRuntimeErrorText("无法找到指定DLL库文件“no_such_library.dll”中的输出命令“probeAdd”", 0));
}

TEST_F(BindingTest, AFunctionNoSystemLibraryHasIsNamedAlone)
{
    ErrorCapture capture;
    EXPECT_THROW(binding.resolve(8), ReportEnded);
    EXPECT_EQ(ErrorCapture::shownText, composeRuntimeErrorText("无法找到指定DLL库文件中的输出命令“noSuchThing”", 0));
    EXPECT_EQ(Journal::loaded.size(), 6u);
    EXPECT_EQ(Journal::freed.size(), 6u);
}

TEST_F(BindingTest, AWrongCallingConventionOrArgumentCountIsError6)
{
    ErrorCapture capture;
    // cdecl leaves its arguments on the stack.
    EXPECT_THROW(boundCall<int>(binding, 4, 1, 2), ReportEnded);
    EXPECT_EQ(ErrorCapture::shownText, composeRuntimeErrorText("调用DLL命令后发现堆栈错误", 6));
    // probeAdd pops two arguments whatever was pushed.
    ErrorCapture::shownCount = 0;
    EXPECT_THROW(boundCall<int>(binding, 0, 1, 2, 3), ReportEnded);
    EXPECT_THROW(boundCall<int>(binding, 0, 1), ReportEnded);
    EXPECT_EQ(ErrorCapture::shownCount, 2);
    // The stack is whole again: a correct call still works.
    EXPECT_EQ(boundCall<int>(binding, 0, 20, 22), 42);
}

TEST_F(BindingTest, AOneShotOverrideIsUsedOnceThenForgotten)
{
    const ScopedLibrary alt(LoadLibraryA((binFolder() + "probe_alt\\bind_probe.dll").c_str()));
    ASSERT_TRUE(alt);
    binding.setProgramFolder(binFolder().substr(0, binFolder().size() - 1));
    binding.setOneShotOverride(alt.get());
    EXPECT_EQ(boundCall<int>(binding, 3), 2);
    EXPECT_EQ(boundCall<int>(binding, 3), 1);
    binding.setOneShotOverride(alt.get(), "#12");
    EXPECT_EQ(boundCall<int>(binding, 3), 12);
}

} // namespace
} // namespace wrivo
