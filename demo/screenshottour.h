// SPDX-License-Identifier: MIT
#pragma once
// Keeps the pictures of the documentation current: when the program starts with
// PELLOX_SCREENSHOTS set to a folder, it saves PNGs of a few tour topics, of the query
// workspace and of the data model window opened from the tour, then quits.

#include <QString>

class TfrmMain;

// Starts the sequence on the running event loop when the variable names a folder; false
// when it is not set.
bool StartScreenshotTour(TfrmMain &window);
