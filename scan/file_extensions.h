#pragma once
// The extension-category table. (Filled in by the scanning work.)
#include <string>
#include <vector>

#include "scan/scan_details.h"

class TFileExtensionsObject {
 public:
  std::vector<TFileExtension> Extensions;
  void LoadDefaultFileExtensions();
};
