// The surprises of the settings file's dialect, found line by line for each plug-in's section:
// lines a load never reads, values the load changes, patterns whose quotes do not pair up, and
// a file the lines cannot carry whole or that mixes two encodings. Works on the file's content
// in memory; the messages are held text, as the lines are.
#pragma once

#include <string>
#include <vector>

#include "MyLibrary/AccessIniFile/IniFileText.h"
#include "plugin/PluginTraits.h"
#include "plugin/SettingsFile.h"

namespace stem {

// What the warnings are about, named as `stem check --help` and the readmes name it, in English
// and in Japanese: the one list of the linter's rules, which `stem rules` prints and the
// documents are checked against.
struct SettingsRule {
    const char* english;
    const char16_t* japanese;
};
inline constexpr SettingsRule SettingsRules[] = {
    {"never read", u"読まれない"},
    {"blanks", u"空白"},
    {"unpaired double quotes", u"対になっていないダブル クォート"},
    {"ends the section", u"セクションを終わらせる"},
    {"section name in a comment", u"コメントの中のセクション名"},
    {"spelled otherwise", u"綴りの異なるカレンダーの値"},
    {"two encodings", u"二つの文字コードの混在"},
};

struct SettingsWarning {
    int line;         // 1-based; 0 for the file as a whole
    Utf8String text;  // one sentence, without the line number
};

// A plug-in's section to check, and what a press makes of its defaults (see SettingsFile.h).
struct CheckedSection {
    const PluginTraits* traits;
    DefaultsPlacement placement;
};

// The warnings about the file (its bytes and their content), in line order: the file as a
// whole first, then each line's in the order of the sections.
std::vector<SettingsWarning> CheckSettingsFile(const std::string& bytes,
                                               const TIniFileContent& content,
                                               const std::vector<CheckedSection>& sections);

}  // namespace stem
