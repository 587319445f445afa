#include "MyLibrary/DateTimeUnit/LocaleNames.h"

#include "MyLibrary/DateTimeUnit/NameTables.h"

namespace stem {

namespace {

constexpr unsigned LanguageJapanese = 0x11;
constexpr unsigned LanguageChinese = 0x04;
constexpr unsigned SubLanguageTaiwan = 0x01;

WideString ReadOr(LocaleTextReader reader, platform::LocaleText item, Weekday weekday,
                  const char16_t* fallback)
{
    WideString text;
    if (!reader(item, weekday, text))
        text = fallback;
    return text;
}

}  // namespace

LocaleNames ReadLocaleNames(LocaleTextReader reader)
{
    using platform::LocaleText;
    LocaleNames names;
    names.am = ReadOr(reader, LocaleText::AmDesignator, Weekday::Sunday, u"am");
    names.pm = ReadOr(reader, LocaleText::PmDesignator, Weekday::Sunday, u"pm");
    for (int i = 0; i < 7; ++i) {
        const auto weekday = static_cast<Weekday>(i + 1);
        names.longDays[i] =
            ReadOr(reader, LocaleText::LongDayName, weekday, EnglishLongDayNames[i]);
        names.shortDays[i] =
            ReadOr(reader, LocaleText::ShortDayName, weekday, EnglishShortDayNames[i]);
    }
    return names;
}

const LocaleNames& ThreadLocaleNames()
{
    static LocaleNames names;
    static bool read = false;
    const unsigned primaryLanguage = platform::ThreadPrimaryLanguage();
    const unsigned subLanguage = platform::ThreadSubLanguage();
    if (!read || names.primaryLanguage != primaryLanguage || names.subLanguage != subLanguage) {
        names = ReadLocaleNames(&platform::GetLocaleText);
        names.primaryLanguage = primaryLanguage;
        names.subLanguage = subLanguage;
        read = true;
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
