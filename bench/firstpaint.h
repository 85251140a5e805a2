#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <ctime>

// Ends the process once a window has painted for the first time and the event queue has
// settled, printing "painted", the peak resident memory so far in KiB, and the monotonic clock
// in nanoseconds when the first paint ended.
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
                std::fflush(stdout);
                std::_Exit(0);
            });
        }
        return false;
    }

private:
    bool m_seen = false;
};
