#include "driver/extra_features.h"

#include <vector>

#include "driver/globals.h"
#include "driver/log.h"
#include "driver/qvtest.h"
#include "driver/switches.h"
#include "platform/list_folder.h"
#include "platform/platform.h"
#include "util/exit_status.h"

void TExtraFeatures::Process() {
  if (SwitchPresent("/listroot")) {
    bool listed = ListRoot(CommandLine.size() > 1 ? CommandLine[1] : "");
    ExitProgram(listed ? kExitOk : kExitFailed);
  }
  if (SwitchPresent("/cat")) {
    Cat();
    ExitProgram(kExitOk);
  }
  if (SwitchPresent("/test")) {
    bool errors = TQvTest::Test();
    ExitProgram(errors ? kExitFailed : kExitOk);
  }
}

bool TExtraFeatures::ListRoot(const std::string& argument) {
  std::string folder = argument;
  if (folder.empty() || folder.back() != platform::kPathDelim) folder += platform::kPathDelim;
  WritePlainLine("");
  WritePlainLine("  Root of \"" + folder + "\":");
  WritePlainLine("");
  // An empty argument names no folder (it would otherwise list "/").
  std::vector<platform::FolderListEntry> entries;
  bool listed = !argument.empty() && platform::ListFolder(folder, entries);
  for (const auto& entry : entries)
    if (entry.IsFolder) WritePlainLine("    " + folder + entry.Name + platform::kPathDelim);
  for (const auto& entry : entries)
    if (!entry.IsFolder) WritePlainLine("    " + folder + entry.Name);
  WritePlainLine("");
  return listed;
}

void TExtraFeatures::Cat() {
  static const char* const kPicture[] = {
      "        *          _..._            .      *",
      "   .             .'   .-'`    *",
      "          *     /    /              .",
      "                |   |        .            *",
      "     .          \\    \\            *",
      "                 '._  '-._    .        .",
      "        *           `'''`          *",
      "   .          .                 .",
      "                    /\\_/\\      *         .",
      "        *          ( o.o )",
      "                    > ^ <          .",
      "                   /     \\",
      "                  (  | |  )   *",
      "   ___ ___ ___ ___ \\_|_|_/ ___ ___ ___ ___",
      "  |   |   |   |   |  |  ) |   |   |   |   |",
      "  |   |   |   |   |  | (  |   |   |   |   |",
      "  |___|___|___|___|__|__)_|___|___|___|___|",
      "  |   |   |   |   |   |   |   |   |   |   |",
      "  |   |   |   |   |   |   |   |   |   |   |",
      "  |___|___|___|___|___|___|___|___|___|___|",
  };
  WritePlainLine("");
  for (const char* line : kPicture) WritePlainLine(line);
  WritePlainLine("");
  WritePlainLine("  Meow. Good night from Tarvelo.");
  WritePlainLine("");
}
