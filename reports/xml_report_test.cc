#include "reports/xml_report.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "reports/xml_test_fixture.h"
#include "reports/xml_writer.h"

namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

class XmlReportTest : public XmlDocumentTest {
 protected:
  std::vector<std::string> Report(const std::string& layout, const TXmlVolumeFigures& volume = {}) {
    return Document([&](TReportFile& out) { WriteXMLReportDocument(out, layout, volume); });
  }

  // The outer elements of the sections, in document order.
  static std::vector<std::string> Sections(const std::vector<std::string>& lines) {
    static const std::vector<std::string> kOuter = {
        "<information>", "<categorylist>", "<folderlist>",    "<magnitudelist>", "<extensiondata>",
        "<nullfiles>",   "<nullfiles />",  "<top101largest>", "<top101smallest>", "<users>"};
    std::vector<std::string> out;
    for (const std::string& line : lines)
      for (const std::string& tag : kOuter)
        if (line == tag) out.push_back(tag);
    return out;
  }

  // A small scan whose names hold every character that needs care in XML:
  // markup characters, both quotes, a control character, a line feed and a
  // byte that is not UTF-8.
  void FillHostileScan() {
    TScanDetails& s = *ScanResult;
    s.ScanPath = "/data/a&b<c>/";
    s.Folders = {"/data/a&b<c>/", "/data/a&b<c>/sub\"q'/"};
    s.FileCount = 4;
    s.FolderCount = 1;
    s.TotalSize = 10000;
    s.Files = {
        {0, "big'\x01.dat", 9995, 12288, 20190118, 20190118, 20190118, 900, 900, 900, 9, 0, false, 0, 0},
        {1, "n\nl\xFF.txt", 5, 4096, 20190118, 20190118, 20190118, 0, 0, 0, 1, 0, false, 0, 1},
    };
    s.FileAttributes[1] = {1, 1250};  // count 25%, size 12.5% rounds to 12%
    s.FileAttributes[3] = {1, 5};     // "<0.1%"
    s.FileAttributes[4] = {2, 50};    // "<1%"
    s.FileAttributes[5] = {4, 9995};  // ">99%"
    s.ExtensionSpread[1] = {1, 1250};
    s.ExtensionSpread[2] = {3, 3750};  // 37.5% rounds to 38
    s.Magnitude[0] = {4, 10000};
    s.RootFolders = {{"/", 0, {1, 100}}, {"sub\"q'<&>\x7f\xC3", kAttrHidden, {3, 9900}}};
    s.Users = {TUserData{"ow\"n&r<", {4, 10000}, {}, {}}};
    ExtensionTable->CategoryExtensions = {{"txt&", 1, 1, 1250}, {"doc", 1, 0, 0}, {"z'<", 9, 0, 0}, {"dat", 9, 2, 3750}};
    NullFiles->push_back("/data/a&b<c>/e'mpty\x02");
    Top101Largest->push_back(&s.Files[0]);
    Top101Smallest->push_back(&s.Files[1]);
  }
};

TEST_F(XmlReportTest, LayoutSelectsSectionsInPositionOrder) {
  ScanResult->FileCount = 0;
  const std::vector<std::string> nineteen(19, "<extensiondata>");
  std::vector<std::string> all = {"<information>", "<categorylist>", "<categorylist>", "<folderlist>",
                                  "<magnitudelist>"};
  all.insert(all.end(), nineteen.begin(), nineteen.end());
  all.insert(all.end(), {"<nullfiles />", "<top101largest>", "<top101smallest>", "<users>"});
  struct Case {
    std::string layout;
    std::vector<std::string> sections;
  } cases[] = {
      {"1111111111", all},
      {"1000000000", {"<information>"}},
      {"", {}},
      {"0110", {"<categorylist>", "<categorylist>"}},
      {"0000000100", {}},   // position 8 writes nothing
      {"00000000001", {}},  // positions beyond 10 select nothing
      {"0000000001", {"<users>"}},
      {"0000001010", {"<nullfiles />", "<top101largest>", "<top101smallest>"}},
  };
  for (const Case& c : cases) {
    std::vector<std::string> lines = Report(c.layout);
    EXPECT_EQ(Sections(lines), c.sections) << "layout \"" << c.layout << "\"";
    ASSERT_GE(lines.size(), 5u);
    EXPECT_EQ(lines[0], "<?xml version=\"1.0\"?>");
    EXPECT_EQ(lines[1], "<!-- generated with Tarvelo 2.0.6 32-bit - January 18th 2019 -->");
    EXPECT_EQ(lines[3], "<quorvanereport>");
    EXPECT_EQ(lines.back(), "</quorvanereport>");
  }
  EXPECT_EQ(Report("").size(), 5u);
  EXPECT_EQ(Report("1000000000").size(), 5u + 18u);
}

