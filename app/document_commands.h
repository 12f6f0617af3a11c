// The document commands of the "文件操作" menu (new, save, open, append) and
// the unsaved-changes test the exit dialogue shares. The document is the edit
// box's content; the remembered file is the common dialog's file name.
#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include "app/command_handlers.h"
#include "host/host_types.h"

namespace wrivo {

// True when the document is not empty and differs from the remembered file as
// it is on disk now.
bool isDocumentModified();

// "是否对当前文档进行保存？": true when the user answers Yes.
bool askToSaveChanges();

// Save through the save dialog; answers whether the document was written.
bool saveWithDialog();

// Before an opened file replaces a document that is not empty, the user is
// warned (Yes/No): true to go on. An empty document is replaced unasked.
bool mayReplaceDocument();

// What the open command does once its dialog is confirmed, also for a file
// named on the command line or dropped: the remembered file becomes `path`,
// its text (with the reading checks and their notices) the document, and the
// rows follow. A file that cannot be read, or that the user declines, leaves
// the document and the remembered file as they were.
void openFileAsDocument(const std::string& path);

} // namespace wrivo
