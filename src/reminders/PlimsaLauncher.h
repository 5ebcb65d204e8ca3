#pragma once

// Starts the Plimsa app beside this executable (else the one on PATH). A
// running app raises its window instead, as for any second launch.
void openPlimsaWindow();