TEST_F(XmlReportTest, ScanWithoutFilesWritesEmptyLists) {
  std::vector<std::string> lines = Report("0111111111");
  std::vector<std::string> expected = {"<categorylist>", "</categorylist>", "<categorylist>", "</categorylist>",
                                       "<folderlist>",   "</folderlist>",   "<magnitudelist>", "</magnitudelist>"};
  for (int i = 0; i < 19; ++i) expected.insert(expected.end(), {"<extensiondata>", "</extensiondata>"});
  expected.insert(expected.end(), {"<nullfiles />", "<top101largest>", "</top101largest>", "<top101smallest>",
                                   "</top101smallest>", "<users>", "</users>"});
  EXPECT_THAT(std::vector<std::string>(lines.begin() + 4, lines.end() - 1), ElementsAreArray(expected));
}

TEST_F(XmlReportTest, AllEmptyFilesGiveFullSizeShares) {
  TScanDetails& s = *ScanResult;
  s.FileCount = 2;
  s.TotalSize = 0;
  s.FileAttributes[4] = {2, 0};
  s.ExtensionSpread[1] = {2, 0};
  s.Magnitude[0] = {2, 0};
  s.RootFolders = {{"/", 0, {2, 0}}};
  s.Users[0].Data = {2, 0};
  ExtensionTable->CategoryExtensions = {{"txt", 1, 2, 0}};
  std::vector<std::string> lines = Report("0111110001");
  auto shares = [](const std::vector<std::string>& part) {
    std::vector<std::string> values;
    const std::string open = "    <sizeoffilesaspercent>", close = "</sizeoffilesaspercent>";
    for (const std::string& line : part)
      if (line.rfind(open, 0) == 0) values.push_back(line.substr(open.size(), line.size() - open.size() - close.size()));
    return values;
  };
  using V = std::vector<std::string>;
  // Sections 2 and 10 write percent texts, the others rounded numbers.
  EXPECT_EQ(shares(Slice(lines, "<categorylist>", "</categorylist>")), V(8, "100%"));
  EXPECT_EQ(shares(Slice(lines, "<categorylist>", "</categorylist>", 1)), V(20, "100"));
  EXPECT_EQ(shares(Slice(lines, "<folderlist>", "</folderlist>")), V(1, "100"));
  EXPECT_EQ(shares(Slice(lines, "<magnitudelist>", "</magnitudelist>")), V(13, "100"));
  EXPECT_EQ(shares(Slice(lines, "<extensiondata>", "</extensiondata>")), V(2, "100"));
  EXPECT_EQ(shares(Slice(lines, "<users>", "</users>")), V(1, "100%"));
}

