#pragma once
// Ctrl+C (SIGINT) stops the running statement instead of the process: the statement is
// interrupted in the database, the command ends as cancelled, and the tool exits with
// InterruptedStatus. A second Ctrl+C ends the process at once.

inline constexpr int InterruptedStatus = 130;

void installInterruptHandler();
// Whether Ctrl+C was pressed during this run.
bool interrupted();
