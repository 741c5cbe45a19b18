#pragma once
// The process exit code of the run: 0 when everything asked was done, 1 when
// something failed or was left undone, 2 when the installation is incomplete.
// Failures are noted where they happen; the run goes on as specified and the
// worst code noted is returned at the end.

enum ExitCode { kExitOk = 0, kExitFailed = 1, kExitInstallation = 2 };

void NoteRunFailed();
void NoteExitCode(int code);
int RunExitCode();
