#include "util/text.h"

#include <gtest/gtest.h>

#include "util/escape.h"

TEST(TextTest, AsciiUpperChangesOnlyAsciiLetters) {
  EXPECT_EQ(AsciiUpper("abc/Zz\xC3\xA9"), "ABC/ZZ\xC3\xA9");  // é stays
}

TEST(TextTest, InvalidUtf8BecomesReplacementCharacter) {
  EXPECT_EQ(ValidUtf8("a\xFF" "b"), "a\xEF\xBF\xBD" "b");
  EXPECT_EQ(ValidUtf8("\xC3\xA9"), "\xC3\xA9");
  EXPECT_EQ(ValidUtf8("\xED\xA0\x80"), "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD");  // surrogate
  EXPECT_EQ(PrintableText("a\nb\x1b[2J\x7f"), "a?b?[2J?");
}

TEST(TextTest, Utf16LengthCountsSurrogatePairsTwice) {
  EXPECT_EQ(Utf16Length("a\xC3\xA9\xF0\x9F\x98\x80"), 4u);
  EXPECT_EQ(Utf16Length("\xFF"), 1u);
}

TEST(TextTest, ParseIntAcceptsDecimalAndHex) {
  int64_t v;
  ASSERT_TRUE(ParseInt(" 42 ", v));
  EXPECT_EQ(v, 42);
  ASSERT_TRUE(ParseInt("0x990000", v));
  EXPECT_EQ(v, 0x990000);
  EXPECT_FALSE(ParseInt("12a", v));
  EXPECT_FALSE(ParseInt("", v));
}

TEST(TextTest, SplitLinesKeepsEmptyLines) {
  auto lines = SplitLines("a\r\n\r\nb\nc");
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[1], "");
  EXPECT_EQ(lines[3], "c");
}

TEST(EscapeTest, XmlAndHtmlEscapeMarkupQuotesAndControls) {
  EXPECT_EQ(XmlEscape("<a&'\"\x01\t>"), "&lt;a&amp;&apos;&quot;?\t&gt;");
  EXPECT_EQ(HtmlEscape("<script>\"x\"</script>"), "&lt;script&gt;&quot;x&quot;&lt;/script&gt;");
  EXPECT_EQ(XmlEscape("\xFF"), "\xEF\xBF\xBD");
}

TEST(EscapeTest, FileUrlPercentEncodesEverythingButUnreserved) {
  EXPECT_EQ(FileUrl("/a b/#1%?.txt"), "file:///a%20b/%231%25%3F.txt");
}

TEST(EscapeTest, CsvFieldQuotesOnlyWhenNeeded) {
  auto field = [](const char* text, char separator) {
    std::string out;
    AppendCsvField(out, text, separator);
    return out;
  };
  EXPECT_EQ(field("plain", ','), "plain");
  EXPECT_EQ(field("a,b", ','), "\"a,b\"");
  EXPECT_EQ(field("a\"b", ';'), "\"a\"\"b\"");
  EXPECT_EQ(field("a\nb", ','), "\"a\nb\"");
}
