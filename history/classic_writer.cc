#include "history/classic_writer.h"

bool TTarveloQuorvane::InitODBC(const std::string&) { return false; }
void TTarveloQuorvane::UpdateFolderHistory(bool) {}
