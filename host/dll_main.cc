// The Windows load and unload entry of both DLLs: loading and unloading
// do nothing beyond reporting success.
#include <windows.h>

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }
