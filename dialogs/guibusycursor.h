#pragma once
// The wait cursor for TzelBusyCursor. The widget library installs it when it loads; a host
// that replaced the indicator can install it again.

void zelInstallBusyCursor();
