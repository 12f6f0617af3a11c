#include "services/store/version_files.h"

#include <windows.h>
#include <shellapi.h>

#include <map>

#include "host/scoped_win32.h"
#include "services/store/files.h"
#include "services/store/recovery_store.h"
#include "services/text/code_page.h"

namespace wrivo {
namespace {

constexpr std::uint64_t oneDay = 24ull * 60 * 60 * 10'000'000; // 100 ns units
constexpr DWORD shelfHeadBytes = 512;                          // room for 20 characters and the spaces between

// In the code page, with "?" for what it cannot spell.
std::string narrowed(std::wstring_view text)
{
    const int size =
        WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, "?", nullptr);
    std::string narrow(static_cast<std::size_t>(size > 0 ? size : 0), '\0');
    if (size > 0)
        WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), narrow.data(), size, "?", nullptr);
    return narrow;
}

// Upper-cased the way the file system compares names (LCMapStringW with
// LCMAP_UPPERCASE and the invariant locale: linguistic rules of no one
// language).
std::wstring upperCased(const std::wstring& path)
{
    if (path.empty()) return path;
    std::wstring folded(path.size(), L'\0');
    const int length = LCMapStringW(LOCALE_INVARIANT, LCMAP_UPPERCASE, path.data(), static_cast<int>(path.size()),
                                    folded.data(), static_cast<int>(folded.size()));
    if (length <= 0) return path;
    folded.resize(static_cast<std::size_t>(length));
    return folded;
}

std::wstring foldedFullPath(std::string_view path)
{
    return upperCased(fullPath(widened(path)));
}

std::uint64_t fileTimeValue(const FILETIME& time)
{
    return std::uint64_t{time.dwHighDateTime} << 32 | time.dwLowDateTime;
}

struct FoundFile {
    std::wstring name;
    std::uint64_t size = 0;
    std::uint64_t writeTime = 0;
    bool folder = false;
};

