// A local moment from its calendar fields, for tests and benchmarks that need a fixed time.
#pragma once

#include "MyLibrary/DateTimeUnit/DateTimeValue.h"

namespace stem {

inline DateTimeFields FieldsAt(int year, int month, int day, int hour = 0, int minute = 0,
                               int second = 0, int millisecond = 0)
{
    DateTimeFields fields;
    fields.year = year;
    fields.month = month;
    fields.day = day;
    fields.hour = hour;
    fields.minute = minute;
    fields.second = second;
    fields.millisecond = millisecond;
    return fields;
}

inline TDateTime MomentAt(int year, int month, int day, int hour = 0, int minute = 0,
                          int second = 0, int millisecond = 0)
{
    return EncodeDateTime(FieldsAt(year, month, day, hour, minute, second, millisecond));
}

}  // namespace stem
