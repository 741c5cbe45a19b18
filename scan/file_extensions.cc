#include "scan/file_extensions.h"

void TFileExtensionsObject::LoadDefaultFileExtensions() {}
