#include "tests/support/unix_command_win32.h"

#include <windows.h>

#include <vector>

namespace wrivo::test {

namespace {
// Wine's own way of starting a Linux program and waiting for it; returns the
// exit status when asked to wait. It is a stdcall export: a cdecl call leaves
// the stack unbalanced.
using UnixSpawn = LONG(WINAPI*)(char* const* argv, int wait);

UnixSpawn unixSpawn()
{
    HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    if (!ntdll) return nullptr;
    return reinterpret_cast<UnixSpawn>(reinterpret_cast<void*>(GetProcAddress(ntdll, "__wine_unix_spawnvp")));
}
} // namespace

bool runningUnderWine()
{
    HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version") != nullptr && unixSpawn();
}

std::optional<int> runUnixCommand(const std::string& command)
{
    const UnixSpawn spawn = unixSpawn();
    if (!spawn) return std::nullopt;
    std::string shell = "/bin/sh", option = "-c", script = command;
    char* argv[] = {shell.data(), option.data(), script.data(), nullptr};
    return static_cast<int>(spawn(argv, 1));
}

bool unixUserIsRoot()
{
    const auto code = runUnixCommand("[ \"$(id -u)\" = 0 ]");
    return code && *code == 0;
}

std::string windowsPathOfUnixPath(std::string_view unixPath)
{
    std::string path = "Z:";
    for (char c : unixPath) path += c == '/' ? '\\' : c;
    return path;
}

std::string shellQuoted(std::string_view text)
{
    std::string quoted = "'";
    for (char c : text) {
        if (c == '\'')
            quoted += "'\\''";
        else
            quoted += c;
    }
    return quoted + "'";
}

} // namespace wrivo::test
