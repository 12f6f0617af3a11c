// Wrivo's process entry. The window host is not there yet, so the program
// only says what it is and ends; it does not pretend to be the editor.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    MessageBoxA(nullptr, "Wrivo 3.7\r\n\r\n编辑器窗口尚在建设中。", "Wrivo", MB_OK | MB_ICONINFORMATION);
    return 0;
}
