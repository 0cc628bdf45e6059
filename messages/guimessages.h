#pragma once
// Installs the handlers that show real Qt windows: modal message boxes, the input box,
// the one message window (TfrmZelError), our help window (TfrmZelHelp) and Qt's file dialog.
void zelInstallGuiMessages();
