// The one system call of the file service that tests replace to bring about
// failures a real disk gives only rarely (ReplaceFile's partial outcomes).
#pragma once
#include <windows.h>

namespace wrivo {

using ReplaceFileCall = BOOL(WINAPI*)(LPCSTR replaced, LPCSTR replacement, LPCSTR backup, DWORD flags, LPVOID exclude,
                                      LPVOID reserved);

// Tests only: writeFile calls `call` instead of ReplaceFileA; nullptr puts
// ReplaceFileA back.
void replaceFileCallForTests(ReplaceFileCall call);

} // namespace wrivo
