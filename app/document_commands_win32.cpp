#include "app/document_commands.h"

#include "app/document.h"
#include "app/file_admission.h"
#include "app/main_window.h"
#include "app/notices.h"
#include "app/units.h"
#include "host/host.h"
#include "services/controls/common_dialog_unit_win32.h"
#include "services/controls/control_operations.h"
#include "services/controls/edit_box_operations.h"
#include "services/controls/unit_properties.h"
#include "services/dialogs/message_box.h"
#include "services/store/files.h"
#include "services/store/recovery_store.h"

namespace wrivo {
namespace {

enum class Dialog : std::int32_t {
    open = 0,
    save = 1
};

// The path the user confirmed in the file dialog, or nothing when cancelled.
// The dialog writes its choice into its file-name property; that property is
// the document's remembered file, so it is put back at once: the command
// decides whether the chosen file becomes the document's.
std::optional<std::string> chooseFile(Dialog kind)
{
    const std::string remembered = document().file();
    commonDialog.setDialogType(static_cast<std::int64_t>(kind));
    commonDialog.setInitialFolder(programDirectory());
    if (!openDialog(commonDialogRef)) return std::nullopt;
    std::string chosen = commonDialog.fileName();
    commonDialog.setFileName(remembered);
    return chosen;
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

void appendFile(const std::string& path)
{
    if (std::optional<std::string> text = readAdmitted(path)) document().append(path, *text);
}

// Writes the document to `path`, which becomes the remembered file whether
// the write succeeds or not (the next save dialog offers it again).
bool saveDocumentTo(const std::string& path)
{
    DocumentModel& model = document();
    model.replacing(path);
    const std::shared_ptr<const std::string> text = model.sharedText();
    WriteFailure failure;
    if (!writeFile(path, {{reinterpret_cast<const std::uint8_t*>(text->data()), text->size()}}, failure,
                   &documentSaveNotes())) {
        // The write goes to a temporary file first, so the file on disk is as it was.
        tell(notices::saveFailed(path, failure.systemError, systemMessage(failure.systemError), failure.targetExisted));
        return false;
    }
    model.saved(path);
    return true;
}

// Characters GBK cannot write (pasted emoji, say) would be saved as "?":
// the user decides first. True to go on saving.
bool acceptCharactersOutsideGbk()
{
    const std::int32_t outside = charactersOutsideCodePage(editBoxRef);
    if (outside == 0) return true;
    return ask(notices::charactersOutsideGbk(outside));
}

} // namespace

bool askToSaveChanges()
{
    return ask(questions::saveChanges());
}

bool isDocumentModified()
{
    return documentModified();
}

bool saveWithDialog()
{
    std::optional<std::string> path;
    if (!acceptCharactersOutsideGbk() || !(path = chooseFile(Dialog::save))) {
        tell(notices::notSaved());
        return false;
    }
    if (!saveDocumentTo(*path)) return false;
    tell(notices::saved());
    return true;
}

std::optional<std::int32_t> handlers::newDocument(const EventArguments&)
{
    // Emptying the document after the user asked to keep it would lose it:
    // a save that did not happen ends the command here.
    if (isDocumentModified() && askToSaveChanges() && !saveWithDialog()) return std::nullopt;
    document().startNew();
    return std::nullopt;
}

std::optional<std::int32_t> handlers::saveDocument(const EventArguments&)
{
    saveWithDialog();
    return std::nullopt;
}

bool mayReplaceDocument()
{
    return document().isEmpty() || ask(questions::openOver());
}

void openFileAsDocument(const std::string& path)
{
    if (std::optional<std::string> text = readAdmitted(path)) document().open(path, std::move(*text));
}

std::optional<std::int32_t> handlers::openDocument(const EventArguments&)
{
    if (!mayReplaceDocument()) return std::nullopt;
    if (const std::optional<std::string> path = chooseFile(Dialog::open)) openFileAsDocument(*path);
    return std::nullopt;
}

std::optional<std::int32_t> handlers::appendDocument(const EventArguments&)
{
    if (const std::optional<std::string> path = chooseFile(Dialog::open)) appendFile(*path);
    return std::nullopt;
}

} // namespace wrivo
