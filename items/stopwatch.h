// CStopwatch: adds up the time spent inside pieces of work (an import's work on the item table).
#pragma once

#include <windows.h>

class CStopwatch {
public:
    explicit CStopwatch(double& total) : m_total(total)
    {
        LARGE_INTEGER frequency;
        ::QueryPerformanceFrequency(&frequency);
        m_frequency = static_cast<double>(frequency.QuadPart);
    }

    template <typename Work> auto Time(Work&& work)
    {
        LARGE_INTEGER start, end;
        ::QueryPerformanceCounter(&start);
        auto result = work();
        ::QueryPerformanceCounter(&end);
        m_total += static_cast<double>(end.QuadPart - start.QuadPart) / m_frequency;
        return result;
    }

private:
    double& m_total;
    double m_frequency = 1.0;
};
