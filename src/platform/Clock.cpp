#include "platform/Clock.h"

namespace tallow {

namespace {

// Days from 0001-01-01 to the given date (civil-from-days in reverse).
long DaysFromCivil(int y, int m, int d) {
    y -= m <= 2 ? 1 : 0;
    const long era = (y >= 0 ? y : y - 399) / 400;
    const long yoe = y - era * 400;
    const long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe;
}

}  // namespace

double EncodeDateTime(int year, int month, int day, int hour, int minute, int second, int millisecond) {
    const long days = DaysFromCivil(year, month, day) - DaysFromCivil(1899, 12, 30);
    const double time = (((hour * 60.0 + minute) * 60.0 + second) * 1000.0 + millisecond) / 86400000.0;
    return days >= 0 ? days + time : days - time;
}

}  // namespace tallow
