# Cross-compiles a Windows build with the posix-thread flavour of MinGW-w64, which GoogleTest
# needs (std::mutex), for the processor the preset names in STEM_MINGW_ARCH: i686 for the 32-bit
# build (the deliverable DLLs for 32-bit editors), x86_64 for the same sources as 64-bit
# programs. The C++ runtime, libgcc and winpthreads are linked statically.
#
# The DLLs link the C++ runtime of the win32-thread flavour instead (STEM_DLL_RUNTIME_DIR), which
# rests on Windows threads directly: winpthreads, which the posix flavour's runtime needs, keeps a
# thread-local storage slot and handles after FreeLibrary. The two flavours share the headers'
# ABI for everything but the thread classes, which the DLLs do not use.
if(NOT STEM_MINGW_ARCH MATCHES "^(i686|x86_64)$")
  message(FATAL_ERROR "STEM_MINGW_ARCH is i686 or x86_64, not '${STEM_MINGW_ARCH}'")
endif()
# The compiler checks run in projects of their own, which see the variable only so.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES STEM_MINGW_ARCH)
set(triple ${STEM_MINGW_ARCH}-w64-mingw32)
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${STEM_MINGW_ARCH})
set(CMAKE_C_COMPILER ${triple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${triple}-g++-posix)
set(CMAKE_RC_COMPILER ${triple}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${triple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/wine-run.sh)
set(STEM_DLL_RUNTIME_COMPILER ${triple}-g++-win32)
execute_process(COMMAND ${STEM_DLL_RUNTIME_COMPILER} -print-libgcc-file-name
  OUTPUT_VARIABLE STEM_DLL_RUNTIME_DIR OUTPUT_STRIP_TRAILING_WHITESPACE)
get_filename_component(STEM_DLL_RUNTIME_DIR ${STEM_DLL_RUNTIME_DIR} DIRECTORY)
