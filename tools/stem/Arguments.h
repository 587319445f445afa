// What every command of `stem` shares: the split of its arguments, the `--at` moment, UTF-8
// input, and the one error type that ends the program with status 2.
#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "base/Types.h"

namespace stem {

// Bad arguments. The message is one line naming what is wrong; `stem` prints it and exits 2.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The word as it may appear in a one-line message: bytes other than printable ASCII show as "?".
std::string Printable(const std::string& word);

// How --at writes a moment: a date alone is its midnight.
constexpr const char* MomentForm = "YYYY-MM-DD[Thh:nn:ss[.zzz]]";

struct CommandArguments {
    std::vector<std::string> positionals;
    std::optional<std::string> at;  // the text given to --at
};

// Splits the words after the command name. "--at VALUE" and "--at=VALUE" may stand anywhere;
// after "--" every word is positional. Any other word starting with "--" is an error.
CommandArguments SplitArguments(const std::vector<std::string>& words);

// Takes "--code-page PAGE" (or "--code-page=PAGE") out of the words before "--": the page asked
// for, if any.
std::optional<std::string> TakeCodePage(std::vector<std::string>& words);

// Runs what follows on the system of the ANSI code page given (932, 65001 or 1252, an English
// system), or on 932 when none is; stem.exe refuses the option, as it runs on the system's own
// page.
void UseCodePage(const std::optional<std::string>& page);

// Whether the program runs on the code page --code-page asks for: the Linux build's stand-in
// does; stem.exe runs on the system's own page.
bool CodePageIsChosen();

// The plug-in folder that check and press use when none is named, and why there: the folder the
// editor names in the registry, else stem's own folder. (The plug-ins' own default, PlugIns
// beside the editor's program, means nothing beside stem.)
struct PluginFolderFound {
    WideString folder;
    bool namedByEditor = false;  // the editor names it
    std::string why;  // the end of a sentence naming the folder: "in the plug-in folder ..."
};
PluginFolderFound FolderWhenNoneIsNamed();

// Checks that exactly the named positional arguments were given.
void RequirePositionals(const CommandArguments& arguments, const std::vector<const char*>& names);

// A local moment written YYYY-MM-DD (its midnight), YYYY-MM-DDThh:nn:ss or
// YYYY-MM-DDThh:nn:ss.zzz, a real date in the years 0001 to 9999.
TDateTime ParseMoment(const std::string& text);

// The --at moment when given, else the local clock now.
TDateTime MomentOf(const CommandArguments& arguments);

// UTF-8 bytes as wide text; an error naming `what` when they are not valid UTF-8.
WideString WideFromUtf8(const std::string& bytes, const char* what);

// A path given on the command line (UTF-8) as the plug-ins name files: the same path, wide, on
// Windows; natively a Windows path onto the stand-in's Z: drive, made absolute first.
WideString WindowsPathOf(const std::string& utf8Path, const char* what);

}  // namespace stem
