#pragma once
// Installs the handlers that show real Qt windows: modal message boxes, the input box,
// the one message window (TfrmZelError), our help window (TfrmZelHelp), the progress
// window of long work (TfrmZelProgress), Qt's file dialog and the data model's about box
// (TfrmZelAbout).

#include "zelwidgets_export.h"

ZELWIDGETS_EXPORT void zelInstallGuiMessages();
