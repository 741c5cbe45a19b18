#include "reports/formatting.h"

#include <gtest/gtest.h>

#include <sstream>

#include "driver/globals.h"

namespace {

TEST(FormattingTest, AddTrailingFillsOrCutsToTheWidth) {
  struct Case {
    const char* in;
    int len;
    const char* out;
  } cases[] = {
      {"abcdef", 5, "ab..."},
      {"abc", 5, "abc.."},
      {"abcde", 5, "abcde"},
      {"abcdef", 2, "..."},
      {"abcd", 3, "..."},
      {"", 3, "..."},
  };
  for (const auto& c : cases) EXPECT_EQ(TQvFormatting::AddTrailing(c.in, c.len, '.'), c.out) << c.in;
}

TEST(FormattingTest, AddTrailingCountsUtf16UnitsAndNeverSplitsACharacter) {
  // "é" is one unit, the emoji two: widths stay right and cuts stay valid.
  EXPECT_EQ(TQvFormatting::AddTrailing("\xC3\xA9", 3, ' '), "\xC3\xA9  ");
  EXPECT_EQ(TQvFormatting::AddTrailing("\xF0\x9F\x98\x80", 3, ' '), "\xF0\x9F\x98\x80 ");
  // Width 5 keeps two units before "...": "a" and then no room for the emoji's two.
  EXPECT_EQ(TQvFormatting::AddTrailing("a\xF0\x9F\x98\x80zzzz", 5, ' '), "a...");
  EXPECT_EQ(TQvFormatting::AddTrailing("\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9", 5, ' '),
            "\xC3\xA9\xC3\xA9...");
  // An invalid byte counts as one unit and is kept as it is.
  EXPECT_EQ(TQvFormatting::AddTrailing("\xFF", 2, '_'), "\xFF_");
}

TEST(FormattingTest, AddLeadingIsOneWiderThanAskedAndNeverCuts) {
  EXPECT_EQ(TQvFormatting::AddLeading("ab", 5, ' '), "    ab");
  EXPECT_EQ(TQvFormatting::AddLeading("abcde", 5, ' '), " abcde");
  EXPECT_EQ(TQvFormatting::AddLeading("abcdef", 5, ' '), "abcdef");
  EXPECT_EQ(TQvFormatting::AddLeading("\xC3\xA9", 2, '.'), "..\xC3\xA9");
}

TEST(FormattingTest, SmallTextRoutines) {
  EXPECT_EQ(TQvFormatting::InsertElement("a", "x&amp;y", 2), "    <a>x&amp;y</a>");
  EXPECT_EQ(TQvFormatting::InsertElement("a", "", 0), "<a></a>");
  EXPECT_EQ(TQvFormatting::InsertElement("a", "1", -1), "<a>1</a>");
  EXPECT_EQ(TQvFormatting::GetAttributesAsString(0x21), "AR..");
  EXPECT_EQ(TQvFormatting::GetAttributesAsString(0x06), "..SH");
  EXPECT_EQ(TQvFormatting::GetAttributesAsString(0), "....");
  EXPECT_EQ(TQvFormatting::ReplaceEntitiesForXML("a&b<c&"), "a&amp;b<c&amp;");
  EXPECT_EQ(TQvFormatting::ReplaceEntities("<a>&"), "&lt;a>&");
  EXPECT_EQ(TQvFormatting::FilterTags("<b>x</b><i>y</i><B>"), "xy<B>");
  EXPECT_EQ(TQvFormatting::MakeItalic("x", true), "<i>x</i>");
  EXPECT_EQ(TQvFormatting::MakeItalic("x", false), "x");
  EXPECT_EQ(TQvFormatting::StringOfChars(3, '-'), "---");
  EXPECT_EQ(TQvFormatting::StringOfChars(-1, '-'), "");
}

TEST(FormattingTest, MakeFilenameCompatibleGivesALabelWithoutDelimiters) {
  EXPECT_EQ(TQvFormatting::MakeFilenameCompatible("/home/user/"), "__user");
  EXPECT_EQ(TQvFormatting::MakeFilenameCompatible("/"), "_");
  EXPECT_EQ(TQvFormatting::MakeFilenameCompatible("//server/share/"), "__server_share_");
  EXPECT_EQ(TQvFormatting::MakeFilenameCompatible(""), "");
}

TEST(FormattingTest, MakeFileLinkPercentEncodesThePath) {
  EXPECT_EQ(MakeFileLink(""), "file:///");
  EXPECT_EQ(MakeFileLink("/data/a b:c|d#"), "file:///data/a%20b%3Ac%7Cd%23");
  EXPECT_EQ(MakeFileLink("//server/x"), "file:////server/x");
  EXPECT_EQ(MakeFileLink("rel/x"), "file:///rel/x");
}

TEST(FormattingTest, SpacerTableIsOneCrLfLine) {
  const std::string line =
      "<table align=\"center\" width=\"770\" border=\"0\"><tr><td>&nbsp;</td></tr></table>\r\n";
  std::string buffer = "x";
  WriteSpacerTable(buffer);
  EXPECT_EQ(buffer, "x" + line);
  std::ostringstream stream;
  WriteSpacerTable(stream);
  EXPECT_EQ(stream.str(), line);
}

TEST(FormattingTest, PrivacyMasksEverythingButTheDelimiterWhenActive) {
  TSettingsObject* saved = Settings;
  TSettingsObject settings;
  Settings = &settings;
  EXPECT_EQ(TQvFormatting::Privacy("/home/\xC3\xA9t\xC3\xA9/"), "/home/\xC3\xA9t\xC3\xA9/");
  EXPECT_EQ(TQvFormatting::Privacy(""), "");
  settings.Database.PrivacyActive = true;
  // One "x" per character, multi-byte and invalid ones included.
  EXPECT_EQ(TQvFormatting::Privacy("/home/\xC3\xA9t\xFF/a"), "/xxxx/xxx/x");
  EXPECT_EQ(TQvFormatting::Privacy("///"), "///");
  Settings = saved;
}

}  // namespace
