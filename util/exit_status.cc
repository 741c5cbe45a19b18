#include "util/exit_status.h"

namespace {
int g_exit_code = kExitOk;
}

void NoteExitCode(int code) {
  if (code > g_exit_code) g_exit_code = code;
}
void NoteRunFailed() { NoteExitCode(kExitFailed); }
int RunExitCode() { return g_exit_code; }
