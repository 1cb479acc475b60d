cmake_minimum_required(VERSION 3.20)
# cmake -DOBJDUMP=... -DEXE=... -P check-exe.cmake: loopline.exe must be one static console
# program that imports Windows' KnownDLLs only at start-up (no libstdc++, libgcc, winpthread or
# FLTK DLL), is marked for ASLR and DEP, and carries its icon as a resource: an icon group of the
# four sizes the build renders.
execute_process(COMMAND ${OBJDUMP} -p ${EXE} OUTPUT_VARIABLE headers RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${OBJDUMP} -p ${EXE} failed (${status})")
endif()

# Windows takes its KnownDLLs from System32 whatever the search order. Any other DLL (OpenGL, GLU,
# the common controls) must not be imported at start-up, where a copy beside the program would
# win: the program delay-loads those and takes them from System32 only.
set(system_dlls advapi32 comdlg32 gdi32 imm32 kernel32 msvcrt ole32 oleaut32 shell32 user32
    ws2_32)
string(REGEX MATCHALL "DLL Name: [^\n]+" imports "${headers}")
if(NOT imports)
  message(FATAL_ERROR "no imports read from ${EXE}")
endif()
foreach(line ${imports})
  string(REGEX REPLACE "DLL Name: ([^\n]+)" "\\1" dll "${line}")
  string(TOLOWER "${dll}" dll)
  string(REGEX REPLACE "\\.dll$" "" dll "${dll}")
  if(NOT dll IN_LIST system_dlls)
    message(FATAL_ERROR "${EXE} imports ${dll} at start-up, which is not one of Windows' KnownDLLs")
  endif()
  message(STATUS "imports ${dll}")
endforeach()

# ASLR with high-entropy addresses, and DEP.
foreach(flag DYNAMIC_BASE HIGH_ENTROPY_VA NX_COMPAT)
  if(NOT headers MATCHES "DllCharacteristics[ \t]+[0-9a-f]+\n([ \t]+[A-Z_]+\n)*[ \t]+${flag}\n")
    message(FATAL_ERROR "${EXE} is not marked ${flag}")
  endif()
endforeach()

if(NOT headers MATCHES "Subsystem[ \t]+00000003[ \t]+\\(Windows CUI\\)")
  message(FATAL_ERROR "${EXE} is not a console program")
endif()

# The resource directory: type 3 (icons) holding four images, type 14 (icon group).
string(REGEX MATCH "The \\.rsrc Resource Directory section:.*" resources "${headers}")
if(NOT resources MATCHES "Entry: ID: 0x000003, Value: 0x[0-9a-f]+\n[^\n]*Name Table:[^\n]*IDs: 4\n")
  message(FATAL_ERROR "${EXE} carries no icon resource of four images")
endif()
if(NOT resources MATCHES "Entry: ID: 0x00000e,")
  message(FATAL_ERROR "${EXE} carries no icon group resource")
endif()
message(STATUS "${EXE}: static console program with its icon")
