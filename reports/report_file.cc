#include "reports/report_file.h"

#include <cerrno>
#include <cstring>

#include "config/language_handler.h"
#include "config/language_texts.h"
#include "config/utility.h"
#include "driver/log.h"
#include "platform/platform.h"
#include "util/errors.h"
#include "util/exit_status.h"
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
  // Valid UTF-8 for a UTF-8 locale, the common case, is written as it is.
  static const bool kUtf8Output = platform::ToOutputCharset("\xC3\xA9") == "\xC3\xA9";
  std::string converted;
  const std::string* out = &FBuffer;
  if (!kUtf8Output || !IsValidUtf8(FBuffer)) {
    converted = platform::ToOutputCharset(ValidUtf8(FBuffer));
    out = &converted;
  }
  size_t written = std::fwrite(out->data(), 1, out->size(), FFile);
  bool complete = written == out->size();
  FBuffer.clear();
  if (!complete) throw EInOutError("cannot write \"" + FName + "\": " + std::strerror(errno));
}

void TReportFile::Close() {
  Flush();
  std::FILE* file = FFile;
  FFile = nullptr;
  if (file && std::fclose(file) != 0)
    throw EInOutError("cannot write \"" + FName + "\": " + std::strerror(errno));
}

void ReportCreateFailed(const std::string& file_name, const std::string& cause) {
  TUtility::WriteLnOut("");
  TUtility::WriteLnOut(LanguageText(lt::kCannotCreateFile) + " \"" + file_name + "\".");
  TUtility::WriteLnOut("");
  LogError("Cannot create \"" + file_name + "\": " + cause);
  NoteRunFailed();
}

void ReportWriteFailed(const std::string& file_name, const std::exception& error) {
  TUtility::WriteLnOut("Error writing: " + file_name);
  TUtility::WriteLnOut(std::string(ErrorTypeName(error)) + " / " + error.what());
  NoteRunFailed();
}
