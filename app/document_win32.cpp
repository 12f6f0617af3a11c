#include "app/document.h"

#include "app/app_globals.h"
#include "services/store/file_text_match.h"

namespace wrivo {

DocumentModel& document()
{
    return appGlobals()->document;
}

bool documentModified()
{
    DocumentModel& model = document();
    model.confirm();
    // Compared in pieces: a document grown past the largest file read whole
    // still matches the file it was just saved to.
    return !model.isEmpty() && !fileHoldsText(model.file(), model.text());
}

} // namespace wrivo
