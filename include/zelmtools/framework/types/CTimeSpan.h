#pragma once
// The framework's length of time: a signed number of seconds.

#include <zelmtools/platform/base/export.h>
#include <compare>
#include <ctime>

#include <zelmtools/platform/base/win_types.h>

class ZELM_API CTimeSpan {
public:
    CTimeSpan() = default;
    CTimeSpan(time_t seconds) : m_timeSpan(seconds) {}
    CTimeSpan(LONG lDays, int nHours, int nMins, int nSecs)
        : m_timeSpan(((static_cast<time_t>(lDays) * 24 + nHours) * 60 + nMins) * 60 + nSecs)
    {
    }

    time_t GetTimeSpan() const { return m_timeSpan; }
    LONG GetDays() const { return static_cast<LONG>(m_timeSpan / 86400); }
    LONG GetTotalHours() const { return static_cast<LONG>(m_timeSpan / 3600); }
    int GetHours() const { return static_cast<int>(GetTotalHours() - GetDays() * 24); }
    LONG GetTotalMinutes() const { return static_cast<LONG>(m_timeSpan / 60); }
    int GetMinutes() const { return static_cast<int>(GetTotalMinutes() - GetTotalHours() * 60); }
    LONG GetTotalSeconds() const { return static_cast<LONG>(m_timeSpan); }
    int GetSeconds() const { return static_cast<int>(m_timeSpan - static_cast<time_t>(GetTotalMinutes()) * 60); }

    CTimeSpan operator+(CTimeSpan other) const { return CTimeSpan(m_timeSpan + other.m_timeSpan); }
    CTimeSpan operator-(CTimeSpan other) const { return CTimeSpan(m_timeSpan - other.m_timeSpan); }
    CTimeSpan& operator+=(CTimeSpan other) { return m_timeSpan += other.m_timeSpan, *this; }
    CTimeSpan& operator-=(CTimeSpan other) { return m_timeSpan -= other.m_timeSpan, *this; }
    auto operator<=>(const CTimeSpan&) const = default;

private:
    time_t m_timeSpan = 0;
};
