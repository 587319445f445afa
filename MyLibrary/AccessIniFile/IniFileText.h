// The file layer of the INI class: bytes on disk <-> lines in memory. The line engine never
// sees bytes: it works on lines of held text (UTF-8), whatever the file's encoding and
// whatever the system's code page.
//
// A file's encoding is told by its first bytes alone, the same on every system: a byte-order
// mark of UTF-8, UTF-16LE or UTF-16BE decides; a file without one is UTF-8 when its bytes are
// valid UTF-8 holding some byte above 0x7F, and Shift-JIS otherwise (a Japanese user's file,
// or one of ASCII alone). A file is written back in the encoding it was read in, mark first
// where it had one, so it never holds two encodings; a new file is Shift-JIS.
// A file whose content the lines cannot carry exactly (a NUL inside, malformed UTF-16 or UTF-8,
// Shift-JIS bytes that do not come back unchanged from their characters) is read as far as it
// goes and marked unfaithful: writing those lines back would lose part of it, so the class
// never does.
#pragma once

#include <cstdint>
#include <vector>

#include "MyLibrary/AccessIniFile/IniDialect.h"
#include "base/Types.h"

namespace stem {

enum class TIniEncoding { ShiftJis, Utf8, Utf8WithMark, Utf16Le, Utf16Be };

struct TIniFileContent {
    TStringLines lines;
    TIniEncoding encoding = TIniEncoding::ShiftJis;
    bool faithful = true;  // the lines hold every character of the file
};

// The encoding of a file without a byte-order mark, from its bytes.
TIniEncoding EncodingOfUnmarkedFile(const std::string& bytes);

// The encoding of a file the plug-ins create: Shift-JIS, the same bytes on every system.
TIniEncoding EncodingOfNewFile();

// Splits at CR LF, lone CR and lone LF; a final line break adds no empty line; a NUL ends the
// text.
TStringLines SplitIniText(const std::string& text);

// Every line followed by CR LF, the last one included.
std::string JoinIniLines(const TStringLines& lines);

// The file's bytes as lines, in the encoding its bytes tell.
TIniFileContent DecodeIniText(const std::string& bytes);

// The lines as the bytes of a file in the encoding, mark first for the marked ones.
std::string EncodeIniText(const TStringLines& lines, TIniEncoding encoding);

// The file's content, or no lines in the encoding of a new file when there is no file at the
// path (or the path is empty).
// Raises FileError when the file exists but cannot be read.
TIniFileContent LoadIniFile(const WideString& path);

// Puts the bytes in the file's place without ever leaving it partly written: they go to a
// temporary file of this save's own in the same folder, flushed to the disk, which then
// replaces the file (keeping its attributes and creation time) or takes its name when there is
// none. On any failure the file is as it was, the temporary file is removed, and FileError is
// raised. After a save, the temporary files that saves of the file left behind in programs
// that no longer run are removed.
void SaveIniFile(const WideString& path, const std::string& bytes);

// A new name for a save's temporary file: "<path>.<process>-<n>.saving", so that two programs
// saving the same file at once never write into one temporary file.
WideString SavingFileOf(const WideString& path);

// Whether the name (without its folder) is that of a save's temporary file of the file named
// fileName, "<fileName>.<process>-<n>.saving" with the file name in any letter case, and the
// process number in its name.
bool IsSavingFileOf(const WideString& fileName, const WideString& name, uint32_t& process);

}  // namespace stem
