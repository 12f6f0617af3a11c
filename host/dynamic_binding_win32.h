// System functions bound by name at run time.
//
// A table of (library name, function name) pairs is part of the program; code
// calls a function by its index in the table. The first call finds the library
// and the function, later calls only read the cached address. Every call is
// made through an assembly thunk that remembers the stack pointer before the
// arguments are pushed and compares it after the call: a difference (a wrong
// argument count or calling convention) is run-time error 6.
#pragma once
#include <windows.h>
#include <bit>
#include <cstdint>
#include <span>
#include <string>
#include <type_traits>
#include <vector>

namespace wrivo {

struct BoundFunctionName {
    const char* library;  // "GdiPlus.dll", "user32", ... or "" for the system libraries
    const char* function; // exported name, or "#12" for export ordinal 12
};

// How libraries are loaded, looked into and freed. The real one uses
// LoadLibraryA, GetProcAddress and FreeLibrary; tests watch the search with
// one of their own.
struct LibraryLoader {
    HMODULE (*load)(const char* name) = nullptr;
    FARPROC (*find)(HMODULE library, const char* nameOrOrdinal) = nullptr;
    void (*release)(HMODULE library) = nullptr;
};
const LibraryLoader& systemLibraryLoader();

// System functions that older systems lack, looked up by name in a system
// library the process has already loaded. Absent, the caller does without
// (unlike the skin's table, where a missing function is a run-time error).
// Each is declared once here, with its real signature.
// X(function, library, pointer type)
// clang-format off
#define WRIVO_OPTIONAL_FUNCTIONS(X) \
    X(SetDefaultDllDirectories, "kernel32.dll", BOOL(WINAPI*)(DWORD)) \
    X(GetFinalPathNameByHandleW, "kernel32.dll", DWORD(WINAPI*)(HANDLE, LPWSTR, DWORD, DWORD)) \
    X(SetLayeredWindowAttributes, "user32.dll", BOOL(WINAPI*)(HWND, COLORREF, BYTE, DWORD))
// clang-format on

enum OptionalApi : int {
#define WRIVO_OPTIONAL_ENUM(function, library, Pointer) optional##function,
    WRIVO_OPTIONAL_FUNCTIONS(WRIVO_OPTIONAL_ENUM)
#undef WRIVO_OPTIONAL_ENUM
    optionalApiCount
};

template <OptionalApi index>
struct OptionalFunction;
#define WRIVO_OPTIONAL_TYPE(function, library, Pointer) \
    template <>                                         \
    struct OptionalFunction<optional##function> {       \
        using Type = Pointer;                           \
    };
WRIVO_OPTIONAL_FUNCTIONS(WRIVO_OPTIONAL_TYPE)
#undef WRIVO_OPTIONAL_TYPE

// The entry's address, looked up once; null when the system lacks it.
void* optionalFunctionAddress(OptionalApi index);

// optionalFunction<optionalSetLayeredWindowAttributes>(): typed, or null.
template <OptionalApi index>
typename OptionalFunction<index>::Type optionalFunction()
{
    return reinterpret_cast<typename OptionalFunction<index>::Type>(optionalFunctionAddress(index));
}

// Takes the current folder out of the system's library search for the whole
// process; called once at start.
void removeCurrentFolderFromLibrarySearch();

// The system folder's copy of a system library ("user32" gives
// "C:\Windows\system32\user32.dll"), or empty for any other name.
std::string systemLibraryPath(const char* name);

class DynamicBinding {
public:
    explicit DynamicBinding(std::span<const BoundFunctionName> names,
                            const LibraryLoader& loader = systemLibraryLoader());
    ~DynamicBinding();
    DynamicBinding(const DynamicBinding&) = delete;
    DynamicBinding& operator=(const DynamicBinding&) = delete;

    // Where libraries named without a drive are looked for, in this order:
    // the library search folder (when set), the program folder + "\", the
    // program module's folder (ending in "\"), then the system's own search.
    // By default both folders are the running program's own; never the
    // current folder, which the file dialogs move to the user's documents.
    // The system's libraries (the six tried for an empty library name, and
    // GDI+) come from the system folder only.
    void setLibrarySearchFolder(std::string folder) { searchFolder_ = std::move(folder); }
    void setProgramFolder(std::string folder) { programFolder_ = std::move(folder); }
    void setModuleFolder(std::string folder) { moduleFolder_ = std::move(folder); }

