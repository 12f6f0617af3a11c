#include "services/store/word_lists.h"

#include <windows.h>

#include <algorithm>

#include "services/store/files.h"
#include "services/store/recovery_store.h"
#include "services/text/code_page.h"

namespace wrivo {
namespace {

constexpr std::uint64_t largestList = 16u << 20;
constexpr std::string_view utf8Mark = "\xEF\xBB\xBF";
constexpr UINT gbk = 936;

// Words\ of the store folder, made when `make` and missing; empty when there
// is none.
std::string wordsFolder(bool make)
{
    const std::string store = make ? storeFolder() : storeFolderPath();
    if (store.empty()) return {};
    const std::string folder = store + "\\Words";
    if (make) CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

std::optional<std::string> readList(const std::string& path)
{
    const std::optional<std::vector<std::uint8_t>> bytes = tryReadFile(path, largestList);
    if (!bytes) return std::nullopt;
    return wordListText(std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size()));
}

} // namespace

std::optional<std::string> wordListText(std::string_view bytes)
{
    if (!bytes.starts_with(utf8Mark)) return std::string(bytes);
    bytes.remove_prefix(utf8Mark.size());
    if (bytes.empty()) return std::string();
    const int size = static_cast<int>(bytes.size());
    const int wide = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, bytes.data(), size, nullptr, 0);
    if (wide <= 0) return std::nullopt;
    std::wstring text(static_cast<std::size_t>(wide), L'\0');
    MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, bytes.data(), size, text.data(), wide);
    const int narrow = WideCharToMultiByte(gbk, 0, text.data(), wide, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(std::max(narrow, 0)), '\0');
    WideCharToMultiByte(gbk, 0, text.data(), wide, out.data(), narrow, nullptr, nullptr);
    return out;
}

WordListsRead readWordLists()
{
    WordListsRead read;
    const std::string folder = wordsFolder(false);
    if (folder.empty()) return read;
    WIN32_FIND_DATAA found{};
    const HANDLE search = FindFirstFileA((folder + "\\*.txt").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return read;
    std::vector<std::string> names;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && found.cFileName != ignoredWordsFile)
            names.emplace_back(found.cFileName);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    std::sort(names.begin(), names.end());
    for (const std::string& name : names) {
        const std::string path = folder + "\\" + name;
        if (const std::optional<std::string> text = readList(path))
            read.lists.push_back({name, parseWordList(*text)});
        else
            read.unreadable.push_back(path);
    }
    return read;
}

std::set<std::string> readIgnoredWords()
{
    const std::string folder = wordsFolder(false);
    if (folder.empty()) return {};
    const std::optional<std::string> text = readList(folder + "\\" + std::string(ignoredWordsFile));
    if (!text) return {};
    const std::vector<std::string> words = parseWordList(*text);
    return {words.begin(), words.end()};
}

bool addIgnoredWord(std::string_view word)
{
    const std::string folder = wordsFolder(true);
    if (folder.empty()) return false;
    const std::string path = folder + "\\" + std::string(ignoredWordsFile);
    std::string text;
    if (const std::optional<std::vector<std::uint8_t>> bytes = tryReadFile(path, largestList))
        text.assign(bytes->begin(), bytes->end());
    else if (GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES)
        return false; // there but unreadable: never written over
    if (!text.empty() && text.back() != '\n') text += "\r\n";
    if (text.starts_with(utf8Mark)) {
        // The writer's file stays in the encoding it is in.
        const std::wstring wide = widened(word, gbk);
        const int size = static_cast<int>(wide.size());
        std::string utf8(static_cast<std::size_t>(size) * 3, '\0');
        utf8.resize(static_cast<std::size_t>(
            WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, utf8.data(), size * 3, nullptr, nullptr)));
        text += utf8;
    } else {
        text.append(word);
    }
    text += "\r\n";
    return writeOwnFile(path, {{reinterpret_cast<const std::uint8_t*>(text.data()), text.size()}});
}

} // namespace wrivo
