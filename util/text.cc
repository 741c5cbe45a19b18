#include "util/text.h"

#include <charconv>

std::string AsciiUpper(std::string_view text) {
  std::string out(text);
  for (char& c : out)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return out;
}

std::string AsciiLower(std::string_view text) {
  std::string out(text);
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return out;
}

bool AsciiEqualNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'a' && x <= 'z') x = static_cast<char>(x - 'a' + 'A');
    if (y >= 'a' && y <= 'z') y = static_cast<char>(y - 'a' + 'A');
    if (x != y) return false;
  }
  return true;
}

namespace {
// Length of the valid UTF-8 sequence at s[i], or 0 when it is not valid.
size_t Utf8SequenceLength(std::string_view s, size_t i, char32_t* code = nullptr) {
  const auto b = [&](size_t k) { return static_cast<unsigned char>(s[k]); };
  unsigned char c = b(i);
  if (c < 0x80) {
    if (code) *code = c;
    return 1;
  }
  size_t len;
  char32_t cp;
  if (c >= 0xC2 && c <= 0xDF) { len = 2; cp = c & 0x1F; }
  else if (c >= 0xE0 && c <= 0xEF) { len = 3; cp = c & 0x0F; }
  else if (c >= 0xF0 && c <= 0xF4) { len = 4; cp = c & 0x07; }
  else return 0;
  if (i + len > s.size()) return 0;
  for (size_t k = 1; k < len; ++k) {
    if ((b(i + k) & 0xC0) != 0x80) return 0;
    cp = (cp << 6) | (b(i + k) & 0x3F);
  }
  if ((len == 3 && (cp < 0x800 || (cp >= 0xD800 && cp <= 0xDFFF))) ||
      (len == 4 && (cp < 0x10000 || cp > 0x10FFFF)))
    return 0;
  if (code) *code = cp;
  return len;
}
}  // namespace

bool IsValidUtf8(std::string_view bytes) {
  for (size_t i = 0; i < bytes.size();) {
    if (static_cast<unsigned char>(bytes[i]) < 0x80) { ++i; continue; }
    size_t n = Utf8SequenceLength(bytes, i);
    if (n == 0) return false;
    i += n;
  }
  return true;
}

std::string ValidUtf8(std::string_view bytes) {
  if (IsValidUtf8(bytes)) return std::string(bytes);
  std::string out;
  out.reserve(bytes.size() + 8);
  for (size_t i = 0; i < bytes.size();) {
    size_t n = Utf8SequenceLength(bytes, i);
    if (n == 0) {
      out += "\xEF\xBF\xBD";
      ++i;
    } else {
      out.append(bytes.substr(i, n));
      i += n;
    }
  }
  return out;
}

std::string PrintableText(std::string_view bytes) {
  std::string out = ValidUtf8(bytes);
  for (char& c : out) {
    unsigned char u = static_cast<unsigned char>(c);
    if (u < 0x20 || u == 0x7F) c = '?';
  }
  return out;
}

std::u16string ToUtf16(std::string_view bytes) {
  std::u16string out;
  out.reserve(bytes.size());
  for (size_t i = 0; i < bytes.size();) {
    char32_t cp;
    size_t n = Utf8SequenceLength(bytes, i, &cp);
    if (n == 0) {
      out.push_back(u'\uFFFD');
      ++i;
      continue;
    }
    i += n;
    if (cp >= 0x10000) {
      cp -= 0x10000;
      out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
      out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
    } else {
      out.push_back(static_cast<char16_t>(cp));
    }
  }
  return out;
}

size_t Utf16Length(std::string_view bytes) { return ToUtf16(bytes).size(); }

size_t Utf8CharacterAt(std::string_view bytes, size_t i, int* utf16_units) {
  char32_t cp = 0;
  size_t n = Utf8SequenceLength(bytes, i, &cp);
  if (utf16_units) *utf16_units = n != 0 && cp >= 0x10000 ? 2 : 1;
  return n == 0 ? 1 : n;
}

bool StartsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}
bool EndsWith(std::string_view text, std::string_view suffix) {
  return text.size() >= suffix.size() && text.substr(text.size() - suffix.size()) == suffix;
}
bool Contains(std::string_view text, std::string_view part) {
  return text.find(part) != std::string_view::npos;
}

std::string ReplaceAll(std::string text, std::string_view from, std::string_view to) {
  if (from.empty()) return text;
  size_t pos = 0;
  while ((pos = text.find(from, pos)) != std::string::npos) {
    text.replace(pos, from.size(), to);
    pos += to.size();
  }
  return text;
}

std::string Trim(std::string_view text) {
  size_t a = 0, b = text.size();
  while (a < b && (text[a] == ' ' || text[a] == '\t' || text[a] == '\r' || text[a] == '\n')) ++a;
  while (b > a && (text[b - 1] == ' ' || text[b - 1] == '\t' || text[b - 1] == '\r' || text[b - 1] == '\n')) --b;
  return std::string(text.substr(a, b - a));
}

std::vector<std::string> SplitLines(std::string_view text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t nl = text.find('\n', start);
    size_t end = nl == std::string_view::npos ? text.size() : nl;
    size_t stop = (end > start && text[end - 1] == '\r') ? end - 1 : end;
    lines.emplace_back(text.substr(start, stop - start));
    if (nl == std::string_view::npos) break;
    start = nl + 1;
  }
  return lines;
}

std::string ZeroPad(int64_t value, int width) {
  std::string digits = std::to_string(value < 0 ? -value : value);
  if (static_cast<int>(digits.size()) < width) digits.insert(0, width - digits.size(), '0');
  return value < 0 ? "-" + digits : digits;
}

bool ParseInt(std::string_view text, int64_t& value) {
  std::string t = Trim(text);
  std::string_view s(t);
  bool negative = false;
  if (!s.empty() && (s[0] == '-' || s[0] == '+')) {
    negative = s[0] == '-';
    s.remove_prefix(1);
  }
  int base = 10;
  if (s.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
    base = 16;
    s.remove_prefix(2);
  } else if (!s.empty() && s[0] == '$') {  // Pascal-style hexadecimal
    base = 16;
    s.remove_prefix(1);
  }
  if (s.empty()) return false;
  int64_t v = 0;
  auto [ptr, ec] = std::from_chars(s.data(), s.data() + s.size(), v, base);
  if (ec != std::errc() || ptr != s.data() + s.size()) return false;
  value = negative ? -v : v;
  return true;
}