TEST_F(XmlReportTest, EntriesAreEscapedAndKeepTheirNumberForms) {
  FillHostileScan();
  std::vector<std::string> lines = Report("0111111111");

  EXPECT_THAT(Slice(lines, "<categorylist>", "</categorylist>"),
              ::testing::IsSupersetOf({"  <attribute name=\"Attr1\" >", "    <numberfiles>1</numberfiles>",
                                       "    <numberfilesaspercent>25%</numberfilesaspercent>",
                                       "    <sizeoffilesaspercent>12%</sizeoffilesaspercent>",
                                       "    <sizeoffilesaspercent>&lt;0.1%</sizeoffilesaspercent>",
                                       "    <sizeoffilesaspercent>&lt;1%</sizeoffilesaspercent>",
                                       "    <sizeoffilesaspercent>&gt;99%</sizeoffilesaspercent>",
                                       "    <numberfilesaspercent>0%</numberfilesaspercent>"}));
  EXPECT_THAT(Slice(lines, "  <category name=\"Cat2\" >", "  </category>"),
              ElementsAre("  <category name=\"Cat2\" >", "    <numberfiles>3</numberfiles>",
                          "    <numberfilesaspercent>75</numberfilesaspercent>",
                          "    <sizeoffiles>3.66KB</sizeoffiles>",
                          "    <sizeoffilesaspercent>38</sizeoffilesaspercent>", "  </category>"));
  EXPECT_THAT(Slice(lines, "<folderlist>", "</folderlist>"),
              ElementsAre("<folderlist>", "  <folder name=\"/\" hidden=\"0\">",
                          "    <numberoffiles>1</numberoffiles>",
                          "    <numberoffilesaspercent>25</numberoffilesaspercent>",
                          "    <sizeoffiles>100 Text 74</sizeoffiles>",
                          "    <sizeoffilesaspercent>1</sizeoffilesaspercent>", "  </folder>",
                          "  <folder name=\"sub&quot;q&apos;&lt;&amp;&gt;?\xEF\xBF\xBD\" hidden=\"-1\">",
                          "    <numberoffiles>3</numberoffiles>",
                          "    <numberoffilesaspercent>75</numberoffilesaspercent>",
                          "    <sizeoffiles>9.67KB</sizeoffiles>",
                          "    <sizeoffilesaspercent>99</sizeoffilesaspercent>", "  </folder>", "</folderlist>"));
  EXPECT_THAT(Slice(lines, "<magnitudelist>", "  </magnitude>"),
              ElementsAre("<magnitudelist>", "  <magnitude name='less than 1K'>",
                          "    <numberoffiles>4</numberoffiles>",
                          "    <numberoffilesaspercent>100</numberoffilesaspercent>",
                          "    <sizeoffiles>9.77KB</sizeoffiles>",
                          "    <sizeoffilesaspercent>100</sizeoffilesaspercent>", "  </magnitude>"));
  EXPECT_EQ(Slice(lines, "<magnitudelist>", "</magnitudelist>")[6 * 11 + 1], "  <magnitude name='2GB -5GB'>");

  // Category 1 lists only extensions with files; category 9 lists all of its
  // own, and its entries end in "' >".
  EXPECT_THAT(Slice(lines, "<extensiondata>", "</extensiondata>"),
              ElementsAre("<extensiondata>", "  <extensioncategory name='Cat1'>",
                          "    <numberoffiles>1</numberoffiles>",
                          "    <numberoffilesaspercent>25</numberoffilesaspercent>",
                          "    <sizoffiles>1.22KB</sizoffiles>",
                          "    <sizeoffilesaspercent>12</sizeoffilesaspercent>", "  </extensioncategory>",
                          "  <extension name='txt&amp;'>", "    <numberoffiles>1</numberoffiles>",
                          "    <numberoffilesaspercent>25</numberoffilesaspercent>",
                          "    <sizeoffiles>1.22KB</sizeoffiles>",
                          "    <sizeoffilesaspercent>12</sizeoffilesaspercent>", "  </extension>",
                          "</extensiondata>"));
  std::vector<std::string> other = Slice(lines, "<extensiondata>", "</extensiondata>", 8);
  ASSERT_EQ(other.size(), 2u + 6u + 6u + 6u);
  EXPECT_EQ(other[1], "  <extensioncategory name='Cat9'>");
  EXPECT_EQ(other[7], "  <extension name='z&apos;&lt;' >");
  EXPECT_EQ(other[9], "    <numberoffilesaspercent>0</numberoffilesaspercent>");
  EXPECT_EQ(other[13], "  <extension name='dat' >");

  EXPECT_THAT(Slice(lines, "<nullfiles>", "</nullfiles>"),
              ElementsAre("<nullfiles>", "  <nullfile name='/data/a&amp;b&lt;c&gt;/e&apos;mpty?' />",
                          "</nullfiles>"));
  EXPECT_THAT(Slice(lines, "<top101largest>", "</top101smallest>"),
              ElementsAre("<top101largest>",
                          "  <top101large sizebytes='9995'>/data/a&amp;b&lt;c&gt;/big&apos;?.dat</top101large>",
                          "</top101largest>", "<top101smallest>",
                          "  <top101small sizebytes='5'>/data/a&amp;b&lt;c&gt;/sub&quot;q&apos;/"
                          "n&#10;l\xEF\xBF\xBD.txt</top101small>",
                          "</top101smallest>"));
  EXPECT_THAT(Slice(lines, "<users>", "</users>"),
              ElementsAre("<users>", "<user name=\"ow&quot;n&amp;r&lt;\">", "    <numberfiles>4</numberfiles>",
                          "    <numberfilesaspercent>100%</numberfilesaspercent>",
                          "    <sizeoffiles>9.77KB</sizeoffiles>",
                          "    <sizeoffilesaspercent>100%</sizeoffilesaspercent>", "</user>", "</users>"));
}

