#pragma once
// Text routines the report writers share: fixed-width columns, XML element
// helpers, HTML italics, links and spacer, and the privacy mask applied to
// every path, file name and owner name before it reaches a report.
//
// Texts are UTF-8; lengths and widths count UTF-16 code units (a character
// outside the basic plane counts two, an invalid byte one), and no routine
// ever cuts a character in half.
#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>

class TQvFormatting {
 public:
  TQvFormatting() = delete;

  // `instr` filled on the right with `fillchar` to exactly `len` units; a
  // longer text is cut to `len` - 3 units followed by "..." ("..." alone
  // when `len` is 3 or less).
  static std::string AddTrailing(std::string_view instr, int len, char fillchar);
  // `instr` after (`len` - length + 1) copies of `fillchar`, so the result is
  // `len` + 1 units long; a text longer than `len` is returned unchanged.
  static std::string AddLeading(std::string_view instr, int len, char fillchar);
  // Removes "<b>", "</b>", "<i>" and "</i>".
  static std::string FilterTags(std::string_view aInput);
  // "ARSH" positions: archive, read-only, system, hidden; "." when clear.
  static std::string GetAttributesAsString(uint32_t aAttributes);
  // `level` indents of two blanks, then <name>contents</name>; `contents` is
  // inserted as it is (callers escape it).
  static std::string InsertElement(std::string_view name, std::string_view contents, int level);
  // A label for a folder path (ending in the delimiter) usable as a file name.
  static std::string MakeFilenameCompatible(std::string_view s);
  static std::string MakeItalic(std::string_view aInput, bool aCondition);
  // Every character other than the path delimiter becomes "x" when privacy
  // is active in the database options; otherwise `s` unchanged.
  static std::string Privacy(std::string_view s);
  // Whether Privacy masks; writers of many rows skip the copy when it does not.
  static bool PrivacyActive();
  // Every "<" becomes "&lt;".
  static std::string ReplaceEntities(std::string_view aInput);
  // Every "&" becomes "&amp;"; nothing else changes.
  static std::string ReplaceEntitiesForXML(std::string_view s);
  static std::string StringOfChars(int len, char fillchar);
};

// The HTML spacer line (with CR LF) after each block of the HTML report.
void WriteSpacerTable(std::string& out);
void WriteSpacerTable(std::ostream& out);
// A file:// link to a path: "file://" and the path percent-encoded (an absolute
// path gives "file:///..."); an empty or relative path gives "file:///" and
// the encoded text.
std::string MakeFileLink(std::string_view path);
