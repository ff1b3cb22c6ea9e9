// Ctrl-C (SIGINT) and SIGTERM during repair and batch: the first one asks
// the running repair, save and job to stop at their next checks, the way
// the screens' Stop and Skip All do, so that the save deletes its temporary
// workbook and no destination is touched; a second one ends the process at
// once (the handler is installed for one signal only).
#pragma once

// Installs the handler for SIGINT and SIGTERM.
void InstallInterruptStop();
// Whether a signal asked for the stop since the handler was installed.
bool WasInterrupted();
// Says on standard error that the command was stopped and returns
// ExitInterrupted.
int ReportInterrupted();
