// Resolution and checked calls of the system functions bound by name.
#include "host/dynamic_binding_win32.h"

#include "host/file_path.h"
#include "host/host_texts.h"
#include "host/program_path.h"
#include "host/runtime_error.h"

#include <array>
#include <cstdio>
#include <cstring>
#include <string_view>

namespace wrivo {

#if defined(__i386__)
// cdecl: (function, arguments, count, stackMoved). The stack pointer that the
// callee must leave behind is the one from before the arguments were pushed;
// it is kept in EBP's frame, so even a callee that pops the wrong amount
// cannot hide the difference. EDX:EAX pass through untouched.
asm(R"(
    .text
    .globl _wrivoCallStackChecked
_wrivoCallStackChecked:
    pushl %ebp
    movl  %esp, %ebp
    pushl %esi
    pushl %edi
    pushl %ebx
    movl  16(%ebp), %ecx
    movl  12(%ebp), %esi
    leal  (%esi,%ecx,4), %edx
1:  testl %ecx, %ecx
    jz    2f
    subl  $4, %edx
    pushl (%edx)
    decl  %ecx
    jmp   1b
2:  movl  8(%ebp), %ecx
    call  *%ecx
    leal  -12(%ebp), %ebx
    movl  %esp, %ecx
    subl  %ebx, %ecx
    movl  %ebx, %esp
    movl  20(%ebp), %ebx
    movl  %ecx, (%ebx)
    popl  %ebx
    popl  %edi
    popl  %esi
    popl  %ebp
    ret
)");
#else
#error "the checked call of bound functions is written for i686"
#endif

namespace {

HMODULE loadSystemLibrary(const char* name)
{
    return LoadLibraryA(name);
}
FARPROC findInLibrary(HMODULE library, const char* name)
{
    return GetProcAddress(library, name);
}
void releaseSystemLibrary(HMODULE library)
{
    FreeLibrary(library);
}

// "#12" names export ordinal 12 (taken modulo 65536); GetProcAddress takes an
// ordinal as a pointer-sized number below 0x10000.
FARPROC findFunction(const LibraryLoader& loader, HMODULE library, const char* name)
{
    if (name[0] == '#') {
        unsigned long ordinal = 0;
        for (const char* digit = name + 1; *digit >= '0' && *digit <= '9'; ++digit)
            ordinal = ordinal * 10 + static_cast<unsigned long>(*digit - '0');
        return loader.find(library, MAKEINTRESOURCEA(ordinal % 65536));
    }
    return loader.find(library, name);
}

std::string formatMessage(const char* pattern, const char* first, const char* second = nullptr)
{
    char text[1024];
    if (second)
        std::snprintf(text, sizeof text, pattern, first, second);
    else
        std::snprintf(text, sizeof text, pattern, first);
    return text;
}

[[noreturn]] void reportMissingFunction(const char* library, const char* function)
{
    if (library[0] == '\0') reportRuntimeError(formatMessage(errorFunctionMissing, function));
    reportRuntimeError(formatMessage(errorFunctionMissingIn, library, function));
}

std::string programModuleFolder()
{
    const std::string path = programFilePath();
    const std::size_t separator = lastSeparator(path);
    return separator == std::string::npos ? std::string() : path.substr(0, separator + 1);
}

constexpr const char* systemLibraries[] = {
    "Kernel32.dll", "Gdi32.dll", "User32.dll", "Advapi32.dll", "Mpr.dll", "Shell32.dll",
};

// "GdiPlus.dll", "gdiplus" and "GDIPLUS.DLL" name the same library.
bool sameLibraryName(std::string_view name, std::string_view known)
{
    auto stem = [](std::string_view text) {
        if (text.size() > 4 && lstrcmpiA(std::string(text.substr(text.size() - 4)).c_str(), ".dll") == 0)
            text.remove_suffix(4);
        return std::string(text);
    };
    return lstrcmpiA(stem(name).c_str(), stem(known).c_str()) == 0;
}

struct OptionalName {
    const char* library;
    const char* function;
};
constexpr OptionalName optionalNames[optionalApiCount] = {
#define WRIVO_OPTIONAL_NAME(function, library, Pointer) {library, #function},
    WRIVO_OPTIONAL_FUNCTIONS(WRIVO_OPTIONAL_NAME)
#undef WRIVO_OPTIONAL_NAME
};

} // namespace

void* optionalFunctionAddress(OptionalApi index)
{
    // System libraries stay loaded for the whole process, so addresses found
    // once stay good. Looked up together, once, by whichever thread asks first
    // (a file is also written from the background queue).
    static const std::array<void*, optionalApiCount> addresses = [] {
        std::array<void*, optionalApiCount> found{};
        for (int i = 0; i < optionalApiCount; ++i) {
            if (HMODULE library = GetModuleHandleA(optionalNames[i].library))
                found[i] = reinterpret_cast<void*>(GetProcAddress(library, optionalNames[i].function));
        }
        return found;
    }();
    return addresses[index];
}

void removeCurrentFolderFromLibrarySearch()
{
    // SetDefaultDllDirectories exists from Windows 8 (Windows 7 with
    // KB2533623), so it is looked up by name; LOAD_LIBRARY_SEARCH_DEFAULT_DIRS
    // is the program's folder, system32 and added folders, without the
    // current one. Older systems take it out with SetDllDirectory("").
    constexpr DWORD searchDefaultDirectories = 0x00001000;
    const auto setDefault = optionalFunction<optionalSetDefaultDllDirectories>();
    if (setDefault && setDefault(searchDefaultDirectories)) return;
    SetDllDirectoryA("");
}

std::string systemLibraryPath(const char* name)
{
    bool known = sameLibraryName(name, "gdiplus.dll");
    for (const char* library : systemLibraries) known = known || sameLibraryName(name, library);
    if (!known) return {};
    char folder[MAX_PATH] = {};
    const UINT length = GetSystemDirectoryA(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return {};
    std::string path = std::string(folder, length) + "\\" + name;
    if (path.size() < 4 || lstrcmpiA(path.c_str() + path.size() - 4, ".dll") != 0) path += ".dll";
    return path;
}

const LibraryLoader& systemLibraryLoader()
{
    static const LibraryLoader loader{loadSystemLibrary, findInLibrary, releaseSystemLibrary};
    return loader;
}

DynamicBinding::DynamicBinding(std::span<const BoundFunctionName> names, const LibraryLoader& loader)
    : names_(names.begin(), names.end()),
      addresses_(names.size(), nullptr),
      libraries_(names.size(), nullptr),
      loader_(loader)
{
}

DynamicBinding::~DynamicBinding()
{
    releaseLibraries();
}

void DynamicBinding::setOneShotOverride(HMODULE library, const char* function)
{
    overrideLibrary_ = library;
    overrideFunction_ = function ? function : "";
    overrideSet_ = true;
}

HMODULE DynamicBinding::loadLibrary(const char* name) const
{
    if (std::strchr(name, ':')) return loader_.load(name);
    const std::string fromSystem = systemLibraryPath(name);
    if (!fromSystem.empty()) return loader_.load(fromSystem.c_str());
    std::string candidates[4];
    int count = 0;
    if (!searchFolder_.empty()) candidates[count++] = searchFolder_ + name;
    const std::string moduleFolder = moduleFolder_.empty() ? programModuleFolder() : moduleFolder_;
    if (programFolder_.empty())
        candidates[count++] = moduleFolder + name;
    else
        candidates[count++] = programFolder_ + "\\" + name;
    candidates[count++] = moduleFolder + name;
    candidates[count++] = name;
    for (int i = 0; i < count; ++i) {
        if (HMODULE library = loader_.load(candidates[i].c_str())) return library;
    }
    return nullptr;
}

void* DynamicBinding::resolve(int index)
{
    const BoundFunctionName& entry = names_[index];
    if (overrideSet_) {
        overrideSet_ = false;
        const std::string function = overrideFunction_.empty() ? entry.function : overrideFunction_;
        FARPROC address = findFunction(loader_, overrideLibrary_, function.c_str());
        if (!address) reportMissingFunction("", function.c_str());
        return reinterpret_cast<void*>(address);
    }
    if (addresses_[index]) return addresses_[index];

    HMODULE library = nullptr;
    FARPROC address = nullptr;
    if (entry.library[0] == '\0') {
        for (const char* name : systemLibraries) {
            library = loader_.load(systemLibraryPath(name).c_str());
            if (!library) continue;
            address = findFunction(loader_, library, entry.function);
            if (address) break;
            loader_.release(library);
            library = nullptr;
        }
    } else {
        library = loadLibrary(entry.library);
        if (library) address = findFunction(loader_, library, entry.function);
    }
    if (!address) {
        if (library) loader_.release(library);
        reportMissingFunction(entry.library, entry.function);
    }
    addresses_[index] = reinterpret_cast<void*>(address);
    libraries_[index] = library;
    return addresses_[index];
}

std::uint64_t DynamicBinding::callRaw(int index, std::span<const std::uint32_t> arguments)
{
    if (watcher_) watcher_(index);
    const void* function = resolve(index);
    std::int32_t stackMoved = 0;
    const std::uint64_t result =
        wrivoCallStackChecked(function, arguments.data(), static_cast<std::uint32_t>(arguments.size()), &stackMoved);
    if (stackMoved != 0) raiseRuntimeError(stackCheckFailed);
    return result;
}

void DynamicBinding::releaseLibraries()
{
    for (std::size_t i = 0; i < libraries_.size(); ++i) {
        if (libraries_[i]) loader_.release(libraries_[i]);
        libraries_[i] = nullptr;
        addresses_[i] = nullptr;
    }
}

} // namespace wrivo
