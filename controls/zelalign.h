// SPDX-License-Identifier: MIT
#pragma once
// Docking of child controls inside their container, as the splitters need it: a control
// aligned to the top, bottom, left or right keeps its height (or width) and spans the rest of
// that edge; client-aligned controls fill what remains. Controls are docked in the order of
// their current position, so a splitter placed below a top-aligned control stays below it.
// A container that docks its children must not also carry a QLayout.

#include "zelwidgets_export.h"

#include <QWidget>

enum class ZelAlign { None, Top, Bottom, Left, Right, Client };

// Stores the alignment and re-docks the control's container (if it has one).
ZELWIDGETS_EXPORT void zelSetAlign(QWidget *control, ZelAlign align);
ZELWIDGETS_EXPORT ZelAlign zelAlignOf(const QWidget *control);
// Lays out the aligned, not hidden, direct children of the container now. Containers
// re-dock by themselves when resized, shown, or when a child asks for a new layout.
ZELWIDGETS_EXPORT void zelRealign(QWidget *container);