std::vector<FoundFile> filesIn(const std::wstring& folder)
{
    std::vector<FoundFile> found;
    WIN32_FIND_DATAW data;
    const ScopedFileSearch search(FindFirstFileW((folder + L"\\*").c_str(), &data));
    if (!search) return found;
    do {
        const std::wstring name = data.cFileName;
        if (name == L"." || name == L"..") continue;
        found.push_back({name, std::uint64_t{data.nFileSizeHigh} << 32 | data.nFileSizeLow,
                         fileTimeValue(data.ftLastWriteTime), (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0});
    } while (FindNextFileW(search.get(), &data));
    return found;
}

// Up to `most` bytes from the start of the file (fewer when it is shorter);
// nothing when it cannot be opened.
std::optional<std::string> headOf(const std::wstring& path, DWORD most)
{
    const ScopedFile file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return std::nullopt;
    std::string bytes(most, '\0');
    DWORD got = 0;
    if (!ReadFile(file.get(), bytes.data(), most, &got, nullptr)) return std::nullopt;
    bytes.resize(got);
    return bytes;
}

std::string folderNamed(const std::wstring& path)
{
    const std::wstring folded = upperCased(path);
    return historyFolderName(std::u16string_view(reinterpret_cast<const char16_t*>(folded.data()), folded.size()));
}

bool isFolder(const std::string& path)
{
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// path.txt: the file's path in UTF-8, for a person looking in the folder.
bool notePath(const std::string& folder, const std::wstring& path)
{
    const int size =
        WideCharToMultiByte(CP_UTF8, 0, path.data(), static_cast<int>(path.size()), nullptr, 0, nullptr, nullptr);
    std::string utf8 = "\xEF\xBB\xBF" + std::string(static_cast<std::size_t>(size > 0 ? size : 0), '\0');
    if (size > 0)
        WideCharToMultiByte(CP_UTF8, 0, path.data(), static_cast<int>(path.size()), utf8.data() + 3, size, nullptr,
                            nullptr);
    utf8 += "\r\n";
    return writeOwnFile(folder + "\\path.txt", {{reinterpret_cast<const std::uint8_t*>(utf8.data()), utf8.size()}});
}

// The file's folders in the history, its own first. It is named by the path
// the file finally has, so that one file reached through a short name or a
// symbolic link has one history; a folder named by the full path as given
// (as they once were) becomes the file's own when that name is free, and is
// listed beside it when it is not.
struct FileFolders {
    std::vector<std::string> folders;
    std::wstring path;
};
FileFolders fileHistoryFolders(std::string_view documentPath)
{
    const std::string history = historyFolder();
    if (history.empty()) return {};
    const std::wstring full = fullPath(widened(documentPath));
    FileFolders found{{}, finalPathName(full).value_or(full)};
    found.folders.push_back(history + "\\" + folderNamed(found.path));
    const std::string earlier = history + "\\" + folderNamed(full);
    if (earlier == found.folders[0] || !isFolder(earlier)) return found;
    if (!isFolder(found.folders[0]) && MoveFileA(earlier.c_str(), found.folders[0].c_str()))
        notePath(found.folders[0], found.path);
    else
        found.folders.push_back(earlier);
    return found;
}

// The file's own folder in the history, with its path.txt, made when missing.
std::string fileHistoryFolder(std::string_view documentPath)
{
    const FileFolders found = fileHistoryFolders(documentPath);
    if (found.folders.empty()) return {};
    const std::string& folder = found.folders[0];
    if (!CreateDirectoryA(folder.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) return {};
    if (GetFileAttributesA((folder + "\\path.txt").c_str()) == INVALID_FILE_ATTRIBUTES && !notePath(folder, found.path))
        return {};
    return folder;
}

struct FolderNames {
    std::vector<std::string> names;
    std::map<std::string, std::uint64_t> sizes;
};

FolderNames namesIn(const std::string& folder)
{
    FolderNames found;
    for (const FoundFile& file : filesIn(widened(folder)))
        if (!file.folder) {
            found.names.push_back(narrowed(file.name));
            found.sizes[found.names.back()] = file.size;
        }
    return found;
}

// Whether the newest version in the folder holds exactly these bytes.
bool newestHolds(const std::string& folder, FolderNames& found, std::span<const std::uint8_t> bytes)
{
    const std::vector<ListedVersion> newest = listVersions(found.names, 1);
    if (newest.empty() || found.sizes[newest[0].name] != bytes.size()) return false;
    const std::optional<std::vector<std::uint8_t>> kept = tryReadFile(folder + "\\" + newest[0].name, bytes.size());
    return kept && std::equal(kept->begin(), kept->end(), bytes.begin(), bytes.end());
}

// The limits over every file's history; `written`, when named, always stays.
void tidy(const StoredVersion& written)
{
    const std::string history = historyFolder();
    if (history.empty()) return;
    const std::wstring root = widened(history);
    FILETIME now{};
    GetSystemTimeAsFileTime(&now);
    std::vector<StoredVersion> versions;
    for (const FoundFile& folder : filesIn(root)) {
        if (!folder.folder) continue;
        const std::wstring path = root + L"\\" + folder.name;
        const std::string folderName = narrowed(folder.name);
        for (const FoundFile& file : filesIn(path)) {
            if (file.folder) continue;
            const std::string name = narrowed(file.name);
            if (name.ends_with(".tmp") && file.writeTime + oneDay < fileTimeValue(now))
                DeleteFileW((path + L"\\" + file.name).c_str());
            else
                versions.push_back({folderName, name, file.size, folderName == written.folder && name == written.name});
        }
    }
    for (const StoredVersion& old : versionsToRemove(std::move(versions)))
        DeleteFileA((history + "\\" + old.folder + "\\" + old.name).c_str());
}

} // namespace

bool isStoreFile(std::string_view path)
{
    const std::string store = storeFolderPath();
    if (store.empty() || path.empty()) return false;
    const std::wstring folded = foldedFullPath(path);
    const std::wstring storeFolded = foldedFullPath(store) + L"\\";
    return folded.compare(0, storeFolded.size(), storeFolded) == 0;
}

VersionOutcome keepVersion(std::string_view documentPath, std::span<const std::uint8_t> bytes, std::int64_t words,
                           const DateTimeFields& time)
{
    const std::string folder = fileHistoryFolder(documentPath);
    if (folder.empty()) return VersionOutcome::failed;
    FolderNames found = namesIn(folder);
    if (newestHolds(folder, found, bytes)) return VersionOutcome::alreadyKept;
    const int first = nextDuplicate(found.names, time);
    for (int duplicate = first; duplicate < first + 1000; ++duplicate) {
        // Through a temporary file and a rename that takes a free name only:
        // a second save in the same second, here or in another program, gets
        // the next name.
        WriteFailure failure;
        const std::string name = versionFileName(time, words, duplicate);
        if (writeNewFile(folder + "\\" + name, {bytes}, failure)) {
            tidy({folder.substr(folder.rfind('\\') + 1), name, bytes.size(), true});
            return VersionOutcome::kept;
        }
        if (failure.systemError != ERROR_ALREADY_EXISTS && failure.systemError != ERROR_FILE_EXISTS) break;
    }
    return VersionOutcome::failed;
}

void tidyVersions()
{
    tidy({});
}

std::vector<VersionsEntry> listedVersionsOf(std::string_view documentPath)
{
    std::vector<VersionsEntry> entries;
    if (documentPath.empty()) return entries;
    std::vector<std::string> names;
    std::multimap<std::string, std::string> folderOf; // a name may be in both folders
    for (const std::string& folder : fileHistoryFolders(documentPath).folders)
        for (const FoundFile& file : filesIn(widened(folder)))
            if (!file.folder) {
                names.push_back(narrowed(file.name));
                folderOf.emplace(names.back(), folder);
            }
    for (const ListedVersion& version : listVersions(names)) {
        const auto found = folderOf.find(version.name);
        const std::string path = found->second + "\\" + version.name;
        folderOf.erase(found);
        entries.push_back({widened(path), path, version.time, version.words, version.change, {}});
    }
    return entries;
}

std::vector<VersionsEntry> listedShelf()
{
    std::vector<VersionsEntry> entries;
    const std::string folder = shelfFolder();
    if (folder.empty()) return entries;
    const std::wstring wideFolder = widened(folder);
    std::vector<std::string> names;
    std::map<std::string, std::wstring> wideNames; // a name "?" stands in for still opens
    for (const FoundFile& file : filesIn(wideFolder))
        if (!file.folder) {
            names.push_back(narrowed(file.name));
            wideNames.emplace(names.back(), file.name);
        }
    for (const ListedShelfFile& file : listShelf(names)) {
        VersionsEntry entry{wideFolder + L"\\" + wideNames[file.name],
                            folder + "\\" + file.name,
                            file.time,
                            file.words,
                            std::nullopt,
                            {}};
        entry.head = firstCharacters(headOf(entry.path, shelfHeadBytes).value_or(std::string()));
        entries.push_back(std::move(entry));
    }
    return entries;
}

std::optional<std::string> readVersionsEntry(const VersionsEntry& entry, std::uint64_t& fileSize)
{
    fileSize = 0;
    const ScopedFile file(CreateFileW(entry.path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size{};
    if (!file || !GetFileSizeEx(file.get(), &size)) return std::nullopt;
    fileSize = static_cast<std::uint64_t>(size.QuadPart);
    if (fileSize > largestReadableFile) return std::nullopt;
    std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
    DWORD total = 0;
    while (total < bytes.size()) {
        DWORD got = 0;
        if (!ReadFile(file.get(), bytes.data() + total, static_cast<DWORD>(bytes.size()) - total, &got, nullptr))
            return std::nullopt;
        if (got == 0) break;
        total += got;
    }
    bytes.resize(total);
    return bytes;
}

void showInExplorer(const std::wstring& path)
{
    // "explorer /select,<file>" opens the folder with the file chosen; a
    // folder itself is opened with the "explore" verb. ShellExecute may hand
    // the work to shell extensions that need COM on the calling thread: the
    // host has started OLE (a single-threaded apartment) on this one.
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
        ShellExecuteW(nullptr, L"explore", path.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    else
        ShellExecuteW(nullptr, L"open", L"explorer.exe", (L"/select,\"" + path + L"\"").c_str(), nullptr,
                      SW_SHOWNORMAL);
}

std::wstring historyFolderOf(std::string_view documentPath)
{
    return documentPath.empty() ? std::wstring() : widened(fileHistoryFolder(documentPath));
}

std::wstring shelfListFolder()
{
    return widened(shelfFolder());
}

} // namespace wrivo
