#include "tests/support/tiny_disk_win32.h"

#include "tests/support/unix_command_win32.h"

#include <windows.h>

#include <cstdio>

namespace wrivo::test {

TinyDisk::TinyDisk(unsigned sizeBytes, unsigned fileCount)
{
    if (!runningUnderWine()) {
        reason_ = "needs Wine to mount a small file system";
        return;
    }
    if (!unixUserIsRoot()) {
        reason_ = "needs root to mount a small tmpfs (run the tests as root)";
        return;
    }
    static unsigned serial = 0;
    char name[96];
    std::snprintf(name, sizeof name, "/tmp/wrivo-disk-%lu-%lu-%u", GetCurrentProcessId(), GetTickCount(), ++serial);
    unixFolder_ = name;
    std::string options = "size=" + std::to_string(sizeBytes);
    if (fileCount) options += ",nr_inodes=" + std::to_string(fileCount);
    const std::string folder = shellQuoted(unixFolder_);
    const auto code =
        runUnixCommand("mkdir -p " + folder + " && mount -t tmpfs -o " + options + " wrivo-test " + folder);
    if (!code || *code != 0) {
        runUnixCommand("rmdir " + folder + " 2>/dev/null");
        reason_ = "mount -t tmpfs failed (exit " + std::to_string(code.value_or(-1)) + ")";
        return;
    }
    mounted_ = true;
    windowsFolder_ = windowsPathOfUnixPath(unixFolder_);
}

bool TinyDisk::makeReadOnly()
{
    return mounted_ && runUnixCommand("mount -o remount,ro " + shellQuoted(unixFolder_)) == 0;
}

TinyDisk::~TinyDisk()
{
    if (!mounted_) return;
    const std::string folder = shellQuoted(unixFolder_);
    // Wine's server may still hold a handle for a moment; a lazy unmount
    // detaches the file system at once and frees it when the last user leaves.
    runUnixCommand("for try in 1 2 3; do mountpoint -q " + folder + " || break; umount " + folder +
                   " 2>/dev/null || umount -l " + folder + "; done; rmdir " + folder);
}

} // namespace wrivo::test
