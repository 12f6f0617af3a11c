#include "app/document.h"

#include "app/editing_commands.h"
#include "app/file_admission.h"
#include "app/history.h"
#include "app/main_window.h"
#include "app/notices.h"
#include "app/recovery.h"
#include "app/statistics_handlers.h"
#include "app/units.h"
#include "host/host.h"
#include "services/controls/control_operations.h"
#include "services/controls/edit_box_operations.h"
#include "services/controls/unit_properties.h"
#include "services/file_text_match.h"
#include "services/files.h"
#include "services/message_box.h"
#include "services/recovery_store.h"
#include "services/text.h"

namespace wrivo {
namespace {

void setText(std::string text)
{
    editBox.setContent(std::move(text));
}

// The file's text to load, or nothing when it cannot be read or the user
// declined it (see file_admission.h).
std::optional<std::string> readAdmitted(const std::string& path)
{
    if (!admitFilePath(path)) return std::nullopt;
    std::optional<std::vector<std::uint8_t>> bytes = tryReadFile(path);
    if (!bytes) {
        // Too large, or not readable at all: the notice says which.
        const std::optional<std::uint64_t> size = fileSize(path);
        tell(size && *size > largestReadableFile ? notices::fileTooLarge(path, *size >> 20, largestReadableFile >> 20)
                                                 : notices::fileUnreadable(path));
        return std::nullopt;
    }
    return admitFileText(path, std::move(*bytes));
}

} // namespace

Document& document()
{
    static Document theDocument;
    return theDocument;
}

std::string Document::file() const
{
    return commonDialog.fileName();
}

std::string Document::text() const
{
    return editBox.content();
}

bool Document::isEmpty() const
{
    return compareBytes(text(), "") == 0;
}

bool Document::isModified() const
{
    const std::string document = text();
    if (compareBytes(document, "") == 0) return false;
    // Compared in pieces: a document grown past the largest file read whole
    // still matches the file it was just saved to.
    return !fileHoldsText(file(), document);
}

void Document::setFile(const std::string& path)
{
    commonDialog.setFileName(path);
}

bool Document::open(const std::string& path)
{
    std::optional<std::string> text = readAdmitted(path);
    if (!text) return false;
    load(path, std::move(*text));
    return true;
}

void Document::load(const std::string& path, std::string text)
{
    // Shelved while the old file is still the remembered one: a saved
    // document is not unsaved text, however different the new file is.
    recovery::shelveUnsavedDocument();
    setFile(path);
    setText("");
    setText(std::move(text));
    refreshParagraphRows();
    startFreshHistory(); // what was undoable belonged to the text now gone
}

bool Document::append(const std::string& path)
{
    std::optional<std::string> text = readAdmitted(path);
    if (!text) return false;
    setFile(path);
    appendText(editBoxRef, {*text});
    refreshParagraphRows();
    return true;
}

bool Document::saveTo(const std::string& path)
{
    setFile(path);
    const std::string document = text();
    // The file's old bytes are read before the write replaces them; the
    // worker keeps them as a version once the save has happened.
    std::optional<history::ReplacedBytes> replaced = history::bytesBeforeSave(path, document);
    WriteFailure failure;
    if (!writeFile(path, {{reinterpret_cast<const std::uint8_t*>(document.data()), document.size()}}, failure,
                   &documentSaveNotes())) {
        // The write goes to a temporary file first, so the file on disk is as it was.
        tell(notices::saveFailed(path, failure.systemError, systemMessage(failure.systemError), failure.targetExisted));
        return false;
    }
    if (replaced) history::keepAfterSave(std::move(*replaced));
    recovery::documentSaved();
    return true;
}

void Document::discardText()
{
    recovery::shelveUnsavedDocument();
    setText("");
}

void Document::restore(const std::string& path, std::string text)
{
    // The text differs from the file (that is why it was kept), so it
    // counts as modified and the save dialog offers the file.
    load(path, std::move(text));
}

} // namespace wrivo
