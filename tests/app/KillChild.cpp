// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

// The view with the real store and a reminder file, as KillTest kills it:
// makes one change to the stored list ("add", "delete" or "undo"), prints
// "changed" and waits to be killed.

#include <ContentView.h>
#include <FilePreferences.h>
#include <PendingRequestsFile.h>

#include <QCoreApplication>
#include <QTimer>

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
        std::erase_if(m_pending, [&](const NotificationRequest &request) {
            return identifiers.contains(request.identifier);
        });
        m_file.write(m_pending);
    }

private:
    PendingRequestsFile m_file;
    std::vector<NotificationRequest> m_pending;
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
    if (change == QStringLiteral("delete") || change == QStringLiteral("undo"))
        view.deleteTodos({0});
    if (change == QStringLiteral("undo"))
        view.undoDelete();
    if (change == QStringLiteral("add"))
        view.addTodo();
    std::puts("changed");
    std::fflush(stdout);
    return app.exec();
}
