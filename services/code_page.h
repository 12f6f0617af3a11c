// Whether bytes are text of the system's code page (GBK, code page 936): text
// the edit control shows and gives back byte for byte. Bytes that are not
// (a lead byte without a valid second byte, as in files of other encodings)
// come back from the control as "?" with their neighbour lost.
#pragma once
#include <string_view>

namespace wrivo {

bool isCodePageText(std::string_view text);

} // namespace wrivo
