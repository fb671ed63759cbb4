#pragma once
// Calendar days of the league: a day is a count of days since 1970-01-01, so
// that rest periods and schedules are plain integer arithmetic.

#include <string>

namespace quindle::jvsim::league {

using Day = int;

struct Ymd {
    int year;
    int month;
    int day;
};

Day DayFromYmd(int year, int month, int day);
Ymd YmdFromDay(Day d);
// 0 Sunday, 1 Monday, ..., 6 Saturday.
int WeekdayOf(Day d);
// yyyymmdd as a number and as text.
int DateNumber(Day d);
std::string Date8(Day d);
// mmdd as text.
std::string MonthDay4(Day d);
// yyyymmddhhmm and yyyymmddhhmmss for a day and a time of day hhmm.
std::string Minute12(Day d, int hhmm);
std::string Stamp14(Day d, int hhmm);
// A time hhmm moved by `minutes` within the day (no wrap past midnight).
int AddMinutesHhmm(int hhmm, int minutes);
int MinutesOf(int hhmm);

}  // namespace quindle::jvsim::league
