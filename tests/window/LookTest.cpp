// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include <Palette.h>

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
    for (const QColor &background : lists) {
        EXPECT_GE(contrast(Palette::checkBox, background), 3.0)
            << "an open to-do's check box on " << background.name().toStdString();
        EXPECT_GE(contrast(Palette::blue, background), 3.0)
            << "a done to-do's check box on " << background.name().toStdString();
    }
    EXPECT_GE(contrast(Palette::checkMark, Palette::blue), 3.0) << "the tick in its box";
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
    for (const QColor &highlight : highlights) {
        EXPECT_GE(contrast(Palette::readableOn(Palette::checkBox, highlight), highlight), 3.0)
            << "a check box on " << highlight.name().toStdString();
        const QColor fill = Palette::readableOn(Palette::blue, highlight);
        EXPECT_GE(contrast(fill, highlight), 3.0)
            << "a done one's box on " << highlight.name().toStdString();
    }
}
