#include "reports/xml_report.h"

#include <cmath>
#include <exception>

#include "config/language_handler.h"
#include "config/language_texts.h"
#include "config/qv_windows.h"
#include "config/utility.h"
#include "driver/globals.h"
#include "driver/log.h"
#include "platform/platform.h"
#include "reports/formatting.h"
#include "reports/report_file.h"
#include "reports/xml_writer.h"
#include "scan/conversions.h"
#include "scan/display_tables.h"
#include "util/text.h"

namespace {

const char* const kMagnitudeLabels[kMagnitudeBands] = {
    "less than 1K",  "1K - 1MB",      "1MB - 10MB",    "10MB - 50MB", "50MB - 100MB",
    "100MB - 150MB", "150MB - 200MB", "200MB - 250MB", "250MB - 500MB", "500MB - 1GB",
    "1GB - 2GB",     "2GB -5GB",      "5GB+"};

// How the entries of a section write their four values.
struct TEntryForm {
  const char* CountElement;      // "numberfiles" or "numberoffiles"
  const char* CountShareElement;
  const char* SizeElement;       // "sizeoffiles", or "sizoffiles" for a category of section 6
  bool PercentText;              // shares as "12%" texts instead of rounded whole numbers
};

constexpr TEntryForm kFilesForm = {"numberfiles", "numberfilesaspercent", "sizeoffiles", false};
constexpr TEntryForm kFilesPercentForm = {"numberfiles", "numberfilesaspercent", "sizeoffiles", true};
constexpr TEntryForm kOfFilesForm = {"numberoffiles", "numberoffilesaspercent", "sizeoffiles", false};
constexpr TEntryForm kExtensionCategoryForm = {"numberoffiles", "numberoffilesaspercent", "sizoffiles",
                                               false};

std::string Element(const char* name, const std::string& contents, int level) {
  return TQvFormatting::InsertElement(name, contents, level);
}

std::string Share(int64_t part, int64_t whole, bool percent_text) {
  double fraction = static_cast<double>(part) / static_cast<double>(whole);
  if (percent_text) return XmlText(TConvert::RealToPercent(fraction));
  // Ties to even, as the default floating-point rounding mode does.
  return std::to_string(static_cast<long long>(std::nearbyint(fraction * 100.0)));
}

// The four value elements of an entry; the caller writes the opening and
// closing lines. Entries are only written when the scan found files.
void WriteEntryValues(TReportFile& out, const TEntryForm& form, int64_t count, int64_t bytes) {
  const TScanDetails& scan = *ScanResult;
  out.Line(Element(form.CountElement, std::to_string(count), 2));
  out.Line(Element(form.CountShareElement, Share(count, scan.FileCount, form.PercentText), 2));
  out.Line(Element(form.SizeElement, XmlText(TConvert::ConvertToUsefulUnit(bytes)), 2));
  std::string size_share = scan.TotalSize == 0 ? (form.PercentText ? "100%" : "100")
                                               : Share(bytes, scan.TotalSize, form.PercentText);
  out.Line(Element("sizeoffilesaspercent", size_share, 2));
}

std::string PrivateText(const std::string& s) { return XmlText(TQvFormatting::Privacy(s)); }

void WriteInformation(TReportFile& out, const TXmlVolumeFigures& v) {
  const TScanDetails& scan = *ScanResult;
  out.Line("<information>");
  out.Line(Element("folder", PrivateText(scan.ScanPath), 1));
  out.Line(Element("date", XmlText(TUtility::GetDate(0)), 1));
  out.Line(Element("time", XmlText(TUtility::GetTime(0)), 1));
  out.Line(Element("numberfiles", std::to_string(scan.FileCount), 1));
  out.Line(Element("numberfolders", std::to_string(scan.FolderCount), 1));
  out.Line(Element("sizeoffiles", XmlText(TConvert::ConvertToUsefulUnit(scan.TotalSize)), 1));
  out.Line(Element("drivetype", XmlText(v.DriveType), 1));
  out.Line(Element("sectorspercluster", std::to_string(v.SectorsPerCluster), 1));
  out.Line(Element("bytespersector", std::to_string(v.BytesPerSector), 1));
  out.Line(Element("freeclusters", std::to_string(v.FreeClusters), 1));
  out.Line(Element("totalclusters", std::to_string(v.TotalClusters), 1));
  out.Line(Element("volumename", XmlText(v.VolumeName), 1));
  out.Line(Element("serialnumber", XmlText(v.SerialNumber), 1));
  out.Line(Element("filesystem", XmlText(v.FileSystem), 1));
  bool known = v.SpaceFree > 0;
  out.Line(Element("diskspacefree", known ? XmlText(TConvert::ConvertToUsefulUnit(v.SpaceFree)) : "n/a", 1));
  out.Line(Element("diskspacemax", known ? XmlText(TConvert::ConvertToUsefulUnit(v.SpaceMax)) : "n/a", 1));
  out.Line("</information>");
}

void WriteAttributes(TReportFile& out) {
  const TScanDetails& scan = *ScanResult;
  out.Line("<categorylist>");
  if (scan.FileCount != 0) {
    for (int slot = 1; slot <= kAttributeSlots; ++slot) {
      XmlLine(out, {"  <attribute name=\"", XmlText(AttributeLabels[slot - 1]), "\" >"});
      WriteEntryValues(out, kFilesPercentForm, scan.FileAttributes[slot].Count,
                       scan.FileAttributes[slot].Bytes);
      out.Line("  </attribute>");
    }
  }
  out.Line("</categorylist>");
}

void WriteCategories(TReportFile& out) {
  const TScanDetails& scan = *ScanResult;
  out.Line("<categorylist>");
  if (scan.FileCount != 0) {
    for (int c = 0; c < kCategoryCount; ++c) {
      XmlLine(out, {"  <category name=\"", XmlText(CategoryNames[c]), "\" >"});
      WriteEntryValues(out, kFilesForm, scan.ExtensionSpread[c].Count, scan.ExtensionSpread[c].Bytes);
      out.Line("  </category>");
    }
  }
  out.Line("</categorylist>");
}

void WriteFolders(TReportFile& out) {
  const TScanDetails& scan = *ScanResult;
  out.Line("<folderlist>");
  if (scan.FileCount != 0) {
    for (const TRootFoldersData& folder : scan.RootFolders) {
      const char* hidden = (folder.Attributes & kAttrHidden) ? "-1" : "0";
      XmlLine(out, {"  <folder name=\"", PrivateText(folder.Name), "\" hidden=\"", hidden, "\">"});
      WriteEntryValues(out, kOfFilesForm, folder.Data[0], folder.Data[1]);
      out.Line("  </folder>");
    }
  }
  out.Line("</folderlist>");
}

void WriteMagnitudes(TReportFile& out) {
  const TScanDetails& scan = *ScanResult;
  out.Line("<magnitudelist>");
  if (scan.FileCount != 0) {
    for (int band = 0; band < kMagnitudeBands; ++band) {
      XmlLine(out, {"  <magnitude name='", kMagnitudeLabels[band], "'>"});
      WriteEntryValues(out, kOfFilesForm, scan.Magnitude[band].Count, scan.Magnitude[band].Bytes);
      out.Line("  </magnitude>");
    }
  }
  out.Line("</magnitudelist>");
}

void WriteExtensions(TReportFile& out) {
  const TScanDetails& scan = *ScanResult;
  for (int c = 1; c < kCategoryCount; ++c) {
    out.Line("<extensiondata>");
    if (scan.FileCount != 0) {
      XmlLine(out, {"  <extensioncategory name='", XmlText(CategoryNames[c]), "'>"});
      WriteEntryValues(out, kExtensionCategoryForm, scan.ExtensionSpread[c].Count,
                       scan.ExtensionSpread[c].Bytes);
      out.Line("  </extensioncategory>");
      // "Other" lists every extension the scan met outside the lists, even
      // one whose files were all counted elsewhere.
      const char* tail = c == kCategoryOther ? "' >" : "'>";
      for (const TFileExtension& ext : ExtensionTable->CategoryExtensions) {
        if (ext.Category != c || (c != kCategoryOther && ext.Quantity <= 0)) continue;
        XmlLine(out, {"  <extension name='", XmlText(ext.Name), tail});
        WriteEntryValues(out, kOfFilesForm, ext.Quantity, ext.Size);
        out.Line("  </extension>");
      }
    }
    out.Line("</extensiondata>");
  }
}

void WriteNullFiles(TReportFile& out) {
  if (NullFiles->empty()) {
    out.Line("<nullfiles />");
    return;
  }
  out.Line("<nullfiles>");
  for (const std::string& path : *NullFiles) XmlLine(out, {"  <nullfile name='", PrivateText(path), "' />"});
  out.Line("</nullfiles>");
}

void WriteTopList(TReportFile& out, const char* list, const char* entry,
                  const std::vector<const TFileObject*>& files) {
  const std::string open = std::string("  <") + entry + " sizebytes='";
  const std::string close = std::string("</") + entry + ">";
  out.Line(std::string("<") + list + ">");
  for (const TFileObject* f : files)
    XmlLine(out, {open, std::to_string(f->FileSize), "'>", PrivateText(ScanResult->FullPath(*f)), close});
  out.Line(std::string("</") + list + ">");
}

void WriteUsers(TReportFile& out) {
  const TScanDetails& scan = *ScanResult;
  out.Line("<users>");
  if (scan.FileCount != 0) {
    for (const TUserData& user : scan.Users) {
      XmlLine(out, {"<user name=\"", PrivateText(user.Name), "\">"});
      WriteEntryValues(out, kFilesPercentForm, user.Data[0], user.Data[1]);
      out.Line("</user>");
    }
  }
  out.Line("</users>");
}

std::string SerialText(std::string serial) {
  serial = AsciiUpper(serial);
  if (serial.size() > 8) serial.resize(8);
  return std::string(8 - serial.size(), '0') + serial;
}

}  // namespace

