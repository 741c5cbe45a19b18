#include "driver/extra_features.h"

void TExtraFeatures::Process() {}
void ProcessHelp() {}
