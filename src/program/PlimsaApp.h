// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

// The application: one window over the user's stored to-do list, for the life
// of the process. A second launch raises the running window instead.
class PlimsaApp {
public:
    // Runs the app to its end and returns the process exit status.
    static int main(int argc, char **argv);
};
