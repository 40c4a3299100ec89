// The local wall clock.
#pragma once

namespace tallow {

class IClock {
  public:
    virtual ~IClock() = default;
    /// Local date and time now as a day count since 1899-12-30 00:00, the time
    /// of day as fraction.
    virtual double Now() const = 0;
};

/// The day count of a calendar date and time (proleptic Gregorian calendar).
double EncodeDateTime(int year, int month, int day, int hour = 0, int minute = 0, int second = 0, int millisecond = 0);

}  // namespace tallow