    // A one-shot override: the next resolution takes the function from this
    // library (by `function` when given, else by the table's name) and then
    // forgets the override. The program itself never sets one.
    void setOneShotOverride(HMODULE library, const char* function = nullptr);

    // The function's address; the first use searches, later uses read the
    // cache. A function that cannot be found is a run-time error.
    void* resolve(int index);

    // Calls entry `index` with 32-bit arguments (pushed right to left), checks
    // the stack and answers EDX:EAX.
    std::uint64_t callRaw(int index, std::span<const std::uint32_t> arguments);

    // Tests only: `watcher` hears the index of every call before it is made
    // (nullptr stops it), so the order of system calls can be checked.
    void watchCalls(void (*watcher)(int index)) { watcher_ = watcher; }

    // Frees every library the table holds and forgets every address.
    void releaseLibraries();

    int size() const { return static_cast<int>(names_.size()); }
    bool isResolved(int index) const { return addresses_[index] != nullptr; }

private:
    HMODULE loadLibrary(const char* name) const;

    std::vector<BoundFunctionName> names_;
    std::vector<void*> addresses_;
    std::vector<HMODULE> libraries_;
    LibraryLoader loader_;
    std::string searchFolder_, programFolder_, moduleFolder_;
    HMODULE overrideLibrary_ = nullptr;
    std::string overrideFunction_;
    bool overrideSet_ = false;
    void (*watcher_)(int index) = nullptr;
};

// Calls `function` with the arguments; answers EDX:EAX and writes how far the
// stack pointer moved across the call (0 when the callee kept the convention).
extern "C" std::uint64_t wrivoCallStackChecked(const void* function, const std::uint32_t* arguments,
                                               std::uint32_t count, std::int32_t* stackMoved);

// Every argument a bound function takes is one 32-bit word on i686.
template <typename T>
std::uint32_t toArgumentWord(T value)
{
    if constexpr (std::is_same_v<T, float>) {
        return std::bit_cast<std::uint32_t>(value);
    } else if constexpr (std::is_pointer_v<T> || std::is_null_pointer_v<T>) {
        return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(value));
    } else {
        static_assert(std::is_integral_v<T> || std::is_enum_v<T>, "one 32-bit word per argument");
        static_assert(sizeof(T) <= 4, "one 32-bit word per argument");
        return static_cast<std::uint32_t>(value);
    }
}

template <typename Result>
Result fromResultWords(std::uint64_t words)
{
    if constexpr (std::is_void_v<Result>) {
        return;
    } else if constexpr (std::is_pointer_v<Result>) {
        return reinterpret_cast<Result>(static_cast<std::uintptr_t>(static_cast<std::uint32_t>(words)));
    } else if constexpr (sizeof(Result) <= 4) {
        return static_cast<Result>(static_cast<std::uint32_t>(words));
    } else {
        return static_cast<Result>(words);
    }
}

// Calls entry `index` of `binding`: boundCall<BOOL>(api, 15, window).
template <typename Result, typename... Arguments>
Result boundCall(DynamicBinding& binding, int index, Arguments... arguments)
{
    const std::uint32_t words[sizeof...(Arguments) + 1] = {toArgumentWord(arguments)..., 0};
    return fromResultWords<Result>(binding.callRaw(index, std::span(words, sizeof...(Arguments))));
}

// The typed form of boundCall for an entry whose pointer type is known:
// TypedBoundCall<decltype(&::IsWindow)>::call(binding, index, window). The
// parameters are the function's own, so a call with a wrong argument type or
// count does not compile.
template <typename Pointer>
struct TypedBoundCall;
template <typename Result, typename... Parameters>
struct TypedBoundCall<Result(WINAPI*)(Parameters...)> {
    static Result call(DynamicBinding& binding, int index, Parameters... arguments)
    {
        return boundCall<Result>(binding, index, arguments...);
    }
};

} // namespace wrivo
