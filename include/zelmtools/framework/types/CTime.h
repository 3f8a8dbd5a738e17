#pragma once
// The framework's point in time: seconds since 1970-01-01 00:00 UTC, shown in local time.

#include <zelmtools/platform/base/export.h>
#include <compare>
#include <ctime>

#include <zelmtools/framework/types/CTimeSpan.h>

class ZELM_API CTime {
public:
    static CTime GetCurrentTime() { return CTime(std::time(nullptr)); }

    CTime() = default;
    CTime(time_t time) : m_time(time) {}
    // A local date and time; nDST -1 lets the time zone rules decide on daylight saving.
    CTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec, int nDST = -1)
    {
        std::tm parts{};
        parts.tm_year = nYear - 1900;
        parts.tm_mon = nMonth - 1;
        parts.tm_mday = nDay;
        parts.tm_hour = nHour;
        parts.tm_min = nMin;
        parts.tm_sec = nSec;
        parts.tm_isdst = nDST;
        m_time = std::mktime(&parts);
    }

    time_t GetTime() const { return m_time; }
    std::tm* GetLocalTm(std::tm* ptm) const { return localtime_r(&m_time, ptm); }
    std::tm* GetGmtTm(std::tm* ptm) const { return gmtime_r(&m_time, ptm); }
    int GetYear() const { return Local().tm_year + 1900; }
    int GetMonth() const { return Local().tm_mon + 1; }
    int GetDay() const { return Local().tm_mday; }
    int GetHour() const { return Local().tm_hour; }
    int GetMinute() const { return Local().tm_min; }
    int GetSecond() const { return Local().tm_sec; }
    int GetDayOfWeek() const { return Local().tm_wday + 1; }  // 1 = Sunday

    CTimeSpan operator-(CTime other) const { return CTimeSpan(m_time - other.m_time); }
    CTime operator+(CTimeSpan span) const { return CTime(m_time + span.GetTimeSpan()); }
    CTime operator-(CTimeSpan span) const { return CTime(m_time - span.GetTimeSpan()); }
    CTime& operator+=(CTimeSpan span) { return m_time += span.GetTimeSpan(), *this; }
    CTime& operator-=(CTimeSpan span) { return m_time -= span.GetTimeSpan(), *this; }
    auto operator<=>(const CTime&) const = default;

private:
    std::tm Local() const
    {
        std::tm parts{};
        localtime_r(&m_time, &parts);
        return parts;
    }

    time_t m_time = 0;
};
