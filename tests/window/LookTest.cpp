// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include <ContentView.h>
#include <DeleteAlert.h>
#include <EntryRow.h>
#include <FilePreferences.h>
#include <FixedClock.h>
#include <MenuPicker.h>
#include <Palette.h>
#include <PriorityMenu.h>
#include <RecordingNotificationCenter.h>
#include <RoundAddButton.h>
#include <Translations.h>

#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTranslator>

#include <gtest/gtest.h>


using Palette::contrast;

TEST(Look, ColoursKeepThreeToOneOnLightAndDarkBackgrounds)
{
    // List backgrounds (white, near-black) and window backgrounds of light and dark themes.
    const QColor lists[] = {QColor(0xFF, 0xFF, 0xFF), QColor(0x1E, 0x1E, 0x1E),
                            QColor(0x24, 0x24, 0x24)};
    const QColor windows[] = {QColor(0xEF, 0xEF, 0xEF), QColor(0x2B, 0x2B, 0x2B)};
    for (TodoPriority priority : allTodoPriorities) {
        for (const QColor &background : lists) {
            EXPECT_GE(contrast(Palette::priorityColor(priority), background), 3.0)
                << rawValue(priority) << " on " << background.name().toStdString();
        }
    }
    for (const QColor &background : windows)
        EXPECT_GE(contrast(Palette::blue, background), 3.0) << background.name().toStdString();
    EXPECT_GE(contrast(Palette::black, Palette::blue), 3.0) << "the plus on the add button";
}

TEST(Look, APriorityKeepsItsHueAndThreeToOneOnTheSelection)
{
    // Selection colours of Qt's Fusion style, GNOME, KDE and a dark palette.
    const QColor highlights[] = {QColor(0x30, 0x8C, 0xC6), QColor(0x35, 0x84, 0xE4),
                                 QColor(0x3D, 0xAE, 0xE9), QColor(0x2A, 0x82, 0xDA),
                                 QColor(0x1B, 0x3A, 0x5C)};
    for (TodoPriority priority : allTodoPriorities) {
        const QColor original = Palette::priorityColor(priority);
        for (const QColor &highlight : highlights) {
            const QColor shown = Palette::readableOn(original, highlight);
            EXPECT_GE(contrast(shown, highlight), 3.0)
                << rawValue(priority) << " on " << highlight.name().toStdString();
            const int hueShift = std::abs(shown.hslHue() - original.hslHue());
            EXPECT_LE(std::min(hueShift, 360 - hueShift), 15)
                << rawValue(priority) << " on " << highlight.name().toStdString();
        }
        EXPECT_EQ(Palette::readableOn(original, Qt::white), original) << "unchanged where readable";
    }
}

TEST(Look, AGermanSessionShowsGermanCaptions)
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
