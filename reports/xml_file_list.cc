#include "reports/xml_file_list.h"

#include <vector>

#include "config/language_handler.h"
#include "config/language_texts.h"
#include "config/utility.h"
#include "driver/globals.h"
#include "driver/log.h"
#include "reports/formatting.h"
#include "reports/report_file.h"
#include "reports/xml_writer.h"
#include "scan/conversions.h"

std::string BoolToFlagText(bool flag) { return TUtility::BoolToIntAsString(flag); }

namespace {

std::string Element(const char* name, const std::string& contents) {
  return TQvFormatting::InsertElement(name, contents, 2);
}

std::string Flag(uint32_t attributes, uint32_t bit) {
  return TUtility::AttributeToIntAsString(attributes, bit);
}

// Folder paths and owner names repeat across many entries: each is made
// document-ready once.
std::vector<std::string> PreparedTexts(const std::vector<std::string>& texts) {
  std::vector<std::string> out;
  out.reserve(texts.size());
  for (const std::string& s : texts) out.push_back(XmlText(TQvFormatting::Privacy(s)));
  return out;
}

void WriteItem(TReportFile& out, const TFileObject& f, const std::string& path, const std::string& owner) {
  out.Line("<item>");
  out.Line(Element("name", XmlText(TQvFormatting::Privacy(f.FileName))));
  out.Line(Element("path", path));
  if (f.IsFolder()) {
    out.Line(Element("sizewords", "-1"));
    out.Line(Element("sizebytes", "-1"));
    out.Line(Element("sizeondiskwords", "-1"));
    out.Line(Element("sizeondiskbytes", "-1"));
  } else {
    out.Line(Element("sizewords", XmlText(TConvert::ConvertToUsefulUnit(f.FileSize))));
    out.Line(Element("sizebytes", std::to_string(f.FileSize)));
    out.Line(Element("sizeondiskwords", XmlText(TConvert::ConvertToUsefulUnit(f.FileSizeOnDisk))));
    out.Line(Element("sizeondiskbytes", std::to_string(f.FileSizeOnDisk)));
  }
  out.Line(Element("owner", owner));
  out.Line(Element("timecreated", std::to_string(f.FileTimeC)));
  out.Line(Element("timemodified", std::to_string(f.FileTimeM)));
  out.Line(Element("timeaccessed", std::to_string(f.FileTimeA)));
  out.Line(Element("datecreated", XmlText(TConvert::IntDateToString(f.FileDateC))));
  out.Line(Element("datemodified", XmlText(TConvert::IntDateToString(f.FileDateM))));
  out.Line(Element("dateaccessed", XmlText(TConvert::IntDateToString(f.FileDateA))));
  out.Line(Element("datecreatedyyyymmdd", std::to_string(f.FileDateC)));
  out.Line(Element("datemodifiedyyyymmdd", std::to_string(f.FileDateM)));
  out.Line(Element("dateaccessedyyyymmdd", std::to_string(f.FileDateA)));
  out.Line(Element("category", std::to_string(f.FileCategory)));
  out.Line(Element("folder", f.IsFolder() ? "1" : "0"));
  out.Line(Element("readonly", Flag(f.Attributes, kAttrReadOnly)));
  out.Line(Element("hidden", Flag(f.Attributes, kAttrHidden)));
  out.Line(Element("system", Flag(f.Attributes, kAttrSystem)));
  out.Line(Element("archive", Flag(f.Attributes, kAttrArchive)));
  out.Line(Element("temp", BoolToFlagText(f.Temp)));
  out.Line("</item>");
}

}  // namespace

void WriteXMLFileListDocument(TReportFile& out) {
  const TScanDetails& scan = *ScanResult;
  out.Line("<?xml version=\"1.0\"?>");
  out.Line("<!--  -->");
  out.Line("<!-- generated with Tarvelo 2.0.6 32-bit (console, x32) - January 18th 2019 -->");
  out.Line("<!-- Kestrovia Quorvane folder analysis - www.kestrovia.com -->");
  out.Line("<!--  -->");
  out.Line("<quorvanefilelist>");
  const std::vector<std::string> paths = PreparedTexts(scan.Folders);
  std::vector<std::string> owner_names;
  owner_names.reserve(scan.Users.size());
  for (const TUserData& user : scan.Users) owner_names.push_back(user.Name);
  const std::vector<std::string> owners = PreparedTexts(owner_names);
  static const std::string kNone;
  for (const TFileObject& f : scan.Files) {
    // An index outside its list (an entry whose owner was never recorded)
    // gives an empty element rather than a read past the end.
    const std::string& path =
        f.FilePathIndex >= 0 && static_cast<size_t>(f.FilePathIndex) < paths.size() ? paths[f.FilePathIndex] : kNone;
    const std::string& owner =
        f.Owner >= 0 && static_cast<size_t>(f.Owner) < owners.size() ? owners[f.Owner] : kNone;
    WriteItem(out, f, path, owner);
  }
  out.Line("</quorvanefilelist>");
}

void WriteXMLFileList(const std::string& file_name) {
  TUtility::WriteLnOut(LanguageText(lt::kWritingReport) + " (XML): " + TUtility::TrimFileNameForOutput(file_name));
  TUtility::WriteLnOut("");
  TReportFile out;
  if (!out.Create(file_name)) {
    ReportCreateFailed(file_name, out.CreateError());
    return;
  }
  // A failure while the items are written ends the run through the error
  // guard; the file is closed on the way out.
  WriteXMLFileListDocument(out);
  out.Close();
}
