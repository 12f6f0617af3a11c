#include "tests/support/scratch_folder_win32.h"
#include "host/scoped_win32.h"

#include <windows.h>

#include <cstdio>
#include <stdexcept>

namespace wrivo::test {

ScratchFolder::ScratchFolder()
{
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    static unsigned serial = 0;
    for (;;) {
        char name[64];
        std::snprintf(name, sizeof name, "wrivo-test-%lu-%lu-%u", GetCurrentProcessId(), GetTickCount(), ++serial);
        std::string candidate = std::string(temp) + name;
        if (CreateDirectoryA(candidate.c_str(), nullptr)) {
            path_ = candidate;
            return;
        }
        if (GetLastError() != ERROR_ALREADY_EXISTS)
            throw std::runtime_error("cannot make a scratch folder in " + std::string(temp));
    }
}

ScratchFolder::~ScratchFolder()
{
    removeFolderTree(path_);
}

std::string ScratchFolder::file(std::string_view name) const
{
    return path_ + "\\" + std::string(name);
}

void removeFolderTree(const std::string& path)
{
    for (const std::string& name : namesInFolder(path)) {
        const std::string child = path + "\\" + name;
        const DWORD attributes = GetFileAttributesA(child.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
            removeFolderTree(child);
        } else {
            SetFileAttributesA(child.c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileA(child.c_str());
        }
    }
    RemoveDirectoryA(path.c_str());
}

void putFileBytes(const std::string& path, std::string_view bytes)
{
    ScopedFile file(
        CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) throw std::runtime_error("cannot create " + path);
    DWORD written = 0;
    const BOOL ok = WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    file.reset();
    if (!ok || written != bytes.size()) throw std::runtime_error("cannot write " + path);
}

void putFileOfSize(const std::string& path, std::uint64_t size)
{
    ScopedFile file(
        CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) throw std::runtime_error("cannot create " + path);
    LARGE_INTEGER end;
    end.QuadPart = static_cast<LONGLONG>(size);
    const BOOL ok = SetFilePointerEx(file.get(), end, nullptr, FILE_BEGIN) && SetEndOfFile(file.get());
    file.reset();
    if (!ok) throw std::runtime_error("cannot size " + path);
}

std::string fileBytes(const std::string& path)
{
    const ScopedFile file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return {};
    std::string bytes(GetFileSize(file.get(), nullptr), '\0');
    DWORD got = 0;
    ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr);
    bytes.resize(got);
    return bytes;
}

bool fileExists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::vector<std::string> namesInFolder(const std::string& folder)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    const ScopedFileSearch search(FindFirstFileA((folder + "\\*").c_str(), &found));
    if (!search) return names;
    do {
        const std::string name = found.cFileName;
        if (name != "." && name != "..") names.push_back(name);
    } while (FindNextFileA(search.get(), &found));
    return names;
}

} // namespace wrivo::test
