#include "app/document_commands.h"

#include "app/editing_commands.h"
#include "app/file_admission.h"
#include "app/layout_content.h"
#include "app/main_window.h"
#include "app/notices.h"
#include "app/recovery.h"
#include "app/statistics_handlers.h"
#include "host/host.h"
#include "services/common_dialog_unit_win32.h"
#include "services/edit_box_operations.h"
#include "services/control_operations.h"
#include "services/file_text_match.h"
#include "services/files.h"
#include "services/message_box.h"
#include "services/text.h"
#include "services/unit_properties.h"

namespace wrivo {
namespace {

enum class Dialog : std::int32_t {
    open = 0,
    save = 1
};

void setDocument(std::string text)
{
    writeProperty(editBoxRef, EditBoxProperty::content, std::move(text));
}

bool runFileDialog(Dialog kind)
{
    writeProperty(commonDialogRef, CommonDlgProperty::dialogType, static_cast<std::int64_t>(kind));
    writeProperty(commonDialogRef, CommonDlgProperty::initialFolder, programDirectory());
    return openDialog(commonDialogRef);
}

// The chosen file as the text to load, or nothing when it cannot be read or
// the user declined it (see file_admission.h): then the document stays as it is.
std::optional<std::string> readChosenFile()
{
    if (!admitFilePath(rememberedFile())) return std::nullopt;
    std::optional<std::vector<std::uint8_t>> bytes = tryReadFile(rememberedFile());
    if (!bytes) {
        // Too large, or not readable at all: the notice says which.
        const std::optional<std::uint64_t> size = fileSize(rememberedFile());
        tell(size && *size > largestReadableFile
                 ? notices::fileTooLarge(rememberedFile(), *size >> 20, largestReadableFile >> 20)
                 : notices::fileUnreadable(rememberedFile()));
        return std::nullopt;
    }
    return admitFileText(rememberedFile(), std::move(*bytes));
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
    const std::string document = documentText();
    if (compareBytes(document, "") == 0) return false;
    // Compared in pieces: a document grown past the largest file read whole
    // still matches the file it was just saved to.
    return !fileHoldsText(rememberedFile(), document);
}

bool saveWithDialog()
{
    if (!acceptCharactersOutsideGbk() || !runFileDialog(Dialog::save)) {
        tell(notices::notSaved());
        return false;
    }
    const ByteBlock bytes = toBytes(Value{documentText()});
    WriteFailure failure;
    if (!writeFile(rememberedFile(), {bytes}, failure)) {
        // The write goes to a temporary file first, so the file on disk is as it was.
        tell(notices::saveFailed(rememberedFile(), failure.systemError, systemMessage(failure.systemError),
                                 failure.targetExisted));
        return false;
    }
    recovery::documentSaved();
    tell(notices::saved());
    return true;
}

std::optional<std::int32_t> handlers::newDocument(const EventArguments&)
{
    // Emptying the document after the user asked to keep it would lose it:
    // a save that did not happen ends the command here.
    if (isDocumentModified() && askToSaveChanges() && !saveWithDialog()) return std::nullopt;
    recovery::shelveUnsavedDocument();
    setDocument("");
    clearList(listBoxRef);
    startFreshHistory();
    return std::nullopt;
}

std::optional<std::int32_t> handlers::saveDocument(const EventArguments&)
{
    saveWithDialog();
    return std::nullopt;
}

bool mayReplaceDocument()
{
    return compareBytes(documentText(), "") == 0 || ask(questions::openOver());
}

void openFileAsDocument(const std::string& path)
{
    writeProperty(commonDialogRef, CommonDlgProperty::fileName, path);
    std::optional<std::string> text = readChosenFile();
    if (!text) return;
    recovery::shelveUnsavedDocument();
    setDocument("");
    setDocument(std::move(*text));
    refreshParagraphRows();
    startFreshHistory();
}

std::optional<std::int32_t> handlers::openDocument(const EventArguments&)
{
    if (!mayReplaceDocument() || !runFileDialog(Dialog::open)) return std::nullopt;
    openFileAsDocument(rememberedFile());
    return std::nullopt;
}

std::optional<std::int32_t> handlers::appendDocument(const EventArguments&)
{
    if (!runFileDialog(Dialog::open)) return std::nullopt;
    std::optional<std::string> text = readChosenFile();
    if (!text) return std::nullopt;
    appendText(editBoxRef, {*text});
    refreshParagraphRows();
    return std::nullopt;
}

} // namespace wrivo
