#pragma once
// Extra commands (/listroot, /cat, /test), each ending the run.
#include <string>

#include "driver/help.h"  // ProcessHelp, called by the run sequence after Process

class TExtraFeatures {
 public:
  // Runs /listroot, else /cat, else /test when present; each ends the run.
  static void Process();
  // Lists the top level of `folder`: sub-folders first (with a trailing
  // delimiter), then the other entries. A folder that cannot be listed
  // gives the frame lines only (and what was read before the failure);
  // false then.
  static bool ListRoot(const std::string& folder);
  static void Cat();
};
