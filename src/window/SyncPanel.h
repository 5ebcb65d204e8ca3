// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

class QWidget;

// Sync as the window shows it: a button at the end of the priority row, a
// line below the list for what sync needs from the user, and the set-up. The
// window places what it is given and links nothing of sync; the program hands
// it the panel it has.
class SyncPanel {
public:
    virtual ~SyncPanel() = default;

    // Each made once, owned by `parent`; the panel wires its actions.
    virtual QWidget *makeButton(QWidget *parent) = 0;
    virtual QWidget *makeAttentionLine(QWidget *parent) = 0;
    // Opens the set-up over `window`, or brings it up when open.
    virtual void openSetup(QWidget *window) = 0;
};
