#include "services/files.h"

#include "services/file_path.h"

#include <windows.h>

namespace wrivo {

namespace {

// Owns one kernel file handle.
class FileHandle {
public:
    explicit FileHandle(HANDLE handle) : handle_(handle) {}
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    ~FileHandle() { close(); }

    bool valid() const { return handle_ != INVALID_HANDLE_VALUE && handle_ != nullptr; }
    HANDLE get() const { return handle_; }
    bool close()
    {
        if (!valid())
            return true;
        const bool closed = CloseHandle(handle_) != 0;
        handle_ = INVALID_HANDLE_VALUE;
        return closed;
    }

private:
    HANDLE handle_;
};

// A temporary file that is deleted unless it has been moved into place.
class TemporaryFile {
public:
    explicit TemporaryFile(std::string path) : path_(std::move(path)) {}
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    ~TemporaryFile()
    {
        if (!path_.empty())
            DeleteFileA(path_.c_str());
    }
    const std::string& path() const { return path_; }
    void keep() { path_.clear(); }

private:
    std::string path_;
};

bool writeAll(HANDLE file, std::span<const std::uint8_t> bytes)
{
    while (!bytes.empty()) {
        const DWORD chunk = bytes.size() > 0x1000000 ? 0x1000000 : static_cast<DWORD>(bytes.size());
        DWORD written = 0;
        if (!WriteFile(file, bytes.data(), chunk, &written, nullptr) || written == 0)
            return false;
        bytes = bytes.subspan(written);
    }
    return true;
}

// Whether the target may be written, as an exclusive create-always open would
// allow: it exists and opens for writing with no sharing, or it does not exist
// yet (its folder is checked when the temporary file is made).
bool targetIsWritable(const std::string& path, bool& exists)
{
    // Checked here as well because the open below succeeds on a read-only file
    // when the system does not enforce the attribute (Wine run by root).
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES
        && (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY))) {
        exists = true;
        return false;
    }
    FileHandle probe(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                 FILE_ATTRIBUTE_NORMAL, nullptr));
    if (probe.valid()) {
        exists = true;
        return true;
    }
    exists = false;
    return GetLastError() == ERROR_FILE_NOT_FOUND;
}

bool moveIntoPlace(const std::string& temporary, const std::string& target, bool targetExists)
{
    // ReplaceFile keeps the document's attributes and creation time.
    if (targetExists
        && ReplaceFileA(target.c_str(), temporary.c_str(), nullptr,
                        REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr))
        return true;
    return MoveFileExA(temporary.c_str(), target.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

// Opens an existing file with the given access and sharing (invalid on failure).
FileHandle openExisting(std::string_view path, DWORD access, DWORD sharing)
{
    if (path.empty())
        return FileHandle(INVALID_HANDLE_VALUE);
    const std::string name(path);
    return FileHandle(CreateFileA(name.c_str(), access, sharing, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
}

std::optional<std::uint64_t> sizeOf(const FileHandle& file)
{
    if (!file.valid())
        return std::nullopt;
    DWORD high = 0;
    const DWORD low = GetFileSize(file.get(), &high);
    if (low == INVALID_FILE_SIZE && GetLastError() != NO_ERROR)
        return std::nullopt;
    return std::uint64_t{high} << 32 | low;
}

} // namespace

std::optional<std::uint64_t> fileSize(std::string_view path)
{
    return sizeOf(openExisting(path, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE));
}

std::optional<std::vector<std::uint8_t>> tryReadFile(std::string_view path)
{
    const FileHandle file = openExisting(path, GENERIC_READ, FILE_SHARE_READ);
    const std::optional<std::uint64_t> size = sizeOf(file);
    if (!size || *size > largestReadableFile)
        return std::nullopt;
    const auto length = static_cast<DWORD>(*size);
    std::vector<std::uint8_t> bytes(length);
    DWORD total = 0;
    while (total < length) {
        DWORD got = 0;
        if (!ReadFile(file.get(), bytes.data() + total, length - total, &got, nullptr))
            return std::nullopt;
        if (got == 0)
            break; // the file shrank meanwhile: keep what arrived
        total += got;
    }
    bytes.resize(total);
    return bytes;
}

std::vector<std::uint8_t> readFile(std::string_view path)
{
    return tryReadFile(path).value_or(std::vector<std::uint8_t>{});
}

bool writeFile(std::string_view path, std::initializer_list<std::span<const std::uint8_t>> blocks)
{
    if (path.empty())
        return false;
    const std::string target(path);
    bool targetExists = false;
    if (!targetIsWritable(target, targetExists))
        return false;

    // The temporary file goes beside the target, so that it can replace the
    // target by a rename. "C:" alone would mean that drive's current folder.
    const std::size_t separator = lastSeparator(target);
    const bool driveRoot = separator == 2 && target[1] == ':';
    const std::string folder = separator == std::string::npos
                                   ? std::string(".")
                                   : target.substr(0, driveRoot ? separator + 1 : separator);
    char temporaryName[MAX_PATH] = {};
    if (!GetTempFileNameA(folder.c_str(), "wrv", 0, temporaryName))
        return false;
    TemporaryFile temporary(temporaryName);

    FileHandle file(CreateFileA(temporary.path().c_str(), GENERIC_WRITE, 0, nullptr,
                                TRUNCATE_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid())
        return false;
    for (const auto& block : blocks)
        if (!writeAll(file.get(), block))
            return false;
    if (!FlushFileBuffers(file.get()) || !file.close())
        return false;
    if (!moveIntoPlace(temporary.path(), target, targetExists))
        return false;
    temporary.keep();
    return true;
}

std::string programDirectory()
{
    static const std::string folder = [] {
        std::vector<char> buffer(MAX_PATH);
        for (;;) {
            const DWORD length =
                GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
            if (length == 0)
                return std::string();
            if (length < buffer.size())
                return folderOfPath(std::string_view(buffer.data(), length));
            buffer.resize(buffer.size() * 2);
        }
    }();
    return folder;
}

} // namespace wrivo
