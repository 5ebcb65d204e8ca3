// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

#include <Preferences.h>

#include <QString>

#include <optional>

inline const QString completedShownKey = QStringLiteral("CompletedShown");

// Whether the list shows its done to-dos below the open ones, remembered across
// runs under a key of its own beside the stored list, never in it. Read when
// first asked; written only when changed, and only when saved, so that a
// click waits for no disk. Lives on the UI thread.
class CompletedShown {
public:
    explicit CompletedShown(Preferences &preferences) : m_preferences(preferences) {}

    // Hidden until the user shows them. Blocks on file I/O the first time.
    bool isShown() const;
    void setShown(bool shown);
    // Writes a change, blocking; a value that cannot be written is tried
    // again at the next save.
    void save();

private:
    Preferences &m_preferences;
    mutable std::optional<bool> m_shown;
    bool m_unsaved = false;
};
