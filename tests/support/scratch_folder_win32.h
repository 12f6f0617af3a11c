// A folder of its own for one test, removed with everything in it afterwards.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace wrivo::test {

class ScratchFolder {
public:
    ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    ~ScratchFolder();

    const std::string& path() const { return path_; }
    // path() + "\\" + name
    std::string file(std::string_view name) const;

private:
    std::string path_;
};

// Removes a folder and everything under it.
void removeFolderTree(const std::string& path);

// Test-side file access that does not go through the code under test.
void putFileBytes(const std::string& path, std::string_view bytes);
// A file of `size` zero bytes, made without writing them (sparse where it can be).
void putFileOfSize(const std::string& path, std::uint64_t size);
std::string fileBytes(const std::string& path); // empty when missing
bool fileExists(const std::string& path);
std::vector<std::string> namesInFolder(const std::string& folder);

} // namespace wrivo::test
