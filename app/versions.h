// Earlier versions of saved files, and the "历史版本" command that lists them
// beside the shelf. A save reads the file's bytes before replacing it; the
// worker keeps them as a version while the editor goes on.
#pragma once
#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/document_model.h"

namespace wrivo::versions {

// The bytes a save is about to replace, read before the replace.
struct ReplacedBytes {
    std::string path;
    std::vector<std::uint8_t> bytes;
    bool unreadable = false; // the file is there but does not read whole
};
// Before the document's `text` is written to `path`: the file's bytes now,
// when they are to be kept (there is such a file, it differs from the text,
// and it is not one of the store's own). A file over largestReadableFile or
// that cannot be read comes back unreadable, with no bytes.
std::optional<ReplacedBytes> bytesBeforeSave(const std::string& path, std::string_view text);
// After the save succeeded: the worker keeps them as the newest version (an
// unreadable file's is noted, to be said).
void keepAfterSave(ReplacedBytes replaced);

// The versions' part in following the document: before a save replaces a
// file its bytes are read (bytesBeforeSave), and once the save happened they
// are kept (keepAfterSave).
std::unique_ptr<DocumentWatcher> watchSaves();

// What went wrong keeping versions: set on the worker, said on the
// user-interface thread (so it lives as long as the worker: processState()).
struct Trouble {
    std::atomic<bool> versionFailed{false};
    bool told = false;
    std::string unreadable; // the first file whose old bytes could not be kept
    bool unreadableTold = false;
};

// At start: the history is tidied, on the worker.
void tidyAtStart();

// Versions that could not be written, and files whose version could not be
// read, are each said once a run, before the next command the user chooses.
void reportTrouble();

} // namespace wrivo::versions
