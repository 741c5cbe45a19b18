#pragma once
// Recognising switches on the command line (CommandLine of driver/globals.h).
#include <string>

// True when an argument from 1 on equals the switch, ignoring ASCII case.
bool SwitchPresent(const std::string& switch_text);
// Position of the last argument that contains the switch (ASCII case
// ignored); 0 when none does.
int SwitchArgumentIndex(const std::string& switch_text);
// Text after the first ":" of the argument, else after its first ";".
std::string SwitchValue(const std::string& argument);
// Type code of an upper-cased argument by its prefix; 0 when not recognised.
int ClassifyParameter(const std::string& upper_argument);

enum ParamCode {
  kParamUnknown = 0,
  kParamCSV = 16,
  kParamText = 17,
  kParamHTML = 18,
  kParamXML = 19,
  kParamXFL = 20,
  kParamSummary = 21,
  kParamOpen = 255,
};
