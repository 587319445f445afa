#include <windows.h>

#include "platform/HostSupport.h"

namespace stem {

namespace {

// GoogleTest hands each failed or skipped assertion to OutputDebugStringA, which raises
// DBG_PRINTEXCEPTION_C for a debugger and catches it again. Under user-mode QEMU, Wine cannot
// unwind that exception and the program dies, so it is continued at once, before any unwinding.
LONG CALLBACK ContinueAfterDebugOutput(EXCEPTION_POINTERS* exception)
{
    return exception->ExceptionRecord->ExceptionCode == DBG_PRINTEXCEPTION_C
               ? EXCEPTION_CONTINUE_EXECUTION
               : EXCEPTION_CONTINUE_SEARCH;
}

}  // namespace

void platform::PrepareTestProgram()
{
    AddVectoredExceptionHandler(1, ContinueAfterDebugOutput);
}

}  // namespace stem
