// The full path of the running program, however long it is.
#pragma once
#include <string>

namespace wrivo {

// The program file's full path (GBK), or empty when the system cannot tell.
std::string programFilePath();

} // namespace wrivo
