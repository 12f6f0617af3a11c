// The second copy of every saved document, in a folder the writer chose (a
// USB stick, a synced folder): which name each copy takes there, and the
// index that says whose copy each one is. The files themselves:
// services/store/backup_files.h.
//
// A copy takes its document's file name. When another file already has that
// name in the folder (a file of the writer's own, or the copy of another
// document of that name), the copy is "name (2).txt", "name (3).txt" … The
// folder's backup-index.txt holds one line per copy, "name<TAB>full path",
// GBK, and a copy keeps its name from one save to the next through it.
#pragma once
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace wrivo::backup {

inline constexpr std::string_view indexName = "backup-index.txt";

struct IndexEntry {
    std::string name; // the copy's file name in the folder
    std::string path; // the document's full path
    friend bool operator==(const IndexEntry&, const IndexEntry&) = default;
};

// Lines that are no "name<TAB>path" are skipped.
std::vector<IndexEntry> parseIndex(std::string_view text);
std::string indexText(const std::vector<IndexEntry>& index);

// Paths and names as the file system compares them: ASCII letters in any
// case (never a GBK character's second byte), '/' as '\', no trailing '\'.
bool sameName(std::string_view a, std::string_view b);
// What follows the path's last '\' or '/'; the folder before it.
std::string_view fileNameOf(std::string_view path);
std::string_view folderOf(std::string_view path);

// "第一卷.txt" with 2 is "第一卷 (2).txt"; the number goes before the
// extension, or at the end when there is none.
std::string numberedName(std::string_view name, int number);

// The name the copy of `document` takes: the index's when it has one, else
// the first numbered name that neither the index nor an existing file of the
// folder (`exists`) gives to something else; a new name is added to the index.
std::string copyNameFor(std::vector<IndexEntry>& index, std::string_view document,
                        const std::function<bool(std::string_view name)>& exists);

} // namespace wrivo::backup
