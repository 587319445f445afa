// The only door to the operating system. platform/win32 implements these functions with the
// real Win32 calls named beside each; platform/posix implements them with a stand-in that
// behaves like a Japanese Windows system (ANSI code page 932, locale ja-JP, Japanese eras).
// Paths are ANSI text in the system code page, as the plug-ins hold them.
#pragma once

#include <cstdint>

#include "MyLibrary/Common/Types.h"

namespace platform {

// ---- Code page and locale comparison (CP_ACP, LOCALE_USER_DEFAULT) ----

// MultiByteToWideChar / WideCharToMultiByte with CP_ACP and no flags. Never fails: bytes that
// do not form a character become a replacement character, characters without a byte form
// become "?".
WideString AnsiToWide(const AnsiString& text);
AnsiString WideToAnsi(const WideString& text);

// CompareStringW / CompareStringA under the user default locale, case-sensitive or ignoring
// letter case only (NORM_IGNORECASE). Returns 1 (less), 2 (equal, CSTR_EQUAL), 3 (greater).
constexpr int CompareEqual = 2;
int CompareWide(const WideChar* a, int lengthA, const WideChar* b, int lengthB, bool ignoreCase);
int CompareAnsi(const char* a, int lengthA, const char* b, int lengthB, bool ignoreCase);

// LCMapStringW under the user default locale, with its contract: sourceLength -1 means
// NUL-terminated (the terminator is then counted), destSize 0 asks for the size; the result is
// the number of code units written or needed, 0 on failure.
constexpr uint32_t MapFullWidth = 0x00800000;  // LCMAP_FULLWIDTH
int MapWide(uint32_t flags, const WideChar* source, int sourceLength, WideChar* dest, int destSize);

// ---- Locale data of the thread's locale ----

enum class LocaleText { AmDesignator, PmDesignator, LongDayName, ShortDayName };

// GetLocaleInfoA: LOCALE_S1159, LOCALE_S2359, LOCALE_SDAYNAMEn, LOCALE_SABBREVDAYNAMEn.
// weekday counts 1 = Sunday .. 7 = Saturday and matters for day names only.
// False when the locale cannot give the text.
bool GetLocaleText(LocaleText item, int weekday, AnsiString& text);

// The primary language of the thread's locale (0x11 = Japanese, 0x04 = Chinese).
unsigned ThreadPrimaryLanguage();

// The sub-language of the thread's locale (0x01 = Taiwan for Chinese).
unsigned ThreadSubLanguage();

// GetDateFormatA(thread locale, DATE_USE_ALT_CALENDAR, date, picture): the date in the locale's
// alternate (era) calendar. False when the platform cannot format it.
bool FormatAltCalendarDate(int year, int month, int day, const char* picture, AnsiString& text);

// ---- Clock ----

// GetLocalTime.
SystemTime LocalNow();

// ---- Files ----

enum class FileStatus { Ok, NotFound, Failed };

// CreateFileA (sharing read, write and delete) + ReadFile: the whole file. NotFound when there is no such file, Failed when it
// exists but cannot be opened or read.
FileStatus ReadWholeFile(const AnsiString& path, std::string& bytes);

// CreateFileA(CREATE_ALWAYS) + WriteFile + FlushFileBuffers + CloseHandle. False on any failure.
bool WriteNewFile(const AnsiString& path, const std::string& bytes);

// Puts replacement in the place of the existing target in one step (MoveFileExA with
// MOVEFILE_REPLACE_EXISTING), the target's attributes and creation time kept; replacement is
// gone afterwards.
bool ReplaceExistingFile(const AnsiString& target, const AnsiString& replacement);

// MoveFileExA(MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH).
bool MoveFileReplacing(const AnsiString& from, const AnsiString& to);

// DeleteFileA.
bool RemoveFile(const AnsiString& path);

// GetFileAttributesA: true when something (file or folder) exists at the path.
bool PathExists(const AnsiString& path);

// GetFileAttributesA: a file (not a folder) with the read-only attribute.
bool IsReadOnlyFile(const AnsiString& path);

// Windows file time: 100-nanosecond intervals since 1601-01-01 UTC.
using FileTime = uint64_t;

struct FoundFileTimes {
    FileTime created = 0;
    FileTime lastWritten = 0;
    FileTime lastAccessed = 0;
};

// FindFirstFileA (every attribute accepted) + FindClose. False when nothing is found.
bool FindFileTimes(const AnsiString& pattern, FoundFileTimes& times);

// FileTimeToLocalFileTime + FileTimeToSystemTime. False when either fails.
bool FileTimeToLocalSystemTime(FileTime utc, SystemTime& local);

// CreateDirectoryA of one folder (its parent must exist). False on failure, also when it exists.
bool CreateFolder(const AnsiString& path);

// GetModuleFileNameA(NULL): the full path of the running program (the host editor).
AnsiString HostExecutablePath();

// GetCurrentProcessId: tells apart the temporary files of two programs saving at once.
uint32_t CurrentProcessId();

// ---- Registry (HKEY_CURRENT_USER) ----

using RegistryKey = void*;

// RegCreateKeyExA(HKEY_CURRENT_USER, path, KEY_ALL_ACCESS): opens the key, creating it when
// missing. Null on failure.
RegistryKey OpenOrCreateUserKey(const AnsiString& path);

// RegOpenKeyExA(key, name, KEY_READ). Null when the subkey does not exist.
RegistryKey OpenSubKey(RegistryKey key, const AnsiString& name);

constexpr uint32_t RegistryString = 1;        // REG_SZ
constexpr uint32_t RegistryExpandString = 2;  // REG_EXPAND_SZ

// RegQueryValueExA: the value's type and its raw data, as stored. False when it does not exist.
bool QueryRegistryValue(RegistryKey key, const AnsiString& name, uint32_t& type, std::string& data);

// RegCloseKey. Accepts null.
void CloseRegistryKey(RegistryKey key);

// ---- Shell folders ----

// SHGetSpecialFolderPathA(owner 1, buffer, csidl, create FALSE) into a 264-byte buffer.
bool GetSpecialFolder(int csidl, char (&buffer)[264]);

// ---- Windows version records ----

// The fields of OSVERSIONINFOEXA that the version name reads.
struct VersionRecord {
    uint32_t majorVersion = 0;
    uint32_t minorVersion = 0;
    uint32_t buildNumber = 0;
    uint32_t platformId = 0;
    char csdVersion[128] = {};
    uint16_t servicePackMajor = 0;
    uint16_t servicePackMinor = 0;
    uint16_t suiteMask = 0;
    uint8_t productType = 0;
};

// GetVersionExA with the basic record (size 148). False on failure.
bool GetBasicVersion(VersionRecord& record);

// GetVersionExA looked up by name in "kernel32" (size 156). On success copies the extended
// fields into record and returns true; leaves it untouched otherwise.
bool QueryVersionInfoEx(VersionRecord& record);

// GetNativeSystemInfo looked up by name in "kernel32": the processor architecture
// (6 = Itanium, 9 = x64). False, architecture untouched, when the function is missing.
bool QueryNativeSystemInfo(uint16_t& architecture);

// GetProductInfo looked up by name in "kernel32": the product type number, 0 when missing.
uint32_t QueryProductType(uint32_t major, uint32_t minor, uint32_t spMajor, uint32_t spMinor);

// GetSystemMetrics(SM_SERVERR2 = 89) != 0: the system is the R2 release of Server 2003.
bool IsServerR2();

// ---- The host editor ----

// The editor window handle that the host passes to the exports.
using HostWindow = void*;

// SendMessageA.
intptr_t SendToHost(HostWindow window, uint32_t message, uintptr_t wParam, intptr_t lParam);

// MessageBoxA: the button the user pressed (6 = Yes), or 0/-1 when no box could be shown.
int ShowMessageBox(HostWindow owner, const AnsiString& text, const AnsiString& caption, uint32_t style);

// lstrcpynA: copies at most size - 1 bytes of source and a NUL; writes nothing when size is 0.
void BoundedCopy(char* dest, const char* source, int size);

}  // namespace platform
