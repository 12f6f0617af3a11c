// Lets a Win32 test running under Wine set up the Linux side of a scene:
// mount a tiny file system, point Wine at a helper script, and so on.
#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace wrivo::test {

// Whether this process runs under Wine (and can therefore reach Linux).
bool runningUnderWine();

// Runs `/bin/sh -c command` on the Linux side and waits for it. The exit code,
// or nothing when not under Wine.
std::optional<int> runUnixCommand(const std::string& command);

// Whether Linux commands run as root (mount needs it).
bool unixUserIsRoot();

// The Windows name of a Linux path through Wine's Z: drive: "/tmp/a" -> "Z:\tmp\a".
std::string windowsPathOfUnixPath(std::string_view unixPath);

// Quotes a text for the shell.
std::string shellQuoted(std::string_view text);

} // namespace wrivo::test
