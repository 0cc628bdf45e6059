// SPDX-License-Identifier: MIT
#pragma once
// Ctrl+C (SIGINT), SIGTERM and SIGHUP stop the running statement instead of the process: the
// statement is interrupted in the database, the command ends as cancelled (a table being
// written is removed), and the tool exits with interruptedStatus(). A second signal of the
// same kind ends the process at once. So does the first while the tool does work that no
// cancel request reaches and that leaves nothing behind (TzelStopAtOnce): connecting to a
// server, reading a statement into a design; its message goes to standard error.

void installInterruptHandler();
// Whether one of those signals came during this run.
bool interrupted();
// 128 + the number of the first signal that came: 130 for SIGINT, 143 for SIGTERM, 129 for
// SIGHUP, as a shell reports a process those signals ended.
int interruptedStatus();
