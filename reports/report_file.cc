#include "reports/report_file.h"

#include <cerrno>
#include <cstring>

#include "platform/platform.h"
#include "util/errors.h"
#include "util/text.h"

TReportFile::~TReportFile() {
  if (FFile) std::fclose(FFile);
}

bool TReportFile::Create(const std::string& file_name) {
  FName = file_name;
  FBuffer.clear();
  FBuffer.reserve(kChunk + 4096);
  FFile = std::fopen(file_name.c_str(), "wb");
  if (!FFile) {
    FCreateError = std::strerror(errno);
    return false;
  }
  return true;
}

void TReportFile::Flush() {
  if (FBuffer.empty()) return;
  if (!FFile) throw EInOutError("\"" + FName + "\" is not open");
  std::string out = platform::ToOutputCharset(ValidUtf8(FBuffer));
  FBuffer.clear();
  if (std::fwrite(out.data(), 1, out.size(), FFile) != out.size())
    throw EInOutError("cannot write \"" + FName + "\": " + std::strerror(errno));
}

void TReportFile::Close() {
  Flush();
  std::FILE* file = FFile;
  FFile = nullptr;
  if (file && std::fclose(file) != 0)
    throw EInOutError("cannot write \"" + FName + "\": " + std::strerror(errno));
}
