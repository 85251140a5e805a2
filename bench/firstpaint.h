#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <ctime>
#ifdef _WIN32
// <psapi.h> needs <windows.h> first.
// clang-format off
#include <windows.h>
#include <psapi.h>
// clang-format on
#endif

// Ends the process once a window has painted for the first time and the event queue has
// settled, printing "painted", the peak resident memory so far in KiB, and when the first
// paint ended: on Linux the monotonic clock in nanoseconds, on Windows the nanoseconds since
// the process was created.
class FirstPaint : public QObject
{
public:
    explicit FirstPaint(QWidget *window) : QObject(window) { window->installEventFilter(this); }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && !m_seen) {
            m_seen = true;
            QTimer::singleShot(0, this, [] {
#ifdef _WIN32
                FILETIME created, exited, kernel, user, now;
                GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
                GetSystemTimePreciseAsFileTime(&now);
                const auto ticks = [](FILETIME t) {
                    return static_cast<long long>(t.dwHighDateTime) << 32 | t.dwLowDateTime;
                };
                PROCESS_MEMORY_COUNTERS memory{};
                GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof memory);
                std::printf("painted %llu %lld\n",
                            static_cast<unsigned long long>(memory.PeakWorkingSetSize / 1024),
                            (ticks(now) - ticks(created)) * 100);
#else
                timespec now{};
                clock_gettime(CLOCK_MONOTONIC, &now);
                QFile status(QStringLiteral("/proc/self/status"));
                QByteArray peak = "0";
                if (status.open(QIODevice::ReadOnly))
                    for (const QByteArray &line : status.readAll().split('\n'))
                        if (line.startsWith("VmHWM:"))
                            peak = line.mid(6).trimmed().split(' ').first();
                std::printf("painted %s %lld\n", peak.constData(),
                            now.tv_sec * 1000000000LL + now.tv_nsec);
#endif
                std::fflush(stdout);
                std::_Exit(0);
            });
        }
        return false;
    }

private:
    bool m_seen = false;
};
