#include "services/store/backup_files.h"

#include <windows.h>

#include <cstdint>
#include <span>

#include "services/store/backup_names.h"
#include "services/store/files.h"

namespace wrivo::backup {
namespace {

std::span<const std::uint8_t> bytesOf(std::string_view text)
{
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

bool isFolder(const std::string& path)
{
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The thread's error mode for as long as it lives: no critical-error box.
class QuietErrors {
public:
    QuietErrors() { SetThreadErrorMode(SEM_FAILCRITICALERRORS, &before_); }
    ~QuietErrors() { SetThreadErrorMode(before_, nullptr); }
    QuietErrors(const QuietErrors&) = delete;
    QuietErrors& operator=(const QuietErrors&) = delete;

private:
    DWORD before_ = 0;
};

std::string volumeOf(std::string_view path)
{
    char volume[MAX_PATH] = {};
    return GetVolumePathNameA(std::string(path).c_str(), volume, MAX_PATH) ? volume : "";
}

} // namespace

bool writeCopy(std::string_view folder, std::string_view document, std::string_view text)
{
    QuietErrors quiet;
    const std::string base = folder.ends_with('\\') ? std::string(folder) : std::string(folder) + "\\";
    if (!isFolder(base)) return false;
    const std::string indexPath = base + std::string(indexName);
    const std::optional<std::vector<std::uint8_t>> stored = tryReadFile(indexPath);
    if (!stored && fileSize(indexPath)) return false; // an index that does not read is never written over
    std::vector<IndexEntry> index =
        parseIndex(stored ? std::string_view(reinterpret_cast<const char*>(stored->data()), stored->size()) : "");
    const std::size_t known = index.size();
    const std::string name = copyNameFor(index, document, [&](std::string_view candidate) {
        return GetFileAttributesA((base + std::string(candidate)).c_str()) != INVALID_FILE_ATTRIBUTES;
    });
    if (index.size() != known && !writeOwnFile(indexPath, {bytesOf(indexText(index))})) return false;
    return writeOwnFile(base + name, {bytesOf(text)});
}

bool sameVolume(std::string_view a, std::string_view b)
{
    const std::string first = volumeOf(a);
    return !first.empty() && sameName(first, volumeOf(b));
}

} // namespace wrivo::backup
