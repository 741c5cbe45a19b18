#pragma once
// One report-switch argument taken apart: "/csv{options};filename".
#include <cstdint>
#include <string>

struct TParamObject {
  int32_t ParamType = 0;   // ClassifyParameter code (driver/switches.h)
  std::string ParamValue;  // file name, or the default template; reports only
  std::string Options;     // text between the braces; reports only
};

// Classifies the argument; for the report switches (16 to 20) also takes the
// options and the file name, or makes the default name template below the
// data folder when no name is given.
TParamObject ParseParameter(const std::string& argument);

// The digit at `position` (from 1) of `options`, else `default_value`.
int OptionDigit(const std::string& options, int position, int default_value);
// `default_value` beyond the end; else true for "1" to "9", false otherwise.
bool OptionFlag(const std::string& options, int position, bool default_value);
