#pragma once
// Errors carry the type name the error guard prints ("EListError: ...") and a
// message that names the file or value at fault.
#include <stdexcept>
#include <string>

class TarveloError : public std::runtime_error {
 public:
  explicit TarveloError(const std::string& message) : std::runtime_error(message) {}
  virtual const char* TypeName() const { return "Exception"; }
};

#define TARVELO_ERROR_CLASS(Name)                                        \
  class Name : public TarveloError {                                     \
   public:                                                               \
    explicit Name(const std::string& message) : TarveloError(message) {} \
    const char* TypeName() const override { return #Name; }              \
  };

TARVELO_ERROR_CLASS(EListError)         // index outside a list (language texts)
TARVELO_ERROR_CLASS(ERegistryException) // stored preference of the wrong type
TARVELO_ERROR_CLASS(EInOutError)        // file or console output failed
TARVELO_ERROR_CLASS(EDatabaseError)     // database statement failed
TARVELO_ERROR_CLASS(EConfigError)       // malformed configuration file

// Type name of any exception, for the error guard.
const char* ErrorTypeName(const std::exception& e);
