// The tool's UTF-8 conversions live with the other text routines.
#pragma once

#include "MyLibrary/StringUnit/UnicodeText.h"
