#pragma once
// Installs the message handler that shows real modal Qt dialogs and the one message window.
void zelInstallGuiMessages();
