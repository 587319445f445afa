// The surprises of the settings file's dialect, found line by line for each plug-in's section:
// lines a load never reads, section names a person takes for a plug-in's, values the load
// changes, patterns that render otherwise than their writer meant (PatternCheck.h), and a file
// the lines cannot carry whole or that mixes two encodings. Works on the file's content in
// memory, in time proportional to it; the messages are held text, as the lines are.
#pragma once

#include <string>
#include <vector>

#include "MyLibrary/AccessIniFile/IniFileText.h"
#include "plugin/PluginTraits.h"
#include "plugin/SettingsFile.h"

namespace stem {

// What the warnings are about, named as `stem check --help` and the readmes name them, in
// English and in Japanese: the one list of the linter's rules, which `stem rules` prints and the
// documents are checked against. Every warning is an instance of one of them.
struct SettingsRule {
    const char* english;
    const char16_t* japanese;
};

namespace rule {
inline constexpr SettingsRule NeverRead = {"never read", u"読まれない"};
inline constexpr SettingsRule BlanksOrQuotes = {"blanks or quotes", u"空白やクォート"};
inline constexpr SettingsRule UnpairedQuotes = {"unpaired double quotes",
                                                u"対になっていないダブル クォート"};
inline constexpr SettingsRule EndsTheSection = {"ends the section", u"セクションを終わらせる"};
inline constexpr SettingsRule SectionInComment = {"section name in a comment",
                                                  u"コメントの中のセクション名"};
inline constexpr SettingsRule SpelledOtherwise = {"spelled otherwise",
                                                  u"綴りの異なるカレンダーの値"};
inline constexpr SettingsRule TwoEncodings = {"two encodings", u"二つの文字コードの混在"};
inline constexpr SettingsRule SectionMistyped = {"section name mistyped",
                                                 u"書き間違えたセクション名"};
inline constexpr SettingsRule MonthForMinutes = {"mm for minutes", u"分のつもりの mm"};
inline constexpr SettingsRule OtherProgramsLetters = {"other programs' letters",
                                                      u"ほかのプログラムの書式文字"};
inline constexpr SettingsRule FullWidthLetters = {"full-width letters",
                                                  u"トークンにならない全角文字"};
inline constexpr SettingsRule EmptyItem01 = {"empty Item01", u"空の Item01"};
inline constexpr SettingsRule CalendarElsewhere = {"calendar in the wrong section",
                                                   u"カレンダーのないセクションのカレンダー"};
inline constexpr SettingsRule NulInPattern = {"\\0 in a pattern", u"書式の中の \\0"};
inline constexpr SettingsRule FileNotReadWhole = {"file not read whole",
                                                  u"最後まで読めないファイル"};
}  // namespace rule

inline constexpr const SettingsRule* SettingsRules[] = {
    &rule::NeverRead,         &rule::BlanksOrQuotes,
    &rule::UnpairedQuotes,    &rule::EndsTheSection,
    &rule::SectionInComment,  &rule::SpelledOtherwise,
    &rule::TwoEncodings,      &rule::SectionMistyped,
    &rule::MonthForMinutes,   &rule::OtherProgramsLetters,
    &rule::FullWidthLetters,  &rule::EmptyItem01,
    &rule::CalendarElsewhere, &rule::NulInPattern,
    &rule::FileNotReadWhole,
};

struct SettingsWarning {
    int line;                  // 1-based; 0 for the file as a whole
    const SettingsRule* rule;  // one of SettingsRules
    Utf8String text;           // one sentence, without the line number
};

// A plug-in's section to check, and what a press makes of its defaults (see SettingsFile.h).
struct CheckedSection {
    const PluginTraits* traits;
    DefaultsPlacement placement;
};

// The warnings about the file (its bytes and their content), in line order: the file as a
// whole first, then each line's in the order of the sections, at most one of each rule on a
// line. A line that one section's load reads is never called unread by another.
std::vector<SettingsWarning> CheckSettingsFile(const std::string& bytes,
                                               const TIniFileContent& content,
                                               const std::vector<CheckedSection>& sections);

}  // namespace stem
