// The file layer of the INI class: bytes on disk <-> lines in memory. The line engine never
// sees bytes: it works on lines of ANSI text in the system code page, whatever the file's
// encoding.
//
// A file that begins with the UTF-16LE or the UTF-8 byte-order mark is read in that encoding and
// written back in it, mark first; any other file is ANSI text, read and written byte for byte.
// Where the ANSI code page is UTF-8, a file without a mark is ANSI text only when it is valid
// UTF-8 holding some non-ASCII character; any other is Shift-JIS (a Japanese user's file from
// before the switch, or one of ASCII alone) and is written back in Shift-JIS, as is a new file,
// so that a file holds the same bytes on every system.
// A file whose content the lines cannot carry exactly (a NUL inside, malformed UTF-16 or UTF-8,
// a character the code page lacks) is read as far as it goes and marked unfaithful: writing
// those lines back would lose part of it, so the class never does.
#pragma once

#include <cstdint>
#include <vector>

#include "MyLibrary/AccessIniFile/IniDialect.h"
#include "base/Types.h"

namespace stem {

enum class TIniEncoding { Ansi, Utf16Le, Utf8, ShiftJis };

struct TIniFileContent {
    TStringLines lines;
    TIniEncoding encoding = TIniEncoding::Ansi;
    bool faithful = true;  // the lines hold every character of the file
};

// Splits at CR LF, lone CR and lone LF; a final line break adds no empty line; a NUL byte
// ends the text.
TStringLines SplitIniText(const std::string& text);

// Every line followed by CR LF, the last one included.
std::string JoinIniLines(const TStringLines& lines);

// The file's bytes as lines, by the encoding its first bytes announce.
TIniFileContent DecodeIniText(const std::string& bytes);

// The lines as the bytes of a file in the encoding, mark first for the Unicode ones.
std::string EncodeIniText(const TStringLines& lines, TIniEncoding encoding);

// The file's content, or no lines in the encoding of a new file when there is no file at the
// path (or the path is empty).
// Raises FileError when the file exists but cannot be read.
TIniFileContent LoadIniFile(const AnsiString& path);

// Puts the bytes in the file's place without ever leaving it partly written: they go to a
// temporary file of this save's own in the same folder, flushed to the disk, which then
// replaces the file (keeping its attributes and creation time) or takes its name when there is
// none. On any failure the file is as it was, the temporary file is removed, and FileError is
// raised. After a save, the temporary files that saves of the file left behind in programs
// that no longer run are removed.
void SaveIniFile(const AnsiString& path, const std::string& bytes);

// A new name for a save's temporary file: "<path>.<process>-<n>.saving", so that two programs
// saving the same file at once never write into one temporary file.
AnsiString SavingFileOf(const AnsiString& path);

// Whether the name (without its folder) is that of a save's temporary file of the file named
// fileName, "<fileName>.<process>-<n>.saving" with the file name in any letter case, and the
// process number in its name.
bool IsSavingFileOf(const AnsiString& fileName, const AnsiString& name, uint32_t& process);

}  // namespace stem
