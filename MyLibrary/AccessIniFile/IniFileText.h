// The file layer of the INI class: bytes on disk <-> lines in memory. The line engine never
// sees bytes, so encodings or a safer replace strategy can be added here alone.
#pragma once

#include <vector>

#include "MyLibrary/Common/Types.h"

using TStringLines = std::vector<AnsiString>;

// Splits at CR LF, lone CR and lone LF; a final line break adds no empty line; a NUL byte
// ends the text.
TStringLines SplitIniText(const std::string& text);

// Every line followed by CR LF, the last one included.
std::string JoinIniLines(const TStringLines& lines);

// The file's lines, or no lines when there is no file at the path (or the path is empty).
// Raises FileError when the file exists but cannot be read.
TStringLines LoadIniFile(const AnsiString& path);

// Creates or overwrites the file with the text, byte for byte. Raises FileError on failure.
void SaveIniFile(const AnsiString& path, const std::string& text);
