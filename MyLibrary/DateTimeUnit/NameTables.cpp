#include "MyLibrary/DateTimeUnit/NameTables.h"

namespace stem {

const char16_t* const EnglishShortMonthNames[12] = {u"Jan", u"Feb", u"Mar", u"Apr", u"May", u"Jun",
                                                    u"Jul", u"Aug", u"Sep", u"Oct", u"Nov", u"Dec"};

const char16_t* const EnglishLongMonthNames[12] = {
    u"January", u"February", u"March",     u"April",   u"May",      u"June",
    u"July",    u"August",   u"September", u"October", u"November", u"December"};

const char16_t* const EnglishShortDayNames[7] = {u"Sun", u"Mon", u"Tue", u"Wed",
                                                 u"Thu", u"Fri", u"Sat"};

const char16_t* const EnglishLongDayNames[7] = {u"Sunday",   u"Monday", u"Tuesday", u"Wednesday",
                                                u"Thursday", u"Friday", u"Saturday"};

const char16_t* const EraInitials[EraCount] = {u"明", u"大", u"昭", u"平", u"令"};

const char16_t* const EraLetters[EraCount] = {u"m", u"t", u"s", u"h", u"r"};

const char16_t* const WeekdayKanji[7] = {u"日", u"月", u"火", u"水", u"木", u"金", u"土"};

}  // namespace stem
