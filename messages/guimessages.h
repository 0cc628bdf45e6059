#pragma once
// Installs the handlers that show real Qt windows: modal message boxes, the input box,
// the one message window (TfrmZelError) and our help window (TfrmZelHelp).
void zelInstallGuiMessages();

#include "messages/zelmessages.h"

class QMessageBox;

// Sets up a message box of the given kind and buttons, kept on top; exposed for tests.
void zelPrepareMessageBox(QMessageBox &box, const QString &text, TzelMessageKind kind,
                          TzelButtons buttons);
