#pragma once
// Small text helpers shared by every subsystem. Texts are UTF-8 in memory;
// file names are kept as the bytes the file system gave and are made valid
// only where they are written out.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Upper-cases the ASCII letters a to z only; every other byte stays.
std::string AsciiUpper(std::string_view text);
std::string AsciiLower(std::string_view text);
bool AsciiEqualNoCase(std::string_view a, std::string_view b);

// Bytes that are not valid UTF-8 become U+FFFD; valid text is returned as is.
std::string ValidUtf8(std::string_view bytes);
bool IsValidUtf8(std::string_view bytes);

// ValidUtf8, then control characters (below U+0020 and U+007F) become "?":
// what console, log and line-based reports show of a name.
std::string PrintableText(std::string_view bytes);

// Decodes UTF-8 (invalid bytes count as one unit each) and calls back for every
// UTF-16 code unit; used where lengths or keys are counted in UTF-16 units.
std::u16string ToUtf16(std::string_view bytes);
// Number of UTF-16 code units of the decoded text.
size_t Utf16Length(std::string_view bytes);
// Bytes of the character at `i` (1 for an invalid byte) and, when asked, its
// UTF-16 code units (2 outside the basic plane, else 1): for walking a text
// by characters without decoding it.
size_t Utf8CharacterAt(std::string_view bytes, size_t i, int* utf16_units = nullptr);

bool StartsWith(std::string_view text, std::string_view prefix);
bool EndsWith(std::string_view text, std::string_view suffix);
bool Contains(std::string_view text, std::string_view part);
// Replaces every occurrence of `from` (non-empty) by `to`.
std::string ReplaceAll(std::string text, std::string_view from, std::string_view to);
std::string Trim(std::string_view text);
std::vector<std::string> SplitLines(std::string_view text);  // CR LF or LF

// Decimal digits of a value with at least `width` digits, zero-padded.
std::string ZeroPad(int64_t value, int width);

// Parses a decimal integer ("0x" prefix: hexadecimal); false when malformed.
bool ParseInt(std::string_view text, int64_t& value);
