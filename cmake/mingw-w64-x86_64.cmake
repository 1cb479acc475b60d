# Cross-compiling for 64-bit Windows with Debian's mingw-w64 (g++-mingw-w64-x86-64-posix).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(triplet x86_64-w64-mingw32)

set(CMAKE_C_COMPILER ${triplet}-gcc-posix)
set(CMAKE_CXX_COMPILER ${triplet}-g++-posix)
set(CMAKE_RC_COMPILER ${triplet}-windres)

# Libraries and headers only from the cross environment and from LOOPLINE_WINDOWS_PREFIX, where
# scripts/windows/build.sh installs FLTK and GoogleTest built for Windows; programs from the host.
set(CMAKE_FIND_ROOT_PATH /usr/${triplet} ${LOOPLINE_WINDOWS_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# No build path in what is built: the repository, FLTK's source inside it included, is ".".
get_filename_component(repository ${CMAKE_CURRENT_LIST_DIR}/.. ABSOLUTE)
set(CMAKE_C_FLAGS_INIT "-ffile-prefix-map=${repository}=.")
set(CMAKE_CXX_FLAGS_INIT "-ffile-prefix-map=${repository}=.")

# One static program: no libstdc++, libgcc or winpthread DLL beside it.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# Tests and test discovery run the programs under Wine.
set(CMAKE_CROSSCOMPILING_EMULATOR wine)
