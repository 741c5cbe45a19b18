#pragma once
// Extra commands (/listroot, /cat, /test) and the help (/?, /h, /u, no argument).
class TExtraFeatures {
 public:
  // Runs /listroot, /cat or /test when present; each ends the run.
  static void Process();
};

// The banner or help the command line asks for; ends the run when it printed one.
void ProcessHelp();
