// The pieces of the static C++ runtime that a plug-in DLL defines itself, linked into the DLLs
// only. The runtime's own versions of them would outlive FreeLibrary or carry code that a DLL
// inside an editor never runs; with these, a load leaves nothing behind once it is unloaded and
// the DLL stays small. What they assume of the toolchain and the editor: README.md beside this.
#include <windows.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <new>
#include <utility>

#include "unwind/FrameTables.h"

namespace {

// ---- Each thread's exception records ----
// The runtime keeps them (the exceptions caught and not yet finished, the count of those in
// flight) in emulated thread-local storage, whose slot it never frees: every load would keep
// one of the process's slots until none is left. Here they live in a slot that the DLL takes
// at load and frees at unload; a thread's record is freed when the thread ends, and the
// unloading thread's when the DLL is unloaded (a thread still running then keeps its record).

// One thread's records, as the C++ ABI lays them out.
struct ExceptionGlobals {
    void* caughtExceptions;
    unsigned int uncaughtExceptions;
};

DWORD recordSlot = TLS_OUT_OF_INDEXES;
// For a thread whose record cannot be made (no slot, no memory): the editor calls the DLL on
// one thread only.
ExceptionGlobals sharedRecord;

ExceptionGlobals* ThreadRecord()
{
    // Called while an exception is thrown or caught: the error code of the failure stays.
    const DWORD lastError = GetLastError();
    auto* record = static_cast<ExceptionGlobals*>(TlsGetValue(recordSlot));
    if (record == nullptr) {
        record = static_cast<ExceptionGlobals*>(std::calloc(1, sizeof(ExceptionGlobals)));
        if (record == nullptr || !TlsSetValue(recordSlot, record)) {
            std::free(record);
            record = &sharedRecord;
        }
    }
    SetLastError(lastError);
    return record;
}

void FreeThreadRecord()
{
    if (recordSlot != TLS_OUT_OF_INDEXES)
        std::free(TlsGetValue(recordSlot));
}

// ---- Locks ----
// The runtime locks its reserve for exceptions thrown when memory runs out, and guards the
// start of each function-local static, with locks of libgcc's whose semaphore is made at load
// or at the first static and never closed: a handle kept at every load. Here the reserve's lock
// spins on its own counter, and a static starts without a lock, the editor calling the DLL on
// one thread only.

// libgcc's lock on Windows: a counter, -1 when free, and a semaphore to wait on.
struct RuntimeMutex {
    long counter;
    void* semaphore;
};

// The first byte of a static's guard is set once the static is made.
unsigned char& GuardByte(uint64_t* guard)
{
    return *reinterpret_cast<unsigned char*>(guard);
}

// ---- Errors of the standard library ----
// The library reports a broken limit (a string grown too long, a position past the end, a
// number that does not parse) by throwing std::length_error and its kin, whose message the
// runtime keeps in a second, reference-counted string type of its own: with it come that
// type's code and a random-device class, a quarter of the DLL. Every export catches
// whatever is thrown, and nothing inside the DLL tells these apart, so one type stands for all.
class LibraryLimit : public std::exception {
public:
    const char* what() const noexcept override { return "standard library limit"; }
};

#if defined(__i386__)
// ---- Where the 32-bit unwinder finds this DLL's frame descriptions ----
// libgcc's own search keeps a list of modules that register their tables at load, and a lock
// whose semaphore is never closed: a handle kept at every load. Worse, a module registers with
// the compiler's shared unwinder DLL when the process has one loaded (another plug-in may bring
// it), where this DLL's unwinder never looks: its first exception would end the editor. Here the
// unwinder searches this DLL's own tables, found by its section header, and nothing registers.

// What the unwinder gets back with a frame description: the bases of the addresses in it.
struct DwarfEhBases {
    void* textBase;
    void* dataBase;
    void* function;
};

extern "C" IMAGE_DOS_HEADER __ImageBase;

// The section of frame tables, whose name is ".eh_frame" cut to the eight bytes of a section
// header, as the linker writes it in a stripped image (the DLLs are linked with -s; unstripped,
// the header names the section through the symbol table, which is not loaded).
std::pair<const unsigned char*, const unsigned char*> ThisModulesFrameTables()
{
    const auto* base = reinterpret_cast<const unsigned char*>(&__ImageBase);
    const auto* headers = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + __ImageBase.e_lfanew);
    const IMAGE_SECTION_HEADER* section = IMAGE_FIRST_SECTION(headers);
    for (WORD i = 0; i < headers->FileHeader.NumberOfSections; ++i, ++section) {
        if (std::memcmp(section->Name, ".eh_fram", IMAGE_SIZEOF_SHORT_NAME) == 0) {
            const unsigned char* first = base + section->VirtualAddress;
            return {first, first + section->Misc.VirtualSize};
        }
    }
    return {nullptr, nullptr};
}
#endif

}  // namespace

