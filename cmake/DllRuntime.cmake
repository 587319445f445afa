# The DLLs define pieces of the C++ runtime they link and copy private layouts of it
# (dllruntime/README.md): a compiler or runtime other than the one that was checked stops
# the configuration here instead of building DLLs that fail inside an editor.
set(STEM_DLL_RUNTIME_CHECKED "GCC 12, libstdc++ 20220819, MinGW-w64 10")

# What a compiler's headers say of its version, in the words of STEM_DLL_RUNTIME_CHECKED.
function(stem_runtime_version compiler variable)
  set(probe ${CMAKE_BINARY_DIR}/dll-runtime-version.cpp)
  file(WRITE ${probe} "#include <_mingw_mac.h>\n#include <bits/c++config.h>\n"
    "runtime: GCC __GNUC__, libstdc++ __GLIBCXX__, MinGW-w64 __MINGW64_VERSION_MAJOR\n")
  execute_process(COMMAND ${compiler} -E -P ${probe} OUTPUT_VARIABLE text ERROR_VARIABLE error
    RESULT_VARIABLE failed)
  string(REGEX MATCH "runtime: [^\n]*" text "${text}")
  string(REPLACE "runtime: " "" text "${text}")
  if(failed)
    set(text "unknown (${error})")
  endif()
  set(${variable} "${text}" PARENT_SCOPE)
endfunction()

# The headers the DLLs are compiled with, and the runtime they link.
foreach(compiler ${CMAKE_CXX_COMPILER} ${STEM_DLL_RUNTIME_COMPILER})
  stem_runtime_version(${compiler} found)
  if(NOT found STREQUAL STEM_DLL_RUNTIME_CHECKED)
    message(FATAL_ERROR "${compiler} is ${found}; the DLLs' runtime shim was checked against "
      "${STEM_DLL_RUNTIME_CHECKED} only. Read dllruntime/README.md before changing "
      "the versions in cmake/DllRuntime.cmake.")
  endif()
endforeach()
