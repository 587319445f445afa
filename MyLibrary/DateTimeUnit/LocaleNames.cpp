#include "MyLibrary/DateTimeUnit/LocaleNames.h"

#include "MyLibrary/DateTimeUnit/NameTables.h"

namespace stem {

namespace {

constexpr unsigned LanguageJapanese = 0x11;
constexpr unsigned LanguageChinese = 0x04;
constexpr unsigned SubLanguageTaiwan = 0x01;

void ReadOr(LocaleTextReader reader, platform::LocaleText item, Weekday weekday,
            const char16_t* fallback, WideString& text)
{
    if (!reader(item, weekday, text))
        text = fallback;
}

}  // namespace

void ReadLocaleNames(LocaleTextReader reader, LocaleNames& names)
{
    using platform::LocaleText;
    ReadOr(reader, LocaleText::AmDesignator, Weekday::Sunday, u"am", names.am);
    ReadOr(reader, LocaleText::PmDesignator, Weekday::Sunday, u"pm", names.pm);
    for (int i = 0; i < 7; ++i) {
        const auto weekday = static_cast<Weekday>(i + 1);
        ReadOr(reader, LocaleText::LongDayName, weekday, EnglishLongDayNames[i], names.longDays[i]);
        ReadOr(reader, LocaleText::ShortDayName, weekday, EnglishShortDayNames[i],
               names.shortDays[i]);
    }
}

// No locale has the primary language 0, so the names are read at the first call.
const LocaleNames& ThreadLocaleNames()
{
    static LocaleNames names;
    const unsigned primaryLanguage = platform::ThreadPrimaryLanguage();
    const unsigned subLanguage = platform::ThreadSubLanguage();
    if (names.primaryLanguage != primaryLanguage || names.subLanguage != subLanguage) {
        ReadLocaleNames(&platform::GetLocaleText, names);
        names.primaryLanguage = primaryLanguage;
        names.subLanguage = subLanguage;
    }
    return names;
}

WideString EraInitialOf(const WideString& eraName, unsigned primaryLanguage, unsigned subLanguage)
{
    if (primaryLanguage == LanguageJapanese)
        return eraName.substr(0, 1);
    if (primaryLanguage == LanguageChinese && subLanguage == SubLanguageTaiwan &&
        eraName.size() == 4)
        return eraName.substr(2, 2);
    return eraName;
}

EraFields EraFieldsOf(int year, int month, int day)
{
    const platform::AltCalendarEra era = platform::EraOfDate(year, month, day);
    return {era.name, era.year2};
}

}  // namespace stem