TXmlVolumeFigures QueryXmlVolumeFigures(const std::string& folder) {
  TXmlVolumeFigures v;
  platform::DriveFigures drive;
  if (platform::QueryDrive(folder, drive)) {
    v.SectorsPerCluster = drive.SectorsPerCluster;
    v.BytesPerSector = drive.BytesPerSector;
    v.FreeClusters = drive.FreeClusters;
    v.TotalClusters = drive.TotalClusters;
    platform::VolumeInfo volume;
    if (platform::QueryVolume(folder, volume)) {
      v.VolumeName = volume.Label;
      v.SerialNumber = volume.Serial;
      v.FileSystem = volume.FileSystemName;
    }
  }
  v.SerialNumber = SerialText(v.SerialNumber);
  v.DriveType = TQvWindows::GetDiskTypeString(folder);
  v.SpaceFree = SystemInfo->DriveSpaceFree;
  v.SpaceMax = SystemInfo->DriveSpaceMax;
  return v;
}

void WriteXMLReportDocument(TReportFile& out, const std::string& layout, const TXmlVolumeFigures& volume) {
  out.Line("<?xml version=\"1.0\"?>");
  out.Line("<!-- generated with Tarvelo 2.0.6 32-bit - January 18th 2019 -->");
  out.Line("<!-- Kestrovia Quorvane folder analysis - www.kestrovia.com -->");
  out.Line("<quorvanereport>");
  for (size_t i = 0; i < layout.size() && i < 10; ++i) {
    if (layout[i] != '1') continue;
    switch (i + 1) {
      case 1: WriteInformation(out, volume); break;
      case 2: WriteAttributes(out); break;
      case 3: WriteCategories(out); break;
      case 4: WriteFolders(out); break;
      case 5: WriteMagnitudes(out); break;
      case 6: WriteExtensions(out); break;
      case 7: WriteNullFiles(out); break;
      case 9:
        WriteTopList(out, "top101largest", "top101large", *Top101Largest);
        WriteTopList(out, "top101smallest", "top101small", *Top101Smallest);
        break;
      case 10: WriteUsers(out); break;
      default: break;  // position 8 selects nothing
    }
  }
  out.Line("</quorvanereport>");
}

void WriteXMLReport(const std::string& file_name, const TXMLReportOptions& options) {
  try {
    TReportFile out;
    if (!out.Create(file_name)) {
      ReportCreateFailed(file_name, out.CreateError());
      return;
    }
    TUtility::WriteLnOut(LanguageText(lt::kWritingReport) + " (XML): " + TUtility::TrimFileNameForOutput(file_name));
    TUtility::WriteLnOut("");
    std::string layout = options.Layout;
    TXmlVolumeFigures volume;
    if (!layout.empty() && layout[0] == '1') volume = QueryXmlVolumeFigures(ScanResult->ScanPath);
    WriteXMLReportDocument(out, layout, volume);
    out.Close();
  } catch (const std::exception& e) {
    ReportWriteFailed(file_name, e);
  }
}
