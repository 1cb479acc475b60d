#include "Editor.h"

#ifdef _WIN32
#include <windows.h>
#include <delayimp.h>

// The delay-load descriptors of the libraries cmake/DelayImport.cmake makes, and mingw-w64's
// helper that loads a descriptor's DLL and binds one of its entries.
extern "C" {
extern const ImgDelayDescr __DELAY_IMPORT_DESCRIPTOR_libopengl32_delay_a;
extern const ImgDelayDescr __DELAY_IMPORT_DESCRIPTOR_libglu32_delay_a;
extern const ImgDelayDescr __DELAY_IMPORT_DESCRIPTOR_libcomctl32_delay_a;
FARPROC WINAPI __delayLoadHelper2(PCImgDelayDescr, FARPROC*);
}

namespace {

// Binds every entry of a delay-loaded DLL now. Left to bind lazily, binutils' (2.40) trampoline
// would lose the floating-point arguments of each GL function's first call.
void bindAll(const ImgDelayDescr& dll) {
    char* base = reinterpret_cast<char*>(GetModuleHandleW(nullptr));
    auto* entry = reinterpret_cast<FARPROC*>(base + dll.rvaIAT);
    for (auto* name = reinterpret_cast<const IMAGE_THUNK_DATA*>(base + dll.rvaINT);
         name->u1.AddressOfData != 0; ++name, ++entry)
        __delayLoadHelper2(&dll, entry);
}

}  // namespace
#endif

// Arguments are ignored: the window is shown without them. Exits with status 1.
int main(int, char**) {
#ifdef _WIN32
    // OpenGL, GLU and the common controls, not among Windows' KnownDLLs, are delay-loaded: they
    // come from System32 only, never from the folder the program was started from, where a
    // planted copy could lie.
    SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
    bindAll(__DELAY_IMPORT_DESCRIPTOR_libopengl32_delay_a);
    bindAll(__DELAY_IMPORT_DESCRIPTOR_libglu32_delay_a);
    bindAll(__DELAY_IMPORT_DESCRIPTOR_libcomctl32_delay_a);
#endif
    return runEditor();
}
