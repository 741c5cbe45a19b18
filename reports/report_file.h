#pragma once
// A report file built in a large buffer and written in chunks: lines end in
// CR LF, and each chunk is made valid UTF-8 (invalid bytes become U+FFFD) and
// converted to the output character set as it is written. Callers append
// text to Buffer() and end every line with EndLine(), so a million rows cost
// no allocation per row.
#include <cstdio>
#include <exception>
#include <string>
#include <string_view>

class TReportFile {
 public:
  TReportFile() = default;
  TReportFile(const TReportFile&) = delete;
  TReportFile& operator=(const TReportFile&) = delete;
  ~TReportFile();  // closes without reporting; Close() reports

  // Creates (or replaces) the file; false when it cannot, with the cause in
  // CreateError().
  bool Create(const std::string& file_name);
  const std::string& CreateError() const { return FCreateError; }

  std::string& Buffer() { return FBuffer; }
  void EndLine() {
    FBuffer += "\r\n";
    if (FBuffer.size() >= kChunk) Flush();
  }
  void Line(std::string_view text) {
    FBuffer += text;
    EndLine();
  }
  // Writes what is buffered and closes the file; EInOutError on failure.
  void Close();

 private:
  static constexpr size_t kChunk = 1 << 16;
  void Flush();  // EInOutError on failure

  std::FILE* FFile = nullptr;
  std::string FName;
  std::string FBuffer;
  std::string FCreateError;
};

// The console lines of a report that could not be created (the cause goes to
// the log); the run goes on and ends with exit status 1.
void ReportCreateFailed(const std::string& file_name, const std::string& cause);
// The two console lines of a report whose writing failed; the run goes on and
// ends with exit status 1.
void ReportWriteFailed(const std::string& file_name, const std::exception& error);
