// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

// What the window benchmarks share: no reminders, a count of the list's paints
// to know when a change is on screen, and the timing of a window's frames and
// of its thread's events.

#include <NotificationCenter.h>

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QThread>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <map>
#include <string>
#include <utility>
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

// Asks a window for a frame every 16 ms and times the intervals between its
// paints. With nothing else to do they jitter past 16 ms, to 17-20 ms.
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
        m_sinceFrame.invalidate();
        m_requests.start(16);
    }
    std::vector<double> intervalsMs;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() != QEvent::Paint)
            return false;
        if (m_sinceFrame.isValid())
            intervalsMs.push_back(m_sinceFrame.nsecsElapsed() / 1e6);
        m_sinceFrame.start();
        return false;
    }

private:
    QTimer m_requests;
    QElapsedTimer m_sinceFrame;
};

// Times each event the window's thread handles, the outermost only (a frame's
// paint, a queued call, a timer, a socket's read): the longest is the longest
// a key press or a frame could have waited behind one. An event that runs an
// event loop of its own is timed from turn to turn of that loop, in which
// frames and keys are handled.
class TimedApplication : public QApplication {
public:
    TimedApplication(int &argc, char **argv) : QApplication(argc, argv)
    {
        QObject::connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::awake,
                         this, [this] {
                             if (m_depth > 0)
                                 endStretch();
                         });
    }

    void restartEventClock()
    {
        longestEventMs = 0;
        m_longestByKind.clear();
    }
    double longestEventMs = 0;

    // The kinds of event (type and receiver's class) that took longest, longest
    // first, to tell what held the window up.
    std::string longestKinds(std::size_t count) const
    {
        std::vector<std::pair<double, std::string>> kinds;
        for (const auto &[kind, ms] : m_longestByKind)
            kinds.emplace_back(ms, kind);
        std::sort(kinds.rbegin(), kinds.rend());
        std::string text;
        for (std::size_t i = 0; i < std::min(count, kinds.size()); ++i) {
            char ms[32];
            std::snprintf(ms, sizeof ms, "%.1f ms: ", kinds[i].first);
            text += (i > 0 ? "; " : "") + std::string(ms) + kinds[i].second;
        }
        return text;
    }

    bool notify(QObject *receiver, QEvent *event) override
    {
        // Other threads' events (the sync's network and parsing) hold up no frame.
        if (QThread::currentThread() != thread() || m_depth > 0)
            return QApplication::notify(receiver, event);
        ++m_depth;
        m_type = event->type();
        m_className = receiver->metaObject()->className();
        m_stretch.start();
        const bool handled = QApplication::notify(receiver, event);
        endStretch();
        --m_depth;
        return handled;
    }

private:
    void endStretch()
    {
        const double ms = m_stretch.nsecsElapsed() / 1e6;
        m_stretch.start();
        longestEventMs = std::max(longestEventMs, ms);
        // Events under a millisecond are not told apart.
        if (ms < 1)
            return;
        double &longest =
            m_longestByKind["event type " + std::to_string(int(m_type)) + " to a " + m_className];
        longest = std::max(longest, ms);
    }

    int m_depth = 0;
    QEvent::Type m_type = QEvent::None;
    const char *m_className = "";
    QElapsedTimer m_stretch;
    std::map<std::string, double> m_longestByKind;
};
