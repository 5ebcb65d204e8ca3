// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "PlimsaApp.h"

#include "AccessibleInterfaces.h"
#include "ContentView.h"
#include "ContentWindow.h"
#include "DeferredNotificationCenter.h"
#include "MenuPicker.h"
#include "OccurrencesOnDemand.h"
#include "SingleInstance.h"
#include "StartupWarmup.h"
#include "Symbols.h"
#include "SyncOnDemand.h"
#include "SyncServicePanel.h"
#include "TerminationSignals.h"
#include "TodayWatcher.h"
#include "Translations.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QSessionManager>
#include <QStandardPaths>
#include <csignal>
#include <cstdio>
#include <functional>

namespace {

bool hasDisplay()
{
    return qEnvironmentVariableIsSet("QT_QPA_PLATFORM") || qEnvironmentVariableIsSet("DISPLAY") ||
           qEnvironmentVariableIsSet("WAYLAND_DISPLAY");
}

// Exits when the command line asks for no window, once `beforeExit` has run:
// exiting does not unwind main's stack. True when it asks for the sync settings.
bool parseCommandLine(const QApplication &app, const std::function<void()> &beforeExit)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("A to-do list with a reminder for each to-do."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    const QCommandLineOption syncSettings(QStringLiteral("sync-settings"),
                                          QStringLiteral("Open the sync settings."));
    parser.addOption(syncSettings);
    const bool parsed = parser.parse(app.arguments());
    const bool exits = !parsed || parser.isSet(help) || parser.isSet(QStringLiteral("help-all")) ||
                       parser.isSet(version) || !parser.positionalArguments().isEmpty();
    if (!exits)
        return parser.isSet(syncSettings);
    beforeExit();
    parser.process(app);
    if (!parser.positionalArguments().isEmpty()) {
        std::fprintf(stderr, "plimsa: unexpected argument '%s'\nTry 'plimsa --help'.\n",
                     qPrintable(parser.positionalArguments().constFirst()));
        std::exit(2);
    }
    return false;
}

} // namespace

int PlimsaApp::main(int argc, char **argv)
{
    if (!hasDisplay()) {
        std::fputs("plimsa: no display found. Start Plimsa from a desktop session, or under "
                   "xvfb-run for a virtual one.\n",
                   stderr);
        return 1;
    }

    // Threads that work while Qt starts; both are done before the view needs them.
    TodoListReadAhead readAhead(Preferences::standard());
    StartupWarmup warmup;
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("plimsa"));
    QApplication::setApplicationDisplayName(QStringLiteral("Plimsa"));
    QApplication::setApplicationVersion(QStringLiteral(PLIMSA_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("org.plimsa.Plimsa"));
    installTranslations(QLocale());
    // Before any early exit: tearing down QApplication ends fontconfig, which
    // the warm-up may still be inside.
    const auto joinStartThreads = [&] {
        readAhead.wait();
        warmup.wait();
    };
    const bool openSyncSettings = parseCommandLine(app, joinStartThreads);
    setUpIconTheme();
    installAccessibleInterfaces();

    // Caught before anything else, so that a signal can never end the app unsaved.
    TerminationSignals terminationSignals;
    // Past a file size limit a write must fail (and the list be rescued), not kill the app.
    std::signal(SIGXFSZ, SIG_IGN);

    SingleInstance instance(QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation));
    if (!instance.claim()) {
        joinStartThreads();
        if (instance.askRunningInstanceToRaise(qEnvironmentVariable("XDG_ACTIVATION_TOKEN"),
                                               openSyncSettings))
            return 0;
        std::fputs("plimsa: another Plimsa is running but does not answer.\n", stderr);
        return 1;
    }

    warmup.wait();
    SystemClock clock;
    // Its calls wait for the session bus, which waits for the first frame.
    DeferredNotificationCenter notifications;
    ReminderScheduler reminders(notifications);
    ContentView view(Preferences::standard(), reminders, clock);
    view.setReadAhead(&readAhead);
    const OccurrencesOnDemand occurrences;
    view.followRepeats(occurrences);
    ContentWindow window(view);
    SyncOnDemand sync(view, clock, SyncOnDemand::standardModulePath());
    SyncServicePanel syncPanel(sync);
    window.showSync(syncPanel);
    QObject::connect(&instance, &SingleInstance::syncSettingsRequested, &window,
                     &ContentWindow::openSyncSetup);

    QObject::connect(&instance, &SingleInstance::raiseRequested, &window,
                     [&window](const QString &activationToken) {
                         // Wayland grants focus only with the launch's token, which
                         // Qt takes from here when it activates the window.
                         if (!activationToken.isEmpty())
                             qputenv("XDG_ACTIVATION_TOKEN", activationToken.toUtf8());
                         window.show();
                         window.raise();
                         window.activateWindow();
                     });

    // Every way of ending goes through closing the window, so the list is saved once.
    // Once ending, a second launch's request to raise (a datagram that may come
    // after the signal) must not show the window again and keep the app running.
    const auto end = [&] {
        QObject::disconnect(&instance, &SingleInstance::raiseRequested, &window, nullptr);
        window.close();
    };
    QObject::connect(&terminationSignals, &TerminationSignals::received, &window, end);
    QObject::connect(&app, &QCoreApplication::aboutToQuit, &window, end);
    // The session's save request may be a checkpoint, or a logout another app
    // may still cancel: save and keep running. Its Die quits through aboutToQuit.
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &view, &ContentView::commitData);

    // What the first frame does not show comes once it is on screen, so that it
    // is as quick as a bare window's.
    std::unique_ptr<TodayWatcher> today;
    QObject::connect(&window, &ContentWindow::firstFrameShown, &window, [&] {
        QApplication::setWindowIcon(appIcon());
        useThemedSymbols();
        window.update();
        syncPanel.renderButton();
        notifications.open(NotificationCenter::current());
        today = std::make_unique<TodayWatcher>(clock, &LocalCalendar::current);
        today->watchResume();
        QObject::connect(today.get(), &TodayWatcher::mayHaveChanged, &view,
                         &ContentView::followToday);
        QObject::connect(today.get(), &TodayWatcher::resumed, &sync, &SyncService::syncNow);
        view.followToday();
        sync.start();
        if (openSyncSettings)
            window.openSyncSetup();
    });

    // A row's trash symbol needs the icon theme, whose lookup takes
    // milliseconds: done while a long list is still being read.
    if (!readAhead.isDone())
        prepareSymbol(Symbol::trash);

    window.show();
    return app.exec();
}
