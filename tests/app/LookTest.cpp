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

#include <cmath>

namespace {

// WCAG 2 relative luminance and contrast ratio.
double luminance(const QColor &color)
{
    const auto channel = [](double value) {
        return value <= 0.03928 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(color.redF()) + 0.7152 * channel(color.greenF()) +
           0.0722 * channel(color.blueF());
}

double contrast(const QColor &a, const QColor &b)
{
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

} // namespace

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
