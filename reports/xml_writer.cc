#include "reports/xml_writer.h"

#include <cerrno>
#include <cstring>

#include "util/errors.h"
#include "util/escape.h"

namespace {
constexpr size_t kFlushAt = 1 << 20;

bool IsNonCharacter(std::string_view s, size_t i) {
  return i + 2 < s.size() && s[i] == '\xEF' && s[i + 1] == '\xBF' &&
         (s[i + 2] == '\xBE' || s[i + 2] == '\xBF');
}
}  // namespace

std::string XmlText(std::string_view text) {
  std::string escaped = XmlEscape(text);
  bool clean = true;
  for (size_t i = 0; i < escaped.size() && clean; ++i) {
    char c = escaped[i];
    clean = c != '\t' && c != '\n' && c != '\r' && !IsNonCharacter(escaped, i);
  }
  if (clean) return escaped;
  std::string out;
  out.reserve(escaped.size() + 16);
  for (size_t i = 0; i < escaped.size(); ++i) {
    char c = escaped[i];
    if (c == '\t') {
      out += "&#9;";
    } else if (c == '\n') {
      out += "&#10;";
    } else if (c == '\r') {
      out += "&#13;";
    } else if (IsNonCharacter(escaped, i)) {
      out += '?';
      i += 2;
    } else {
      out += c;
    }
  }
  return out;
}

TXmlFile::~TXmlFile() {
  if (FFile) std::fclose(FFile);
}

bool TXmlFile::Create(const std::string& file_name, std::string& error) {
  FName = file_name;
  FFile = std::fopen(file_name.c_str(), "wb");
  if (!FFile) {
    error = std::strerror(errno);
    return false;
  }
  // The buffer here is the only one: a failed write shows at once.
  std::setvbuf(FFile, nullptr, _IONBF, 0);
  FBuffer.reserve(kFlushAt + 4096);
  return true;
}

void TXmlFile::Line(std::string_view text) {
  FBuffer.append(text);
  FBuffer.append("\r\n", 2);
  if (FBuffer.size() >= kFlushAt) FlushBuffer();
}

void TXmlFile::Line(std::string_view a, std::string_view b, std::string_view c,
                    std::string_view d, std::string_view e) {
  FBuffer.append(a);
  FBuffer.append(b);
  FBuffer.append(c);
  FBuffer.append(d);
  FBuffer.append(e);
  FBuffer.append("\r\n", 2);
  if (FBuffer.size() >= kFlushAt) FlushBuffer();
}

void TXmlFile::FlushBuffer() {
  if (!FFile) Fail("not open");
  if (!FBuffer.empty() && std::fwrite(FBuffer.data(), 1, FBuffer.size(), FFile) != FBuffer.size())
    Fail(std::strerror(errno));
  FBuffer.clear();
}

void TXmlFile::Close() {
  FlushBuffer();
  std::FILE* file = FFile;
  FFile = nullptr;
  if (std::fclose(file) != 0) Fail(std::strerror(errno));
}

void TXmlFile::Fail(const char* what) {
  throw EInOutError("cannot write \"" + FName + "\": " + what);
}
