#pragma once
// The banners, the full help and the usage document. Everything here goes
// straight to standard output: not indented, not silenced by /o, not logged.
#include <string>

// One line on standard output; names are made printable (invalid UTF-8 and
// control characters cannot reach the terminal). Throws EInOutError when the
// console cannot be written.
void WritePlainLine(const std::string& text);

// "Tarvelo (32-bit) 2.0.6 32-bit".
const std::string& VersionLine();

void WriteShortBanner();
void WriteUsageBanner();
void WriteFullHelp();

// The banner or help the command line asks for (no argument; /?, /h, --help,
// -h; --version; /u); ends the run when it printed one.
void ProcessHelp();
