#include "config/utility.h"

std::string TUtility::ProcessFilename(const std::string& file_template) { return file_template; }
