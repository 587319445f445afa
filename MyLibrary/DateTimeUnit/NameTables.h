// The compiled-in name tables, UTF-16, stored from index 0; the month or weekday n (1-based,
// 1 = Sunday) is entry n - 1.
#pragma once

namespace stem {

extern const char16_t* const EnglishShortMonthNames[12];
extern const char16_t* const EnglishLongMonthNames[12];
extern const char16_t* const EnglishShortDayNames[7];
extern const char16_t* const EnglishLongDayNames[7];

// The initials of the Japanese eras Meiji to Reiwa, and the letter of each, index for index.
constexpr int EraCount = 5;
extern const char16_t* const EraInitials[EraCount];
extern const char16_t* const EraLetters[EraCount];

// The calendar header, Sunday first.
extern const char16_t* const WeekdayKanji[7];

}  // namespace stem
