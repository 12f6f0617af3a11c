#include "app/versions.h"

#include "app/app_globals.h"

#include <atomic>
#include <cstring>

#include "app/command_handlers.h"
#include "app/document.h"
#include "app/document_commands.h"
#include "app/file_admission.h"
#include "app/notices.h"
#include "app/recovery_internal.h"
#include "app/start_window.h"
#include "services/dialogs/message_box.h"
#include "services/dialogs/versions_dialog.h"
#include "services/store/background_queue.h"
#include "services/store/files.h"
#include "services/store/version_files.h"
#include "services/text/datetime.h"
#include "services/writing/word_count.h"

namespace wrivo::versions {
namespace {

Trouble& trouble()
{
    return processState().versionTrouble;
}

constexpr VersionsDialogTexts dialogTexts{"历史版本", "本文件的历史版本", "丢弃的文字", "打开", "打开文件夹", "关闭"};

std::string versionLine(const VersionsEntry& entry)
{
    std::string line = nameTimeText(entry.time) + "\t" + std::to_string(entry.words.value_or(0)) + " 字\t";
    if (entry.change) line += (*entry.change >= 0 ? "+" : "") + std::to_string(*entry.change) + " 字";
    return line;
}

std::string shelfLine(const VersionsEntry& entry)
{
    return nameTimeText(entry.time) + "\t" + (entry.head.empty() ? std::string("（空）") : entry.head) + "\t" +
           (entry.words ? std::to_string(*entry.words) + " 字" : std::string("?"));
}

// The chosen text becomes the document, modified, with `remembered` as its
// file (the current file for a version, none for a shelf text). A modified
// document is offered for saving first, as new does: Yes saves (a save that
// did not happen ends the command), No puts it on the shelf.
void openEntry(const VersionsEntry& entry, const std::string& remembered)
{
    if (isDocumentModified() && askToSaveChanges() && !saveWithDialog()) return;
    std::uint64_t size = 0;
    std::optional<std::string> bytes = readVersionsEntry(entry, size);
    if (!bytes) {
        tell(size > largestReadableFile ? notices::fileTooLarge(entry.shownPath, size >> 20, largestReadableFile >> 20)
                                        : notices::fileUnreadable(entry.shownPath));
        return;
    }
    std::optional<std::string> text =
        admitFileText(entry.shownPath, std::vector<std::uint8_t>(bytes->begin(), bytes->end()));
    if (!text) return;
    document().restore(remembered, std::move(*text));
}

} // namespace

std::optional<ReplacedBytes> bytesBeforeSave(const std::string& path, std::string_view text)
{
    if (path.empty() || isStoreFile(path)) return std::nullopt;
    std::optional<std::vector<std::uint8_t>> bytes = tryReadFile(path);
    if (!bytes) return fileSize(path) ? std::optional(ReplacedBytes{path, {}, true}) : std::nullopt;
    if (bytes->size() == text.size() && std::memcmp(bytes->data(), text.data(), text.size()) == 0) return std::nullopt;
    return ReplacedBytes{path, std::move(*bytes)};
}

void keepAfterSave(ReplacedBytes replaced)
{
    if (replaced.unreadable) {
        if (trouble().unreadable.empty()) trouble().unreadable = std::move(replaced.path);
        return;
    }
    worker().post([replaced = std::move(replaced), time = dateTimeFields(now())] {
        const std::string_view text(reinterpret_cast<const char*>(replaced.bytes.data()), replaced.bytes.size());
        if (keepVersion(replaced.path, replaced.bytes, countWords(text).words, time) == VersionOutcome::failed)
            trouble().versionFailed = true;
    });
}

namespace {

class SaveFollower final : public DocumentWatcher {
public:
    void replacing(const std::string& path, const std::string& text) override
    {
        replaced_ = bytesBeforeSave(path, text);
    }
    void saved(const std::string& path, const std::shared_ptr<const std::string>&) override
    {
        if (replaced_ && replaced_->path == path) keepAfterSave(std::move(*replaced_));
        replaced_.reset();
    }

private:
    std::optional<ReplacedBytes> replaced_; // read before the save now under way
};

} // namespace

std::unique_ptr<DocumentWatcher> watchSaves()
{
    return std::make_unique<SaveFollower>();
}

void tidyAtStart()
{
    worker().post(tidyVersions);
}

void reportTrouble()
{
    Trouble& state = trouble();
    if (!state.unreadable.empty() && !state.unreadableTold) {
        state.unreadableTold = true;
        tell(notices::versionNotKept(state.unreadable, largestReadableFile >> 20));
    }
    if (state.told || !state.versionFailed) return;
    state.told = true;
    tell(notices::versionsUnwritable());
}

} // namespace wrivo::versions

namespace wrivo {

std::optional<std::int32_t> handlers::showHistory(const EventArguments&)
{
    const std::string file = document().file();
    const std::vector<VersionsEntry> versions = listedVersionsOf(file);
    const std::vector<VersionsEntry> shelf = listedShelf();
    std::vector<std::string> versionLines, shelfLines;
    for (const VersionsEntry& entry : versions) versionLines.push_back(versions::versionLine(entry));
    for (const VersionsEntry& entry : shelf) shelfLines.push_back(versions::shelfLine(entry));
    auto showFolder = [&](const VersionsChoice& choice) {
        const std::vector<VersionsEntry>& list = choice.list == HistoryList::versions ? versions : shelf;
        if (choice.index >= 0) return showInExplorer(list[static_cast<std::size_t>(choice.index)].path);
        const std::wstring folder = choice.list == HistoryList::versions ? historyFolderOf(file) : shelfListFolder();
        if (!folder.empty()) showInExplorer(folder);
    };
    const std::optional<VersionsChoice> choice =
        chooseVersion(mainWindowRef, versions::dialogTexts, versionLines, shelfLines, showFolder);
    if (!choice) return std::nullopt;
    if (choice->list == HistoryList::versions)
        versions::openEntry(versions.at(static_cast<std::size_t>(choice->index)), file);
    else
        versions::openEntry(shelf.at(static_cast<std::size_t>(choice->index)), std::string());
    return std::nullopt;
}

} // namespace wrivo
