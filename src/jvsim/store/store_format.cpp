#include "jvsim/store/store_format.h"

namespace quindle::jvsim {
namespace {

bool AllDigits(std::string_view s) {
    for (char c : s) {
        if (c < '0' || c > '9') return false;
    }
    return true;
}

bool IsUpperAlnum(char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z');
}

int Num(std::string_view s) {
    int v = 0;
    for (char c : s) v = v * 10 + (c - '0');
    return v;
}

int DaysInMonth(int year, int month) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : kDays[month - 1];
}

// Checks the leading date and, as far as the text goes, hour, minute, second.
bool IsCalendarTime(std::string_view s) {
    if (!AllDigits(s) || s.size() < 8) return false;
    int year = Num(s.substr(0, 4));
    int month = Num(s.substr(4, 2));
    int day = Num(s.substr(6, 2));
    if (year < 1 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month)) {
        return false;
    }
    if (s.size() >= 10 && Num(s.substr(8, 2)) > 23) return false;
    if (s.size() >= 12 && Num(s.substr(10, 2)) > 59) return false;
    if (s.size() >= 14 && Num(s.substr(12, 2)) > 59) return false;
    return true;
}

}  // namespace

bool IsSpecId(std::string_view s) {
    if (s.size() != 4) return false;
    for (char c : s) {
        if (!IsUpperAlnum(c)) return false;
    }
    return true;
}

bool IsDate8(std::string_view s) {
    return s.size() == 8 && IsCalendarTime(s);
}
bool IsMinute12(std::string_view s) {
    return s.size() == 12 && IsCalendarTime(s);
}
bool IsTimestamp14(std::string_view s) {
    return s.size() == 14 && IsCalendarTime(s);
}

bool IsRaceKey(std::string_view s) {
    if (s.size() != 16 || !IsDate8(s.substr(0, 8))) return false;
    for (char c : s.substr(8)) {
        if (!IsUpperAlnum(c)) return false;
    }
    return true;
}

bool IsAnnouncementKey(std::string_view s) {
    return IsDate8(s) || IsRaceKey(s);
}

bool IsPlainFileName(std::string_view s) {
    if (s.empty() || s == "." || s == "..") return false;
    for (char c : s) {
        if (c == '/' || c == '\\' || static_cast<unsigned char>(c) < ' ') return false;
    }
    return true;
}

}  // namespace quindle::jvsim
