#include "reports/formatting.h"

#include "driver/globals.h"
#include "platform/platform.h"
#include "util/escape.h"
#include "util/text.h"

namespace {

// Byte length of the longest prefix of `s` holding at most `max_units` units.
size_t PrefixWithinUnits(std::string_view s, int max_units) {
  size_t i = 0;
  int used = 0;
  while (i < s.size()) {
    int units;
    size_t bytes = Utf8CharacterAt(s, i, &units);
    if (used + units > max_units) break;
    used += units;
    i += bytes;
  }
  return i;
}

int Units(std::string_view s) {
  int total = 0;
  for (size_t i = 0; i < s.size();) {
    int units;
    size_t bytes = Utf8CharacterAt(s, i, &units);
    total += units;
    i += bytes;
  }
  return total;
}

constexpr std::string_view kSpacerLine =
    "<table align=\"center\" width=\"770\" border=\"0\"><tr><td>&nbsp;</td></tr></table>\r\n";

}  // namespace

std::string TQvFormatting::AddTrailing(std::string_view instr, int len, char fillchar) {
  int length = Units(instr);
  if (length > len) {
    if (len <= 3) return "...";
    return std::string(instr.substr(0, PrefixWithinUnits(instr, len - 3))) + "...";
  }
  std::string out(instr);
  out.append(static_cast<size_t>(len - length), fillchar);
  return out;
}

std::string TQvFormatting::AddLeading(std::string_view instr, int len, char fillchar) {
  int length = Units(instr);
  if (length > len) return std::string(instr);
  std::string out(static_cast<size_t>(len - length + 1), fillchar);
  out.append(instr);
  return out;
}

std::string TQvFormatting::FilterTags(std::string_view aInput) {
  std::string out(aInput);
  for (std::string_view tag : {"<b>", "</b>", "<i>", "</i>"}) out = ReplaceAll(out, tag, "");
  return out;
}

std::string TQvFormatting::GetAttributesAsString(uint32_t aAttributes) {
  std::string out = "....";
  if (aAttributes & kAttrArchive) out[0] = 'A';
  if (aAttributes & kAttrReadOnly) out[1] = 'R';
  if (aAttributes & kAttrSystem) out[2] = 'S';
  if (aAttributes & kAttrHidden) out[3] = 'H';
  return out;
}

std::string TQvFormatting::InsertElement(std::string_view name, std::string_view contents,
                                         int level) {
  std::string out;
  out.reserve(static_cast<size_t>(level > 0 ? 2 * level : 0) + 2 * name.size() + contents.size() + 5);
  if (level > 0) out.append(static_cast<size_t>(2 * level), ' ');
  out += '<';
  out += name;
  out += '>';
  out += contents;
  out += "</";
  out += name;
  out += '>';
  return out;
}

std::string TQvFormatting::MakeFilenameCompatible(std::string_view s) {
  const char d = platform::kPathDelim;
  std::string out;
  if (s.size() >= 2 && s[0] == d && s[1] == d) {
    out = std::string(s);
    out = ReplaceAll(out, std::string(2, d), "__");
  } else if (!s.empty()) {
    out = std::string(1, s[0]);
    size_t last = s.substr(0, s.size() - 1).rfind(d);
    if (last != std::string_view::npos) out += "_" + std::string(s.substr(last + 1, s.size() - 2 - last));
  }
  // Without drive letters the first character may itself be the delimiter;
  // a label must not hold one.
  for (char& c : out)
    if (c == d) c = '_';
  return out;
}

std::string TQvFormatting::MakeItalic(std::string_view aInput, bool aCondition) {
  if (!aCondition) return std::string(aInput);
  return "<i>" + std::string(aInput) + "</i>";
}

bool TQvFormatting::PrivacyActive() {
  return Settings != nullptr && Settings->Database.PrivacyActive;
}

std::string TQvFormatting::Privacy(std::string_view s) {
  if (!PrivacyActive()) return std::string(s);
  std::string out;
  out.reserve(s.size());
  for (size_t i = 0; i < s.size();) {
    size_t bytes = Utf8CharacterAt(s, i);
    out += s[i] == platform::kPathDelim ? platform::kPathDelim : 'x';
    i += bytes;
  }
  return out;
}

std::string TQvFormatting::ReplaceEntities(std::string_view aInput) {
  return ReplaceAll(std::string(aInput), "<", "&lt;");
}

std::string TQvFormatting::ReplaceEntitiesForXML(std::string_view s) {
  return ReplaceAll(std::string(s), "&", "&amp;");
}

std::string TQvFormatting::StringOfChars(int len, char fillchar) {
  return len > 0 ? std::string(static_cast<size_t>(len), fillchar) : std::string();
}

void WriteSpacerTable(std::string& out) { out += kSpacerLine; }

void WriteSpacerTable(std::ostream& out) { out << kSpacerLine; }

std::string MakeFileLink(std::string_view path) {
  // Percent-encoding keeps every byte of a Linux name (":" and "|" included)
  // reachable; FileUrl gives "file://" and the encoded path.
  if (!path.empty() && path[0] == platform::kPathDelim) return FileUrl(path);
  return "file:///" + FileUrl(path).substr(7);
}
