#pragma once
// A calendar date and time as the records keep it.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace store {

struct DateTime {
    std::int16_t year = 0;
    std::int16_t month = 0;
    std::int16_t dayOfWeek = 0; // 0 Sunday
    std::int16_t day = 0;
    std::int16_t hour = 0;
    std::int16_t minute = 0;
    std::int16_t second = 0;
    std::int16_t milliseconds = 0;

    static DateTime Now();
    // Builds a date, filling the day of the week.
    static DateTime Make(int year, int month, int day, int hour = 0, int minute = 0, int second = 0);
    // "YYYY-MM-DD HH:MM:SS", the form stored in the data files; also accepts a
    // date alone and a "T" between date and time.
    static std::optional<DateTime> FromIso(std::string_view text);
    std::string ToIso() const;
    // "%d/%d/%d" of month, day, year and "%d:%d" of hour, minute.
    std::string DateText() const;
    std::string TimeText() const;

    bool operator==(const DateTime&) const = default;
};

// 0 Sunday .. 6 Saturday.
int DayOfWeek(int year, int month, int day);

} // namespace store