namespace std {
void __throw_bad_alloc()
{
    throw bad_alloc();
}
void __throw_bad_array_new_length()
{
    throw bad_alloc();
}
void __throw_bad_function_call()
{
    throw LibraryLimit();
}
void __throw_logic_error(const char*)
{
    throw LibraryLimit();
}
void __throw_length_error(const char*)
{
    throw LibraryLimit();
}
void __throw_out_of_range(const char*)
{
    throw LibraryLimit();
}
void __throw_out_of_range_fmt(const char*, ...)
{
    throw LibraryLimit();
}
void __throw_invalid_argument(const char*)
{
    throw LibraryLimit();
}
}  // namespace std

namespace __gnu_cxx {

// What std::terminate calls. The runtime's own prints the exception's type, with a demangler and
// a printf of its own (about 100 KB), to a console that an editor does not have. No exception
// leaves an export, so it would run only on a fault of the runtime itself.
void __verbose_terminate_handler()
{
    std::abort();
}

// Frees the runtime's reserve for exceptions thrown when memory runs out (libstdc++).
void __freeres();

}  // namespace __gnu_cxx

extern "C" {

ExceptionGlobals* __cxa_get_globals() noexcept
{
    return ThreadRecord();
}

ExceptionGlobals* __cxa_get_globals_fast() noexcept
{
    return ThreadRecord();
}

void __gthr_win32_mutex_init_function(RuntimeMutex* mutex)
{
    mutex->counter = -1;
    mutex->semaphore = nullptr;
}

int __gthr_win32_mutex_destroy(RuntimeMutex*)
{
    return 0;
}

int __gthr_win32_mutex_lock(RuntimeMutex* mutex)
{
    while (InterlockedCompareExchange(&mutex->counter, 0, -1) != -1)
        SwitchToThread();
    return 0;
}

int __gthr_win32_mutex_unlock(RuntimeMutex* mutex)
{
    InterlockedExchange(&mutex->counter, -1);
    return 0;
}

int __cxa_guard_acquire(uint64_t* guard)
{
    return GuardByte(guard) == 0 ? 1 : 0;
}

void __cxa_guard_release(uint64_t* guard)
{
    GuardByte(guard) = 1;
}

void __cxa_guard_abort(uint64_t*)
{
}

#if defined(__i386__)
const void* _Unwind_Find_FDE(void* pc, DwarfEhBases* bases)
{
    const auto [first, last] = ThisModulesFrameTables();
    const auto found =
        stem::unwind::FindFrameDescription(first, last, reinterpret_cast<uintptr_t>(pc));
    // No text or data base: the tables store no address relative to one (tests/dll_shape.py).
    if (found.description != nullptr)
        *bases = {nullptr, nullptr, reinterpret_cast<void*>(found.functionStart)};
    return found.description;
}
#endif

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID)
{
    switch (reason) {
    case DLL_PROCESS_ATTACH: recordSlot = TlsAlloc(); break;
    case DLL_THREAD_DETACH: FreeThreadRecord(); break;
    case DLL_PROCESS_DETACH:
        FreeThreadRecord();
        TlsFree(recordSlot);
        recordSlot = TLS_OUT_OF_INDEXES;
        __gnu_cxx::__freeres();
        break;
    default: break;
    }
    return TRUE;
}

}  // extern "C"
