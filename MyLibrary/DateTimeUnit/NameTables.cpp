#include "MyLibrary/DateTimeUnit/NameTables.h"

namespace stem {

const char* const EnglishShortMonthNames[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

const char* const EnglishLongMonthNames[12] = {"January",   "February", "March",    "April",
                                               "May",       "June",     "July",     "August",
                                               "September", "October",  "November", "December"};

const char* const EnglishShortDayNames[7] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};

const char* const EnglishLongDayNames[7] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                            "Thursday", "Friday", "Saturday"};

const char* const EraInitials[EraCount] = {
    "\x96\xbe",  // 明
    "\x91\xe5",  // 大
    "\x8f\xba",  // 昭
    "\x95\xbd",  // 平
    "\x97\xdf",  // 令
};

const char* const EraLetters[EraCount] = {"m", "t", "s", "h", "r"};

const char* const WeekdayKanji[7] = {
    "\x93\xfa",  // 日
    "\x8c\x8e",  // 月
    "\x89\xce",  // 火
    "\x90\x85",  // 水
    "\x96\xd8",  // 木
    "\x8b\xe0",  // 金
    "\x93\x79",  // 土
};

}  // namespace stem
