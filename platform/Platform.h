// The only door to the operating system. platform/win32 implements these functions with the
// real Win32 calls named beside each; platform/posix implements them with a stand-in that
// behaves like a Japanese Windows system (ANSI code page 932, locale ja-JP, Japanese eras), or
// on demand like one whose page is UTF-8, or like an English one.
// Paths are wide (UTF-16) and go to the "W" functions, so any folder name works whatever the
// ANSI code page; other names (registry keys and values) are held text, UTF-8. Text that an
// "A" function gives comes in a code page and is decoded here, at the seam.
#pragma once

#include <cstdint>
#include <vector>

#include "base/Calendar.h"
#include "base/Types.h"
#include "platform/VersionFacts.h"

namespace stem {

namespace platform {

// ---- Code pages and locale comparison (CP_ACP, LOCALE_USER_DEFAULT) ----

constexpr unsigned ShiftJisCodePage = 932;
constexpr unsigned WesternCodePage = 1252;
constexpr unsigned Utf8CodePage = 65001;

// GetACP: the system's ANSI code page, the one every "A" function's text is in.
unsigned AnsiCodePage();

// MultiByteToWideChar / WideCharToMultiByte with the code page and no flags (the stand-in knows
// 932, 1252 and 65001). Bytes that do not form a character become a replacement character,
// characters without a byte form become "?" (or U+FFFD in UTF-8); an empty result for a text
// that is not empty means the page is unknown.
WideString DecodeText(unsigned codePage, const std::string& bytes);
std::string EncodeText(unsigned codePage, const WideString& text);

// CompareStringW under the user default locale: whether the two runs are equal,
// case-sensitively or ignoring letter case only (NORM_IGNORECASE).
bool WideEqual(const WideChar* a, int lengthA, const WideChar* b, int lengthB, bool ignoreCase);

// LCMapStringW with LCMAP_FULLWIDTH under the user default locale: the text in full-width
// form, a U+0000 inside it mapped like any character. Empty when the mapping fails.
WideString FullWidth(const WideString& text);

// ---- Locale data of the thread's locale ----

enum class LocaleText { AmDesignator, PmDesignator, LongDayName, ShortDayName };

// GetLocaleInfoW: LOCALE_S1159, LOCALE_S2359, LOCALE_SDAYNAMEn, LOCALE_SABBREVDAYNAMEn. The
// weekday matters for day names only. False when the locale cannot give the text. Wide, as the
// ANSI form comes in the locale's code page, which need not be the ANSI code page.
bool GetLocaleText(LocaleText item, Weekday weekday, WideString& text);

// The primary language of the thread's locale (0x11 = Japanese, 0x04 = Chinese).
unsigned ThreadPrimaryLanguage();

// The sub-language of the thread's locale (0x01 = Taiwan for Chinese).
unsigned ThreadSubLanguage();

// GetDateFormatW(thread locale, DATE_USE_ALT_CALENDAR) with the pictures "gg" and "yy": the
// date's era name and its year within the era in two digits, in the locale's alternate (era)
// calendar. Each is empty when the platform cannot format it.
struct AltCalendarEra {
    WideString name;
    WideString year2;
};
AltCalendarEra EraOfDate(int year, int month, int day);

// ---- Clock ----

// GetLocalTime.
DateTimeFields LocalNow();

// ---- Files ----

enum class FileStatus { Ok, NotFound, Failed };

// CreateFileW (sharing read, write and delete) + ReadFile: the whole file. NotFound when there is
// no such file, Failed when it exists but cannot be opened or read.
FileStatus ReadWholeFile(const WideString& path, std::string& bytes);

// CreateFileW(CREATE_ALWAYS) + WriteFile + FlushFileBuffers + CloseHandle. False on any failure.
bool WriteNewFile(const WideString& path, const std::string& bytes);

// Puts replacement in the place of the existing target in one step (MoveFileExW with
// MOVEFILE_REPLACE_EXISTING), the target's attributes and creation time kept; replacement is
// gone afterwards.
bool ReplaceExistingFile(const WideString& target, const WideString& replacement);

// MoveFileExW(MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH).
bool MoveFileReplacing(const WideString& from, const WideString& to);

// DeleteFileW.
bool RemoveFile(const WideString& path);

// GetFileAttributesW: true when something (file or folder) exists at the path.
bool PathExists(const WideString& path);

// GetFileAttributesW: a file (not a folder) with the read-only attribute.
bool IsReadOnlyFile(const WideString& path);

// Windows file time: 100-nanosecond intervals since 1601-01-01 UTC.
using FileTime = uint64_t;

struct FoundFileTimes {
    FileTime created = 0;
    FileTime lastWritten = 0;
    FileTime lastAccessed = 0;
};

// FindFirstFileW (every attribute accepted) + FindClose. False when nothing is found.
bool FindFileTimes(const WideString& pattern, FoundFileTimes& times);

// CreateDirectoryW of one folder (its parent must exist). False on failure, also when it exists.
bool CreateFolder(const WideString& path);

// RemoveDirectoryW: removes an empty folder.
bool RemoveFolder(const WideString& path);

// CreateFileW(CREATE_NEW, FILE_FLAG_DELETE_ON_CLOSE) + CloseHandle: whether a new file can be
// made at the path (the folder exists and takes new files). The file is gone again at once.
bool CanCreateFile(const WideString& path);

// CreateFileW(OPEN_EXISTING, GENERIC_WRITE, sharing read, write and delete) + CloseHandle:
// whether the file at the path may be opened for writing (its permissions, the system and the
// programs that hold it open allow it). Nothing is written.
bool CanWriteFile(const WideString& path);

// FindFirstFileW / FindNextFileW / FindClose: the names (without their folder) of the files,
// not folders, that the pattern matches.
std::vector<WideString> FindFileNames(const WideString& pattern);

// GetModuleFileNameW(NULL): the full path of the running program (the host editor).
WideString HostExecutablePath();

// GetCurrentProcessId: tells apart the temporary files of two programs saving at once.
uint32_t CurrentProcessId();

// OpenProcess(SYNCHRONIZE) + WaitForSingleObject: a process with this number runs. True also
// when the answer is unsure (the process exists but may not be asked).
bool ProcessRunning(uint32_t processId);

// ---- Registry (HKEY_CURRENT_USER) ----

using RegistryKey = void*;

// RegCreateKeyExW(HKEY_CURRENT_USER, path, KEY_ALL_ACCESS): opens the key, creating it when
// missing. Null on failure.
RegistryKey OpenOrCreateUserKey(const Utf8String& path);

// RegOpenKeyExW(HKEY_CURRENT_USER, path, KEY_READ): a key that may be read but not written
// (made read-only by policy). Null when it does not exist or cannot be read.
RegistryKey OpenUserKeyForReading(const Utf8String& path);

// RegOpenKeyExW(key, name, KEY_READ). Null when the subkey does not exist.
RegistryKey OpenSubKey(RegistryKey key, const Utf8String& name);

constexpr uint32_t RegistryString = 1;        // REG_SZ
constexpr uint32_t RegistryExpandString = 2;  // REG_EXPAND_SZ

// RegQueryValueExW: the value's type and its raw data, as stored (a string value as UTF-16LE
// code units). False when it does not exist.
bool QueryRegistryValue(RegistryKey key, const Utf8String& name, uint32_t& type, std::string& data);

// RegCloseKey. Accepts null.
void CloseRegistryKey(RegistryKey key);

// ---- Registry (HKEY_LOCAL_MACHINE) ----

struct RegistryValue {
    Utf8String name;
    uint32_t type = 0;
    std::string data;  // raw, as stored (UTF-16LE code units for a string)
};

// RegOpenKeyExW(HKEY_LOCAL_MACHINE, path, KEY_QUERY_VALUE) + RegEnumValueW + RegCloseKey: every
// value of the key. Empty when the key does not exist or cannot be read.
std::vector<RegistryValue> ReadMachineKeyValues(const Utf8String& path);

// ---- Environment ----

// ExpandEnvironmentStringsW: "%NAME%" replaced by the value of each environment variable that
// exists; an unknown name is left as it stands.
WideString ExpandEnvironmentText(const WideString& text);

// ---- Shell folders ----

// SHGetSpecialFolderPathW(owner 1, csidl, create FALSE): the folder's path as the shell writes
// it, up to its first NUL. False when the shell knows no such folder.
bool GetSpecialFolder(int csidl, WideString& path);

// ---- Windows version records (the record is in VersionFacts.h) ----

// GetVersionExA with the basic record (size 148); its service-pack text is in the ANSI code
// page. False on failure.
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

// What answers the requests sent to a host window, in a program that hosts the plug-ins itself
// (HostSupport.h makes windows of them; in the stand-in a host window is one of these).
class HostReceiver {
public:
    virtual ~HostReceiver() = default;
    virtual intptr_t Receive(uint32_t message, uintptr_t wParam, intptr_t lParam) = 0;
};

// SendMessageA.
intptr_t SendToHost(HostWindow window, uint32_t message, uintptr_t wParam, intptr_t lParam);

// MessageBoxW with the Yes and No buttons and the question-mark icon (MB_YESNO |
// MB_ICONQUESTION), owned by the window: true when the user answers Yes. Wide, so the question
// reads the same on every ANSI code page.
bool AskYesNo(HostWindow owner, const WideString& text, const WideString& caption);

// lstrcpynA: copies at most size - 1 bytes of source (ASCII text, the same in every code page)
// and a NUL; writes nothing when size is 0.
void BoundedCopy(char* dest, const char* source, int size);

}  // namespace platform

}  // namespace stem
