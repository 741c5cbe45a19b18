#include "util/escape.h"

#include "util/text.h"

namespace {
// Markup escaping shared by XML and HTML: they differ only in how the
// apostrophe is written and which control characters may stay.
std::string EscapeMarkup(std::string_view text, const char* apostrophe, bool keep_line_breaks) {
  std::string valid = ValidUtf8(text);
  std::string out;
  out.reserve(valid.size() + 16);
  for (char c : valid) {
    unsigned char u = static_cast<unsigned char>(c);
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      case '\'': out += apostrophe; break;
      default: {
        bool allowed_control = c == '\t' || (keep_line_breaks && (c == '\n' || c == '\r'));
        out += ((u < 0x20 && !allowed_control) || u == 0x7F) ? '?' : c;
      }
    }
  }
  return out;
}
}  // namespace

std::string XmlEscape(std::string_view text) { return EscapeMarkup(text, "&apos;", true); }

std::string HtmlEscape(std::string_view text) { return EscapeMarkup(text, "&#39;", false); }

std::string FileUrl(std::string_view path) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string out = "file://";
  for (char c : path) {
    unsigned char u = static_cast<unsigned char>(c);
    bool unreserved = (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z') || (u >= '0' && u <= '9') ||
                      c == '-' || c == '.' || c == '_' || c == '~' || c == '/';
    if (unreserved) {
      out += c;
    } else {
      out += '%';
      out += kHex[u >> 4];
      out += kHex[u & 15];
    }
  }
  return out;
}

namespace {
void AppendDoublingQuotes(std::string& out, std::string_view valid) {
  for (size_t start = 0;;) {
    size_t quote = valid.find('"', start);
    if (quote == std::string_view::npos) {
      out.append(valid.substr(start));
      return;
    }
    out.append(valid.substr(start, quote + 1 - start));
    out += '"';
    start = quote + 1;
  }
}
}  // namespace

void AppendCsvQuotedText(std::string& out, std::string_view text) {
  if (IsValidUtf8(text)) {
    AppendDoublingQuotes(out, text);
  } else {
    AppendDoublingQuotes(out, ValidUtf8(text));
  }
}

void AppendCsvField(std::string& out, std::string_view text, char separator) {
  bool special = false;
  for (char c : text)
    if (c == '"' || c == '\r' || c == '\n' || c == separator) {
      special = true;
      break;
    }
  if (!special) {
    if (IsValidUtf8(text))
      out.append(text);
    else
      out += ValidUtf8(text);
    return;
  }
  out += '"';
  AppendCsvQuotedText(out, text);
  out += '"';
}
