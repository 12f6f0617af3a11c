// A real, tiny Linux file system (tmpfs) mounted for one test, reached from
// the Win32 side through Wine's Z: drive. Writes to it fail for real when it is
// full. Mounting needs Wine and root; ready() says whether it worked and
// whyNotReady() says why not, for a clean skip.
#pragma once
#include <string>

namespace wrivo::test {

class TinyDisk {
public:
    // sizeBytes: room for file data; fileCount: how many files and folders it
    // can hold at most (0 = the system's default).
    explicit TinyDisk(unsigned sizeBytes, unsigned fileCount = 0);
    TinyDisk(const TinyDisk&) = delete;
    TinyDisk& operator=(const TinyDisk&) = delete;
    ~TinyDisk();

    bool ready() const { return mounted_; }
    const std::string& whyNotReady() const { return reason_; }
    // The mounted folder as a Windows path, e.g. "Z:\tmp\wrivo-disk-abc".
    const std::string& folder() const { return windowsFolder_; }
    std::string file(const std::string& name) const { return windowsFolder_ + "\\" + name; }
    // Mounts it again read-only: every folder on it refuses new files, as a
    // read-only medium does (root ignores permission bits, so chmod would not).
    bool makeReadOnly();

private:
    bool mounted_ = false;
    std::string reason_;
    std::string unixFolder_;
    std::string windowsFolder_;
};

} // namespace wrivo::test
