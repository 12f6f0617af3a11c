// The second copy of a saved document in the backup folder (the names:
// services/store/backup_names.h).
#pragma once
#include <memory>
#include <string>
#include <string_view>

namespace wrivo::backup {

// Writes `text` as the copy of `document` in `folder`, by a temporary name
// and a rename, and records it in the folder's index. False when the folder
// is missing or cannot be written. A removed disk raises no system box: the
// calling thread asks for none while it writes.
bool writeCopy(std::string_view folder, std::string_view document, std::string_view text);

// Whether both paths lie on one volume (a disk, a partition, a share).
bool sameVolume(std::string_view a, std::string_view b);

} // namespace wrivo::backup
