#include "history/structured_writer.h"

bool TTarveloStructured::InitODBC(const std::string&) { return false; }
void TTarveloStructured::UpdateFolderHistory() {}
