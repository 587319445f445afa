// The compiled-in name tables. Entries are 8-bit text (the kanji in Shift-JIS), stored from
// index 0; the month or weekday n (1-based, 1 = Sunday) is entry n - 1.
#pragma once

namespace stem {

extern const char* const EnglishShortMonthNames[12];
extern const char* const EnglishLongMonthNames[12];
extern const char* const EnglishShortDayNames[7];
extern const char* const EnglishLongDayNames[7];

// The initials of the Japanese eras Meiji to Reiwa, and the letter of each, index for index.
constexpr int EraCount = 5;
extern const char* const EraInitials[EraCount];
extern const char* const EraLetters[EraCount];

// The calendar header, Sunday first.
extern const char* const WeekdayKanji[7];

}  // namespace stem
