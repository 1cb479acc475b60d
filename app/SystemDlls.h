#pragma once

// On Windows, binds the DLLs the program delay-loads (OpenGL, GLU, the common controls, GDI+ and
// the print spooler, which are not among Windows' KnownDLLs) from the system folder only, never from the folder the
// program was started from, where a planted copy could lie. Reports any failure on standard
// error; false when the program cannot go on safely. Elsewhere there is nothing to do.
#ifdef _WIN32
bool bindSystemDlls();
#else
inline bool bindSystemDlls() { return true; }
#endif
