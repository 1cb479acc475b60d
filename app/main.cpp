#include "Editor.h"

#ifdef _WIN32
#include <windows.h>
#include <delayimp.h>

#include <cstddef>

// The delay-load descriptors of the libraries cmake/DelayImport.cmake makes, and mingw-w64's
// helper that loads a descriptor's DLL and binds one of its entries.
extern "C" {
extern const ImgDelayDescr __DELAY_IMPORT_DESCRIPTOR_libopengl32_delay_a;
extern const ImgDelayDescr __DELAY_IMPORT_DESCRIPTOR_libglu32_delay_a;
extern const ImgDelayDescr __DELAY_IMPORT_DESCRIPTOR_libcomctl32_delay_a;
FARPROC WINAPI __delayLoadHelper2(PCImgDelayDescr, FARPROC*);
}

namespace {

// Binds every entry of a delay-loaded DLL now. Left to bind lazily, binutils 2.40's trampoline
// would lose the floating-point arguments of each GL function's first call, and from 2.44 on the
// entries lie in the read-only import section, which the helper does not unprotect.
void bindAll(const ImgDelayDescr& dll) {
    char* base = reinterpret_cast<char*>(GetModuleHandleW(nullptr));
    auto* entries = reinterpret_cast<FARPROC*>(base + dll.rvaIAT);
    const auto* names = reinterpret_cast<const IMAGE_THUNK_DATA*>(base + dll.rvaINT);
    std::size_t count = 0;
    while (names[count].u1.AddressOfData != 0)
        ++count;
    DWORD was = 0;
    VirtualProtect(entries, count * sizeof *entries, PAGE_READWRITE, &was);
    for (std::size_t k = 0; k < count; ++k)
        __delayLoadHelper2(&dll, &entries[k]);
    VirtualProtect(entries, count * sizeof *entries, was, &was);
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
