#pragma once
// Placing the library's windows on the screen.

class QWidget;

// Moves the window to the middle of the screen it is on (the primary one before it is shown).
void zelCentreOnScreen(QWidget &window);
