#pragma once
// Escaping for the report formats. Every text that comes from the scanned tree
// (names, paths, owners, extensions) or from installation data goes through
// one of these before it is inserted into a document.
#include <string>
#include <string_view>

// XML element text or attribute value: valid UTF-8, "&", "<", ">" and both
// quote characters escaped; characters XML 1.0 does not allow become "?".
std::string XmlEscape(std::string_view text);

// HTML element text or attribute value: valid UTF-8, "&", "<", ">", '"' escaped;
// control characters other than tab become "?".
std::string HtmlEscape(std::string_view text);

// A path as the path part of a file:// URL, percent-encoded per RFC 3986
// ("/" kept, every other byte outside the unreserved set encoded).
std::string FileUrl(std::string_view path);

// One CSV field appended to `out`: as it is unless it holds a double quote,
// the separator, CR or LF; then quoted with inner quotes doubled. Appending,
// not returning, keeps writers of millions of rows free of allocations.
// AppendCsvQuotedText appends the text of a field the caller puts between
// quotes itself (inner quotes doubled), so one quoted field can be built from
// several parts.
void AppendCsvField(std::string& out, std::string_view text, char separator);
void AppendCsvQuotedText(std::string& out, std::string_view text);
