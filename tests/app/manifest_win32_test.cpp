// The application manifest as Windows' loader finds it: resource type
// RT_MANIFEST, id 1, in the built Wrivo.exe and in the shipped (stripped)
// copy. What it does to the code page is seen end to end in
// tests/e2e/codepage_e2e.py.
#include <windows.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "host/scoped_win32.h"

namespace wrivo {
namespace {

std::string besideThisProgram(const char* relative)
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path);
    folder.erase(folder.find_last_of('\\') + 1);
    return folder + relative;
}

// A module loaded only to read its resources: nothing in it runs.
class ResourceFile {
public:
    explicit ResourceFile(const std::string& path)
        : module_(LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE))
    {
    }

    HMODULE module() const { return module_.get(); }

    // Whether the resource is there; its bytes into *bytes when asked for.
    bool find(LPCSTR type, LPCSTR name, std::string* bytes = nullptr) const
    {
        HRSRC found = FindResourceA(module_.get(), name, type);
        if (!found) return false;
        if (bytes) {
            HGLOBAL loaded = LoadResource(module_.get(), found);
            const void* data = loaded ? LockResource(loaded) : nullptr;
            if (!data) return false;
            bytes->assign(static_cast<const char*>(data), SizeofResource(module_.get(), found));
        }
        return true;
    }

private:
    ScopedLibrary module_;
};

class Manifest : public testing::TestWithParam<const char*> { };

TEST_P(Manifest, AsksForCodePage936OnEverySupportedWindowsWithoutElevationOrDpiAwareness)
{
    ResourceFile exe(besideThisProgram(GetParam()));
    ASSERT_NE(exe.module(), nullptr) << GetParam();
    std::string manifest;
    ASSERT_TRUE(exe.find(RT_MANIFEST, MAKEINTRESOURCEA(1), &manifest)) << "no RT_MANIFEST resource 1 in " << GetParam();

    auto has = [&](const char* text) { return manifest.find(text) != std::string::npos; };
    EXPECT_TRUE(has("<assembly xmlns=\"urn:schemas-microsoft-com:asm.v1\" manifestVersion=\"1.0\">"));
    EXPECT_TRUE(has("<activeCodePage xmlns=\"http://schemas.microsoft.com/SMI/2019/WindowsSettings\">"
                    "zh-CN</activeCodePage>"));
    EXPECT_TRUE(has("<requestedExecutionLevel level=\"asInvoker\""));
    for (const char* os : {"{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",  // Windows 7
                           "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}",  // 8
                           "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",  // 8.1
                           "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"}) // 10 and 11
        EXPECT_TRUE(has((std::string("<supportedOS Id=\"") + os + "\"/>").c_str())) << os;
    // The window's pixel layout is fixed: the system scales it as a whole.
    EXPECT_FALSE(has("<dpiAware")) << manifest;
    EXPECT_FALSE(has("<dpiAwareness")) << manifest;
}

TEST_P(Manifest, KeepsTheIconAndVersionResources)
{
    ResourceFile exe(besideThisProgram(GetParam()));
    ASSERT_NE(exe.module(), nullptr) << GetParam();
    EXPECT_TRUE(exe.find(RT_GROUP_ICON, "DEFAULT_ICON"));
    std::string version;
    ASSERT_TRUE(exe.find(RT_VERSION, MAKEINTRESOURCEA(VS_VERSION_INFO), &version));

    // The file version, the product version and the manifest's assembly
    // version are the project's version, which the build gives this test too.
    const DWORD signature = 0xFEEF04BD; // VS_FIXEDFILEINFO's first member
    const std::size_t at = version.find(std::string(reinterpret_cast<const char*>(&signature), sizeof signature));
    ASSERT_NE(at, std::string::npos);
    ASSERT_LE(at + sizeof(VS_FIXEDFILEINFO), version.size());
    VS_FIXEDFILEINFO fixed{};
    std::memcpy(&fixed, version.data() + at, sizeof fixed);
    const DWORD projectVersion = MAKELONG(WRIVO_VERSION_MINOR, WRIVO_VERSION_MAJOR);
    EXPECT_EQ(fixed.dwFileVersionMS, projectVersion);
    EXPECT_EQ(fixed.dwProductVersionMS, projectVersion);
    std::string manifest;
    ASSERT_TRUE(exe.find(RT_MANIFEST, MAKEINTRESOURCEA(1), &manifest));
    const std::string assemblyVersion =
        "version=\"" + std::to_string(WRIVO_VERSION_MAJOR) + "." + std::to_string(WRIVO_VERSION_MINOR) + ".0.0\"";
    EXPECT_NE(manifest.find(assemblyVersion), std::string::npos) << manifest;
}

// The program the tests run, and the stripped copy that ships.
INSTANTIATE_TEST_SUITE_P(BuiltAndShipped, Manifest, testing::Values("Wrivo.exe", "..\\release\\Wrivo.exe"),
                         [](const auto& tested) { return tested.index == 0 ? "Built" : "Shipped"; });

TEST(ManifestOfTestPrograms, NoneSoTheyRunWithTheCodePageOfTheTestLocale)
{
    EXPECT_EQ(FindResourceA(nullptr, MAKEINTRESOURCEA(1), RT_MANIFEST), nullptr);
}

} // namespace
} // namespace wrivo
