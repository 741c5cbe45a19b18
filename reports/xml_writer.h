#pragma once
// Text made safe for the two XML documents, element content and attribute
// values alike.
#include <initializer_list>
#include <string>
#include <string_view>

// XmlEscape, then tab, line feed and carriage return as character references
// (a parser gives them back unchanged, and the entry stays on its one line),
// and the non-characters U+FFFE and U+FFFF, which XML does not allow, as "?".
// When the output character set is not UTF-8, non-ASCII characters are
// written as character references too: the declaration names no encoding,
// so parsers read the file as UTF-8, and the text still survives unchanged.
std::string XmlText(std::string_view text);

// The same, choosing the form of non-ASCII characters explicitly.
std::string XmlText(std::string_view text, bool ascii_only);

class TReportFile;

// Appends the pieces as one line of the document, without joining them first.
void XmlLine(TReportFile& out, std::initializer_list<std::string_view> parts);
