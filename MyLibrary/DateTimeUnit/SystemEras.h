// The Japanese eras that Windows lists in the registry, where Windows Update adds a new era:
// the letter of an era that our table does not know comes from there, so a new era needs no
// new DLL.
#pragma once

#include <vector>

#include "base/Types.h"

namespace stem {

// Under HKEY_LOCAL_MACHINE: one string value per era, named by its first day ("2019 05 01"),
// holding "<name>_<initial>_<English name>_<English initial>" ("令和_令_Reiwa_R").
constexpr const char* SystemErasKey =
    "SYSTEM\\CurrentControlSet\\Control\\Nls\\Calendars\\Japanese\\Eras";

struct SystemEra {
    WideString initial;  // 令
    char letter;         // 'r': the English initial, lower-cased
};

// The well-formed entries of the key, read through the seam at each call: string values of
// four fields with an initial and an English initial of one ASCII letter. Any other value is
// left out; no key gives none.
std::vector<SystemEra> ReadSystemEras();

// The same, read at first use and kept for as long as the module stays loaded.
const std::vector<SystemEra>& SystemEras();

// The letter of an era initial: our table's for the eras it knows (EraLetterOf), else that of
// the first listed era with this initial; empty when neither knows it.
WideString EraLetterFor(const WideString& initial, const std::vector<SystemEra>& systemEras);

}  // namespace stem
