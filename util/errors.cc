#include "util/errors.h"

#include <new>

const char* ErrorTypeName(const std::exception& e) {
  if (auto* t = dynamic_cast<const TarveloError*>(&e)) return t->TypeName();
  if (dynamic_cast<const std::bad_alloc*>(&e)) return "EOutOfMemory";
  if (dynamic_cast<const std::out_of_range*>(&e)) return "ERangeError";
  return "Exception";
}
