#include "app/document_commands.h"

#include "app/document.h"
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
    std::string chosen = document().file();
    commonDialog.setFileName(remembered);
    return chosen;
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
    return document().isModified();
}

bool saveWithDialog()
{
    std::optional<std::string> path;
    if (!acceptCharactersOutsideGbk() || !(path = chooseFile(Dialog::save))) {
        tell(notices::notSaved());
        return false;
    }
    if (!document().saveTo(*path)) return false;
    tell(notices::saved());
    return true;
}

std::optional<std::int32_t> handlers::newDocument(const EventArguments&)
{
    // Emptying the document after the user asked to keep it would lose it:
    // a save that did not happen ends the command here.
    if (isDocumentModified() && askToSaveChanges() && !saveWithDialog()) return std::nullopt;
    document().startNew();
    clearList(listBoxRef);
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
    document().open(path);
}

std::optional<std::int32_t> handlers::openDocument(const EventArguments&)
{
    if (!mayReplaceDocument()) return std::nullopt;
    if (const std::optional<std::string> path = chooseFile(Dialog::open)) document().open(*path);
    return std::nullopt;
}

std::optional<std::int32_t> handlers::appendDocument(const EventArguments&)
{
    if (const std::optional<std::string> path = chooseFile(Dialog::open)) document().append(*path);
    return std::nullopt;
}

} // namespace wrivo
