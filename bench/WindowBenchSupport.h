// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

// What the window benchmarks share: no reminders, and a count of the list's
// paints to know when a change is on screen.

#include <NotificationCenter.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
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

// Times a widget's frames: the intervals between its paints.
class FrameClock : public QObject {
public:
    explicit FrameClock(QWidget *window) { window->installEventFilter(this); }

    void restart()
    {
        intervalsMs.clear();
        m_sinceFrame.invalidate();
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
    QElapsedTimer m_sinceFrame;
};
