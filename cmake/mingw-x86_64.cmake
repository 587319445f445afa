# Cross-compiles the same sources as 64-bit Windows programs, to run the unit tests and the
# end-to-end host under 64-bit Wine against the real Win32 functions. The thread flavours as in
# the 32-bit build (mingw-i686.cmake).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/wine-run.sh)
set(STEM_DLL_RUNTIME_COMPILER x86_64-w64-mingw32-g++-win32)
execute_process(COMMAND ${STEM_DLL_RUNTIME_COMPILER} -print-libgcc-file-name
  OUTPUT_VARIABLE STEM_DLL_RUNTIME_DIR OUTPUT_STRIP_TRAILING_WHITESPACE)
get_filename_component(STEM_DLL_RUNTIME_DIR ${STEM_DLL_RUNTIME_DIR} DIRECTORY)
