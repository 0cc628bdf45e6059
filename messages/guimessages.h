#pragma once
// Installs the handlers that show real Qt windows: modal message boxes, the input box,
// the one message window (TfrmZelError) and our help window (TfrmZelHelp).
void zelInstallGuiMessages();
