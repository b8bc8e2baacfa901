#include "store/DateTime.h"

#include <cstdio>
#include <ctime>

namespace store {

int DayOfWeek(int y, int m, int d)
{
    static const int t[] = {0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
    if (m < 1 || m > 12)
        return 0;
    if (m < 3)
        y -= 1;
    return (y + y / 4 - y / 100 + y / 400 + t[m - 1] + d) % 7;
}

DateTime DateTime::Make(int year, int month, int day, int hour, int minute, int second)
{
    DateTime t;
    t.year = static_cast<std::int16_t>(year);
    t.month = static_cast<std::int16_t>(month);
    t.day = static_cast<std::int16_t>(day);
    t.hour = static_cast<std::int16_t>(hour);
    t.minute = static_cast<std::int16_t>(minute);
    t.second = static_cast<std::int16_t>(second);
    t.dayOfWeek = static_cast<std::int16_t>(DayOfWeek(year, month, day));
    return t;
}

DateTime DateTime::Now()
{
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return Make(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec);
}

std::optional<DateTime> DateTime::FromIso(std::string_view text)
{
    int y = 0, mo = 0, d = 0, h = 0, mi = 0, s = 0;
    std::string copy(text);
    int n = std::sscanf(copy.c_str(), "%d-%d-%d%*[ T]%d:%d:%d", &y, &mo, &d, &h, &mi, &s);
    if (n < 3 || mo < 1 || mo > 12 || d < 1 || d > 31)
        return std::nullopt;
    return Make(y, mo, d, h, mi, s);
}

std::string DateTime::ToIso() const
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d %02d:%02d:%02d", year, month, day, hour, minute, second);
    return buffer;
}

std::string DateTime::DateText() const
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%d/%d/%d", month, day, year);
    return buffer;
}

std::string DateTime::TimeText() const
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%d:%d", hour, minute);
    return buffer;
}

} // namespace store
