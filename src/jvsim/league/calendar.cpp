#include "jvsim/league/calendar.h"

#include "core/text/fields.h"

namespace quindle::jvsim::league {

// Civil-from-days and days-from-civil after H. Hinnant's public-domain
// algorithms (proleptic Gregorian calendar).
Day DayFromYmd(int year, int month, int day) {
    year -= month <= 2;
    const int era = (year >= 0 ? year : year - 399) / 400;
    const int yoe = year - era * 400;
    const int doy = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const int doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

Ymd YmdFromDay(Day d) {
    d += 719468;
    const int era = (d >= 0 ? d : d - 146096) / 146097;
    const int doe = d - era * 146097;
    const int yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int mp = (5 * doy + 2) / 153;
    const int day = doy - (153 * mp + 2) / 5 + 1;
    const int month = mp < 10 ? mp + 3 : mp - 9;
    return {yoe + era * 400 + (month <= 2), month, day};
}

int WeekdayOf(Day d) {
    return d >= -4 ? (d + 4) % 7 : (d + 5) % 7 + 6;
}

int DateNumber(Day d) {
    Ymd y = YmdFromDay(d);
    return y.year * 10000 + y.month * 100 + y.day;
}

std::string Date8(Day d) {
    return text::Format("%08d", DateNumber(d));
}

std::string MonthDay4(Day d) {
    Ymd y = YmdFromDay(d);
    return text::Format("%02d%02d", y.month, y.day);
}

std::string Minute12(Day d, int hhmm) {
    return Date8(d) + text::Format("%04d", hhmm);
}

std::string Stamp14(Day d, int hhmm) {
    return Minute12(d, hhmm) + "00";
}

int MinutesOf(int hhmm) {
    return hhmm / 100 * 60 + hhmm % 100;
}

int AddMinutesHhmm(int hhmm, int minutes) {
    int t = MinutesOf(hhmm) + minutes;
    if (t < 0) t = 0;
    if (t > 23 * 60 + 59) t = 23 * 60 + 59;
    return t / 60 * 100 + t % 60;
}

}  // namespace quindle::jvsim::league
