#pragma once
// Output of the two XML documents: text made safe for element content and
// attribute values, and a buffered document file whose lines end in CR LF.
#include <cstdio>
#include <string>
#include <string_view>

// Text for an element or an attribute value (either quote style): XmlEscape,
// then tab, line feed and carriage return as character references (a parser
// gives them back unchanged, and the entry stays on its one line), and the
// two non-characters U+FFFE and U+FFFF, which XML does not allow, as "?".
std::string XmlText(std::string_view text);

// A document file written through a large buffer, since the file list holds
// one block per directory entry. Write errors raise EInOutError naming the
// file and the cause.
class TXmlFile {
 public:
  TXmlFile() = default;
  TXmlFile(const TXmlFile&) = delete;
  TXmlFile& operator=(const TXmlFile&) = delete;
  ~TXmlFile();  // closes quietly when Close() was not reached

  // Creates (or replaces) the file; false and the cause in `error` when it
  // cannot be created.
  bool Create(const std::string& file_name, std::string& error);
  // Appends `text` and CR LF.
  void Line(std::string_view text);
  // Appends the pieces and CR LF, without joining them first.
  void Line(std::string_view a, std::string_view b, std::string_view c = {},
            std::string_view d = {}, std::string_view e = {});
  // Writes what is buffered and closes the file.
  void Close();

 private:
  void FlushBuffer();
  [[noreturn]] void Fail(const char* what);

  std::FILE* FFile = nullptr;
  std::string FName;
  std::string FBuffer;
};
