# loopline_delay_import(VAR dll...): for each named Windows DLL (a name, for NAME.dll, or a file
# name such as winspool.drv), makes an import library that
# delay-loads it (loaded at its first call, not when the program starts) and puts the libraries
# in VAR. The program then names the folders those DLLs may come from before the first call; see
# app/SystemDlls.cpp. The exports are those of mingw-w64's own import library of the DLL.
function(loopline_delay_import var)
  find_program(LOOPLINE_NM NAMES ${CMAKE_NM} x86_64-w64-mingw32-nm REQUIRED)
  find_program(LOOPLINE_DLLTOOL NAMES ${CMAKE_DLLTOOL} x86_64-w64-mingw32-dlltool REQUIRED)
  set(libs "")
  foreach(file ${ARGN})
    get_filename_component(dll ${file} NAME_WE)
    if(file STREQUAL dll)
      set(file ${dll}.dll)
    endif()
    find_library(import_${dll} NAMES lib${dll}.a REQUIRED NO_CACHE)
    execute_process(COMMAND ${LOOPLINE_NM} ${import_${dll}} OUTPUT_VARIABLE symbols
                    COMMAND_ERROR_IS_FATAL ANY)
    string(REGEX MATCHALL " I __imp_[A-Za-z0-9_@]+" symbols "${symbols}")
    list(TRANSFORM symbols REPLACE " I __imp_" "")
    list(SORT symbols)
    list(REMOVE_DUPLICATES symbols)
    list(JOIN symbols "\n" exports)
    file(WRITE ${CMAKE_BINARY_DIR}/delay/${dll}.def "LIBRARY ${file}\nEXPORTS\n${exports}\n")
    # Named relative to its folder: dlltool names the library's symbols after the path given,
    # among them __DELAY_IMPORT_DESCRIPTOR_lib<dll>_delay_a, which app/SystemDlls.cpp binds.
    execute_process(COMMAND ${LOOPLINE_DLLTOOL} --input-def ${dll}.def --dllname ${file}
                            --output-delaylib lib${dll}_delay.a
                    WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/delay COMMAND_ERROR_IS_FATAL ANY)
    list(APPEND libs ${CMAKE_BINARY_DIR}/delay/lib${dll}_delay.a)
  endforeach()
  set(${var} ${libs} PARENT_SCOPE)
endfunction()
