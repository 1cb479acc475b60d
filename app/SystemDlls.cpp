#include "SystemDlls.h"

#include <windows.h>
#include <delayimp.h>

#include <cstddef>
#include <cstdio>
#include <string>

// The delay-load descriptors of the libraries cmake/DelayImport.cmake makes, one per DLL of the
// generated list, and mingw-w64's helper that loads a descriptor's DLL and binds one of its
// entries.
extern "C" {
#define LOOPLINE_DELAY_LOADED(dll) extern const ImgDelayDescr __DELAY_IMPORT_DESCRIPTOR_lib##dll##_delay_a;
#include "DelayLoadedDlls.h"
#undef LOOPLINE_DELAY_LOADED
FARPROC WINAPI __delayLoadHelper2(PCImgDelayDescr, FARPROC*);
}

namespace {

void report(const char* what, const std::string& detail) {
    std::fprintf(stderr, "loopline: %s %s (Windows error %lu)\n", what, detail.c_str(),
                 GetLastError());
}

// Loads a DLL by its full path in the system folder, so that the helper, which asks for it by
// name, finds it already loaded.
bool loadFromSystemFolder(const char* name) {
    char folder[MAX_PATH];
    const UINT length = GetSystemDirectoryA(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        report("cannot find the system folder to load", name);
        return false;
    }
    const std::string path = std::string(folder) + "\\" + name;
    if (!LoadLibraryExA(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH)) {
        report("cannot load", path);
        return false;
    }
    return true;
}

// Binds every entry of a delay-loaded DLL now. Left to bind lazily, binutils 2.40's trampoline
// would lose the floating-point arguments of each GL function's first call, and from 2.44 on the
// entries lie in the read-only import section, which the helper does not unprotect.
bool bindAll(const ImgDelayDescr& dll) {
    char* base = reinterpret_cast<char*>(GetModuleHandleW(nullptr));
    const char* name = base + dll.rvaDLLName;
    if (!loadFromSystemFolder(name))
        return false;
    auto* entries = reinterpret_cast<FARPROC*>(base + dll.rvaIAT);
    const auto* names = reinterpret_cast<const IMAGE_THUNK_DATA*>(base + dll.rvaINT);
    std::size_t count = 0;
    while (names[count].u1.AddressOfData != 0)
        ++count;
    DWORD was = 0;
    if (!VirtualProtect(entries, count * sizeof *entries, PAGE_READWRITE, &was)) {
        report("cannot make the import entries writable for", name);
        return false;
    }
    for (std::size_t k = 0; k < count; ++k)
        __delayLoadHelper2(&dll, &entries[k]);
    // Left writable, the entries still work: worth a word, not a refusal to start.
    DWORD unused = 0;
    if (!VirtualProtect(entries, count * sizeof *entries, was, &unused))
        report("cannot protect the import entries again for", name);
    return true;
}

}  // namespace

bool bindSystemDlls() {
    // What those DLLs load in turn comes from the system folder too. Without it those below
    // are still taken from there by their full paths.
    if (!SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32))
        report("cannot restrict the DLL search to", "the system folder");
    bool bound = true;
#define LOOPLINE_DELAY_LOADED(dll) bound = bound && bindAll(__DELAY_IMPORT_DESCRIPTOR_lib##dll##_delay_a);
#include "DelayLoadedDlls.h"
#undef LOOPLINE_DELAY_LOADED
    return bound;
}