TEST_F(XmlReportTest, InformationShowsScanAndVolumeFigures) {
  FillHostileScan();
  TXmlVolumeFigures v;
  v.SectorsPerCluster = 8;
  v.BytesPerSector = 512;
  v.FreeClusters = 100;
  v.TotalClusters = 200;
  v.VolumeName = "my<disk>";
  v.SerialNumber = "0A1B2C3D";
  v.FileSystem = "EXT4";
  v.DriveType = "Text 302";
  v.SpaceFree = 2048;
  v.SpaceMax = 1 << 20;
  std::vector<std::string> lines = Report("1", v);
  ASSERT_EQ(lines.size(), 5u + 18u);
  EXPECT_EQ(lines[5], "  <folder>/data/a&amp;b&lt;c&gt;/</folder>");
  EXPECT_THAT(lines[6], ::testing::MatchesRegex("  <date>Text [0-9]+ [0-9]+ [0-9]+</date>"));
  EXPECT_THAT(lines[7], ::testing::MatchesRegex("  <time>[0-9][0-9]:[0-9][0-9]\\.[0-9][0-9]</time>"));
  EXPECT_THAT(std::vector<std::string>(lines.begin() + 8, lines.end() - 2),
              ElementsAre("  <numberfiles>4</numberfiles>", "  <numberfolders>1</numberfolders>",
                          "  <sizeoffiles>9.77KB</sizeoffiles>", "  <drivetype>Text 302</drivetype>",
                          "  <sectorspercluster>8</sectorspercluster>", "  <bytespersector>512</bytespersector>",
                          "  <freeclusters>100</freeclusters>", "  <totalclusters>200</totalclusters>",
                          "  <volumename>my&lt;disk&gt;</volumename>", "  <serialnumber>0A1B2C3D</serialnumber>",
                          "  <filesystem>EXT4</filesystem>", "  <diskspacefree>2.00KB</diskspacefree>",
                          "  <diskspacemax>1.00MB</diskspacemax>"));
  v.SpaceFree = 0;  // unknown free space makes both figures "n/a"
  lines = Report("1", v);
  EXPECT_EQ(lines[19], "  <diskspacefree>n/a</diskspacefree>");
  EXPECT_EQ(lines[20], "  <diskspacemax>n/a</diskspacemax>");
}

TEST(XmlTextTest, EscapesForElementsAndBothAttributeQuotes) {
  struct Case {
    std::string in, out;
  } cases[] = {
      {"plain", "plain"},
      {"a&b<c>d\"e'f", "a&amp;b&lt;c&gt;d&quot;e&apos;f"},
      {"tab\tlf\ncr\r", "tab&#9;lf&#10;cr&#13;"},
      {"bell\x07" "del\x7f", "bell?del?"},
      {"bad\xFF\xC3", "bad\xEF\xBF\xBD\xEF\xBF\xBD"},
      {"nonchar\xEF\xBF\xBE\xEF\xBF\xBF", "nonchar??"},
      {"\xC3\xA9\xF0\x9F\x98\x80", "\xC3\xA9\xF0\x9F\x98\x80"},
  };
  for (const Case& c : cases) EXPECT_EQ(XmlText(c.in, false), c.out) << c.in;
  // For an output set other than UTF-8 every non-ASCII character becomes a reference.
  EXPECT_EQ(XmlText("\xC3\xA9\xF0\x9F\x98\x80<\xFF", true), "&#233;&#128512;&lt;&#65533;");
}

}  // namespace
