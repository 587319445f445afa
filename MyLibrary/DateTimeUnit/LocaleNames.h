// The facts the formatter takes from the thread's locale: am/pm designators, weekday names,
// the language (which decides how an era name is cut to its initial), and the era fields of
// a date from the locale's alternate calendar.
#pragma once

#include "base/Types.h"
#include "platform/Platform.h"

namespace stem {

struct LocaleNames {
    WideString am;
    WideString pm;
    WideString longDays[7];  // Sunday first
    WideString shortDays[7];
    unsigned primaryLanguage = 0;
    unsigned subLanguage = 0;
};

// Asks for one locale text; false when the locale cannot give it (platform::GetLocaleText).
using LocaleTextReader = bool (*)(platform::LocaleText item, Weekday weekday, WideString& text);

// Fills in the names as the reader gives them. A designator it cannot give is "am" or "pm", a
// day name the English one. The language fields are left as they are.
void ReadLocaleNames(LocaleTextReader reader, LocaleNames& names);

// The thread locale's names and language, read at first use and kept for as long as the
// locale's language stays the same (a host of the stand-in may switch the system it plays).
const LocaleNames& ThreadLocaleNames();

// The initial of an era name: its first character for Japanese (0x11); its third and fourth
// for a four-character name under Chinese (0x04) of Taiwan (0x01); the whole name otherwise.
WideString EraInitialOf(const WideString& eraName, unsigned primaryLanguage, unsigned subLanguage);

// The era fields of a date in the locale's alternate calendar; each is empty when the
// platform cannot format it (for a Japanese locale, any date before 1868-01-01).
struct EraFields {
    WideString name;   // picture "gg"
    WideString year2;  // picture "yy"
};
EraFields EraFieldsOf(int year, int month, int day);

}  // namespace stem
