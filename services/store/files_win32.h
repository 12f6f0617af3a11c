// What tests of the file service reach into: the one system call they replace
// to bring about failures a real disk gives only rarely (ReplaceFile's partial
// outcomes), and the steps of a write.
#pragma once
#include <windows.h>

namespace wrivo {

using ReplaceFileCall = BOOL(WINAPI*)(LPCSTR replaced, LPCSTR replacement, LPCSTR backup, DWORD flags, LPVOID exclude,
                                      LPVOID reserved);

// The steps of a write, for tests that end the program between them.
enum class WriteStep {
    temporaryMade,
    bytesWritten,
    moved
};
using WriteStepHook = void (*)(WriteStep);
// Tests only: writeFile and writeNewFile call `hook` after each step; nullptr
// for none.
void writeStepHookForTests(WriteStepHook hook);

// Tests only: writeFile calls `call` instead of ReplaceFileA; nullptr puts
// ReplaceFileA back.
void replaceFileCallForTests(ReplaceFileCall call);

} // namespace wrivo
