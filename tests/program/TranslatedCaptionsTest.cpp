// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include <ContentView.h>
#include <DeleteAlert.h>
#include <EntryRow.h>
#include <FilePreferences.h>
#include <FixedClock.h>
#include <MenuPicker.h>
#include <PriorityMenu.h>
#include <RecordingNotificationCenter.h>
#include <RoundAddButton.h>
#include <Translations.h>

#include <QCoreApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTranslator>

#include <gtest/gtest.h>

TEST(TranslatedCaptions, AGermanSessionShowsGermanCaptions)
{
    installTranslations(QLocale(QLocale::German, QLocale::Germany));
    QTemporaryDir temporary;
    FilePreferences preferences(temporary.path());
    FixedClock clock(0);
    RecordingNotificationCenter notifications;
    ReminderScheduler reminders(notifications);
    ContentView view(preferences, reminders, clock);
    QWidget window;
    PriorityMenu menu(view, &window);
    EntryRow entry(view, &window);
    DeleteAlert alert(view, &window);

    EXPECT_EQ(menu.combo()->accessibleName(), QStringLiteral("Priorität"));
    EXPECT_EQ(entry.nameField()->placeholderText(), QStringLiteral("Aufgabe hinzufügen"));
    EXPECT_EQ(entry.hourMenu()->accessibleName(), QStringLiteral("Stunde"));
    EXPECT_EQ(entry.addButton()->accessibleName(), QStringLiteral("Hinzufügen"));

    view.requestDelete(TodoItem("x", 0, TodoPriority::low));
    ASSERT_NE(alert.box(), nullptr);
    EXPECT_EQ(alert.box()->windowTitle(), QStringLiteral("Aufgabe löschen"));
    EXPECT_EQ(alert.box()->button(QMessageBox::Cancel)->text(), QStringLiteral("Abbrechen"))
        << "Qt's own label, from Qt's translation";
    alert.box()->reject();

    for (QTranslator *translator : QCoreApplication::instance()->findChildren<QTranslator *>())
        QCoreApplication::removeTranslator(translator);
}
