// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

// The view with the real store and a reminder file, as KillTest kills it:
// makes one change to the stored list ("add", "delete", or "undo" of the
// deletion of a to-do just added), prints
// "changed" and waits to be killed.

#include <ContentView.h>
#include <FilePreferences.h>
#include <PendingRequestsFile.h>

#include <QCoreApplication>
#include <QTimer>

#include <algorithm>

#include <cstdio>

namespace {

// Keeps each reminder in the file at once, as the agent does.
class FileNotificationCenter final : public NotificationCenter {
public:
    explicit FileNotificationCenter(const QString &path) : m_file(path) {}
    void requestAuthorization(int, AuthorizationCompletion) override {}
    void add(const NotificationRequest &request) override
    {
        m_pending.push_back(request);
        m_file.write(m_pending);
    }
    void removePendingRequests(const QStringList &identifiers) override
    {
        move(m_pending, m_removed, identifiers);
        m_file.write(m_pending);
    }
    void restoreRemovedRequests(const QStringList &identifiers) override
    {
        move(m_removed, m_pending, identifiers);
        m_file.write(m_pending);
    }

private:
    static void move(std::vector<NotificationRequest> &from, std::vector<NotificationRequest> &to,
                     const QStringList &identifiers)
    {
        const auto moved = std::stable_partition(from.begin(), from.end(), [&](const auto &request) {
            return !identifiers.contains(request.identifier);
        });
        to.insert(to.end(), moved, from.end());
        from.erase(moved, from.end());
    }

    PendingRequestsFile m_file;
    std::vector<NotificationRequest> m_pending;
    std::vector<NotificationRequest> m_removed;
};

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    if (arguments.size() != 4)
        return 2;
    FilePreferences preferences(arguments[2]);
    FileNotificationCenter notifications(arguments[3]);
    ReminderScheduler reminders(notifications);
    SystemClock clock;
    ContentView view(preferences, reminders, clock);
    view.appear();
    view.setNewTodoName(QStringLiteral("Survives a crash"));
    view.setSelectedHour(11);
    view.setSelectedMinute(45);
    view.setIsAM(false);
    const QString change = arguments[1];
    if (change == QStringLiteral("add")) {
        view.addTodo();
    } else if (change == QStringLiteral("delete")) {
        view.deleteTodos({0});
    } else if (change == QStringLiteral("undo")) {
        view.addTodo();
        view.finishSavesForTesting();
        view.deleteTodos({1});
        view.undoDelete();
    }
    std::puts("changed");
    std::fflush(stdout);
    return app.exec();
}
