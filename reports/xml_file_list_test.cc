#include "reports/xml_file_list.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "reports/xml_test_fixture.h"

namespace {

using ::testing::ElementsAre;

class XmlFileListTest : public XmlDocumentTest {
 protected:
  std::vector<std::string> FileList() {
    return Document([](TReportFile& out) { WriteXMLFileListDocument(out); });
  }
};

TEST_F(XmlFileListTest, EmptyScanWritesHeaderAndClosingLineOnly) {
  EXPECT_THAT(FileList(),
              ElementsAre("<?xml version=\"1.0\"?>", "<!--  -->",
                          "<!-- generated with Tarvelo 2.0.6 32-bit (console, x32) - January 18th 2019 -->",
                          ::testing::StartsWith("<!-- "), "<!--  -->", "<quorvanefilelist>",
                          "</quorvanefilelist>"));
}

TEST_F(XmlFileListTest, ItemsCarryEveryFieldOfFilesAndFolders) {
  TScanDetails& s = *ScanResult;
  s.Folders = {"/data/", "/data/x&y<\"'>\x01\xFF/"};
  s.Users = {TUserData{"root", {}, {}, {}}, TUserData{"o&w<n\"er", {}, {}, {}}};
  TFileObject file;
  file.FilePathIndex = 1;
  file.FileName = "a&b\nc'\x1f.txt";
  file.FileSize = 1536;
  file.FileSizeOnDisk = 4096;
  file.FileDateC = 20190118;
  file.FileDateA = 20200229;
  file.FileDateM = 20191231;
  file.FileTimeC = 5;     // 00:05
  file.FileTimeA = 2359;
  file.FileTimeM = 0;     // midnight
  file.FileCategory = 3;
  file.Attributes = kAttrReadOnly | kAttrHidden | kAttrSystem | kAttrArchive;
  file.Temp = true;
  file.Owner = 1;
  TFileObject folder;
  folder.FileName = "sub";
  folder.FileSize = 4096;
  folder.FileSizeOnDisk = 4096;
  folder.FileDateC = folder.FileDateA = folder.FileDateM = 20190118;
  folder.FileTimeC = folder.FileTimeA = folder.FileTimeM = 1234;
  folder.Attributes = kAttrDirectory;
  s.Files = {file, folder};
  Settings->General.DateFormat = 2;  // yyyy/mm/dd

  std::vector<std::string> lines = FileList();
  ASSERT_EQ(lines.size(), 7u + 2u * 25u);
  EXPECT_THAT(std::vector<std::string>(lines.begin() + 6, lines.begin() + 31),
              ElementsAre("<item>", "    <name>a&amp;b&#10;c&apos;?.txt</name>",
                          "    <path>/data/x&amp;y&lt;&quot;&apos;&gt;?\xEF\xBF\xBD/</path>",
                          "    <sizewords>1.50KB</sizewords>", "    <sizebytes>1536</sizebytes>",
                          "    <sizeondiskwords>4.00KB</sizeondiskwords>",
                          "    <sizeondiskbytes>4096</sizeondiskbytes>", "    <owner>o&amp;w&lt;n&quot;er</owner>",
                          "    <timecreated>5</timecreated>", "    <timemodified>0</timemodified>",
                          "    <timeaccessed>2359</timeaccessed>", "    <datecreated>2019/01/18</datecreated>",
                          "    <datemodified>2019/12/31</datemodified>",
                          "    <dateaccessed>2020/02/29</dateaccessed>",
                          "    <datecreatedyyyymmdd>20190118</datecreatedyyyymmdd>",
                          "    <datemodifiedyyyymmdd>20191231</datemodifiedyyyymmdd>",
                          "    <dateaccessedyyyymmdd>20200229</dateaccessedyyyymmdd>",
                          "    <category>3</category>", "    <folder>0</folder>", "    <readonly>1</readonly>",
                          "    <hidden>1</hidden>", "    <system>1</system>", "    <archive>1</archive>",
                          "    <temp>1</temp>", "</item>"));
  EXPECT_THAT(std::vector<std::string>(lines.begin() + 31, lines.begin() + 56),
              ElementsAre("<item>", "    <name>sub</name>", "    <path>/data/</path>",
                          "    <sizewords>-1</sizewords>", "    <sizebytes>-1</sizebytes>",
                          "    <sizeondiskwords>-1</sizeondiskwords>", "    <sizeondiskbytes>-1</sizeondiskbytes>",
                          "    <owner>root</owner>", "    <timecreated>1234</timecreated>",
                          "    <timemodified>1234</timemodified>", "    <timeaccessed>1234</timeaccessed>",
                          "    <datecreated>2019/01/18</datecreated>", "    <datemodified>2019/01/18</datemodified>",
                          "    <dateaccessed>2019/01/18</dateaccessed>",
                          "    <datecreatedyyyymmdd>20190118</datecreatedyyyymmdd>",
                          "    <datemodifiedyyyymmdd>20190118</datemodifiedyyyymmdd>",
                          "    <dateaccessedyyyymmdd>20190118</dateaccessedyyyymmdd>", "    <category>0</category>",
                          "    <folder>1</folder>", "    <readonly>0</readonly>", "    <hidden>0</hidden>",
                          "    <system>0</system>", "    <archive>0</archive>", "    <temp>0</temp>", "</item>"));
  EXPECT_EQ(lines.back(), "</quorvanefilelist>");
}

TEST_F(XmlFileListTest, PrivacyMasksNamesPathsAndOwners) {
  Settings->Database.PrivacyActive = true;
  TFileObject file;
  file.FileName = "secret&";
  ScanResult->Files = {file};
  std::vector<std::string> lines = FileList();
  EXPECT_EQ(lines[7], "    <name>xxxxxxx</name>");
  EXPECT_EQ(lines[8], "    <path>/xxxx/</path>");
  EXPECT_EQ(lines[13], "    <owner>xxxx</owner>");
}

}  // namespace
