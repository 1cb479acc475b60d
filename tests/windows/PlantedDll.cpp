// Planted beside a program as opengl32.dll by the DLL-planting test. Loaded, it creates the file
// that LOOPLINE_PLANTED_MARK names, so that the test sees it was loaded. It exports the one GL
// function the control program imports.
#include <windows.h>

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
    char mark[MAX_PATH];
    if (reason == DLL_PROCESS_ATTACH &&
        GetEnvironmentVariableA("LOOPLINE_PLANTED_MARK", mark, sizeof mark) > 0) {
        HANDLE file = CreateFileA(mark, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE)
            CloseHandle(file);
    }
    return TRUE;
}

extern "C" __declspec(dllexport) const unsigned char* WINAPI glGetString(unsigned) {
    return reinterpret_cast<const unsigned char*>("planted");
}
