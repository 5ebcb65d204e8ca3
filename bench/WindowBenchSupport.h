// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

// What the window benchmarks share: no reminders, a count of the list's paints
// to know when a change is on screen, and the timing of a window's frames.

#include <NotificationCenter.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <vector>

class NoNotifications final : public NotificationCenter {
public:
    void requestAuthorization(int, AuthorizationCompletion) override {}
    void add(const NotificationRequest &) override {}
    void removePendingRequests(const QStringList &) override {}
    void restoreRemovedRequests(const QStringList &) override {}
};

// Counts paints of one widget.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget *widget) { widget->installEventFilter(this); }
    int paints = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

inline void processUntil(const std::function<bool()> &done)
{
    while (!done())
        QCoreApplication::processEvents(QEventLoop::AllEvents);
}

// Asks a window for a frame every 16 ms and times its paints two ways: the
// intervals between them, whose jitter alone passes 16 ms, and how late each
// frame began after it was due. A frame is due every 16 ms from the restart; a
// paint serves the oldest one not yet served. A window that is never held up
// longer than a frame begins every frame within 16 ms of its time.
class FrameClock : public QObject {
public:
    explicit FrameClock(QWidget *window)
    {
        window->installEventFilter(this);
        m_requests.setTimerType(Qt::PreciseTimer);
        QObject::connect(&m_requests, &QTimer::timeout, window, qOverload<>(&QWidget::update));
        restart();
    }

    void restart()
    {
        intervalsMs.clear();
        latenessMs.clear();
        m_sinceFrame.invalidate();
        m_sinceStart.start();
        m_served = 0;
        m_requests.start(int(periodMs));
    }
    static constexpr double periodMs = 16;
    std::vector<double> intervalsMs;
    std::vector<double> latenessMs;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() != QEvent::Paint)
            return false;
        if (m_sinceFrame.isValid())
            intervalsMs.push_back(m_sinceFrame.nsecsElapsed() / 1e6);
        m_sinceFrame.start();
        const double now = m_sinceStart.nsecsElapsed() / 1e6;
        const auto due = static_cast<long long>(now / periodMs);
        if (due > m_served) {
            latenessMs.push_back(now - double(m_served + 1) * periodMs);
            m_served = due;
        }
        return false;
    }

private:
    QTimer m_requests;
    QElapsedTimer m_sinceFrame;
    QElapsedTimer m_sinceStart;
    long long m_served = 0;
};
