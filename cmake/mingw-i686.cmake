# Cross-compiles the 32-bit Windows build (the deliverable DLLs) with the posix-thread flavour
# of MinGW-w64, which GoogleTest needs (std::mutex). The C++ runtime, libgcc and winpthreads are
# linked statically.
#
# The DLLs link the C++ runtime of the win32-thread flavour instead (STEM_DLL_RUNTIME_DIR), which
# rests on Windows threads directly: winpthreads, which the posix flavour's runtime needs, keeps a
# thread-local storage slot and handles after FreeLibrary. The two flavours share the headers'
# ABI for everything but the thread classes, which the DLLs do not use.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(CMAKE_C_COMPILER i686-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER i686-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER i686-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/i686-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/wine-run.sh)
set(STEM_DLL_RUNTIME_COMPILER i686-w64-mingw32-g++-win32)
execute_process(COMMAND ${STEM_DLL_RUNTIME_COMPILER} -print-libgcc-file-name
  OUTPUT_VARIABLE STEM_DLL_RUNTIME_DIR OUTPUT_STRIP_TRAILING_WHITESPACE)
get_filename_component(STEM_DLL_RUNTIME_DIR ${STEM_DLL_RUNTIME_DIR} DIRECTORY)
