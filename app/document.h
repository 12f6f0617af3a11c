// The editor's one document: the portable model (app/document_model.h),
// bound to the main window's edit box (app/edit_box_binding.h).
#pragma once
#include "app/document_model.h"

namespace wrivo {

// The editor's one document (while the application's state lives).
DocumentModel& document();

// True when the document is not empty and differs from its file as the file
// is on disk now (read anew every time). Asked of the text as the box holds
// it (confirmed first).
bool documentModified();

} // namespace wrivo
