#include "reports/xml_writer.h"

#include "platform/platform.h"
#include "reports/report_file.h"
#include "util/escape.h"

namespace {

bool IsNonCharacter(std::string_view s, size_t i) {
  return i + 2 < s.size() && s[i] == '\xEF' && s[i + 1] == '\xBF' &&
         (s[i + 2] == '\xBE' || s[i + 2] == '\xBF');
}

bool OutputIsUtf8() {
  static const bool utf8 = platform::ToOutputCharset("\xC3\xA9") == "\xC3\xA9";
  return utf8;
}

// Length and code point of the UTF-8 sequence at s[i] (s is valid UTF-8).
size_t Decode(std::string_view s, size_t i, char32_t& cp) {
  unsigned char c = static_cast<unsigned char>(s[i]);
  size_t len = c < 0xE0 ? 2 : (c < 0xF0 ? 3 : 4);
  cp = c & (len == 2 ? 0x1F : (len == 3 ? 0x0F : 0x07));
  for (size_t k = 1; k < len && i + k < s.size(); ++k) cp = (cp << 6) | (s[i + k] & 0x3F);
  return len;
}

}  // namespace

std::string XmlText(std::string_view text) { return XmlText(text, !OutputIsUtf8()); }

std::string XmlText(std::string_view text, bool ascii_only) {
  std::string escaped = XmlEscape(text);
  bool clean = true;
  for (size_t i = 0; i < escaped.size() && clean; ++i) {
    char c = escaped[i];
    clean = c != '\t' && c != '\n' && c != '\r' && !IsNonCharacter(escaped, i) &&
            !(ascii_only && static_cast<unsigned char>(c) >= 0x80);
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
    } else if (ascii_only && static_cast<unsigned char>(c) >= 0x80) {
      char32_t cp;
      i += Decode(escaped, i, cp) - 1;
      out += "&#" + std::to_string(static_cast<uint32_t>(cp)) + ";";
    } else {
      out += c;
    }
  }
  return out;
}

void XmlLine(TReportFile& out, std::initializer_list<std::string_view> parts) {
  std::string& buffer = out.Buffer();
  for (std::string_view part : parts) buffer.append(part);
  out.EndLine();
}
