// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "PlimsaApp.h"

int main(int argc, char **argv)
{
    return PlimsaApp::main(argc, argv);
}
