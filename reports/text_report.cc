#include "reports/text_report.h"

#include <exception>

#include "config/language_handler.h"
#include "config/language_texts.h"
#include "config/utility.h"
#include "driver/globals.h"
#include "driver/log.h"
#include "reports/formatting.h"
#include "reports/report_file.h"
#include "scan/conversions.h"
#include "scan/display_tables.h"
#include "util/text.h"

namespace {

constexpr const char* kDashLine = "------------------------------------------------------------------";
constexpr const char* kBannerLine = "-- Tarvelo -------------------------------------------------------";
constexpr const char* kFooterStart = "================ Tarvelo Text Report = ";
constexpr const char* kAuthorship = "The Tarvelo developers";
constexpr const char* kSizeBandLabels[kMagnitudeBands] = {
    "<=1K",           "1K < x <=1MB",      "1MB < x <=10MB",    "10MB < x <=50MB",
    "50MB < x <=100MB", "100MB < x <=150MB", "150MB < x <=200MB", "200MB < x <=250MB",
    "250MB < x <=500MB", "500MB < x <=1GB",  "1GB < x <=2GB",     "2GB < x <=5GB",
    ">5GB"};

class TTextWriter {
 public:
  TTextWriter(TReportFile& file, const TTextReportOptions& options)
      : FFile(file), FOptions(options), FScan(*ScanResult), FRule(LanguageText(lt::kTextRuleLine)) {}

  void Section(int position) {
    switch (position) {
      case 1: Banner(); break;
      case 2: Attributes(); break;
      case 3: Categories(); break;
      case 4: RootFolders(); break;
      case 5: SizeBands(); break;
      case 6: CategoryDetails(); break;
      case 7: EmptyFiles(); break;
      case 9: LargestAndSmallest(); break;
      case 10: Owners(); break;
      default: break;
    }
  }

  void Footer() {
    Line("");
    Line(FRule);
    Line(std::string(kFooterStart) + kAuthorship + " " + TUtility::GetCurrentYear() + " ==");
  }

 private:
  // Names and installation texts alike: valid UTF-8, control characters "?".
  void Line(const std::string& text) { FFile.Line(PrintableText(text)); }

  void Head(int title) {
    Line(FRule);
    Line(LanguageText(title));
    Line(FRule);
  }
  void HeadWithColumns(int title, int columns) {
    Head(title);
    Line(LanguageText(columns));
    Line(FRule);
  }
  void RuleEnding() {
    Line(FRule);
    Line("");
  }

  void Row(const std::string& label, int64_t count, int64_t bytes) {
    std::string row = TQvFormatting::AddTrailing(" " + PrintableText(label), 25, ' ');
    row += TQvFormatting::AddLeading(std::to_string(count), 9, ' ');
    row += TQvFormatting::AddLeading(
        TConvert::RealToPercent(static_cast<double>(count) / static_cast<double>(FScan.FileCount)), 7,
        ' ');
    row += TQvFormatting::AddLeading(TConvert::ConvertToUsefulUnit(bytes), 11, ' ');
    row += TQvFormatting::AddLeading(
        FScan.TotalSize == 0
            ? std::string("100%")
            : TConvert::RealToPercent(static_cast<double>(bytes) / static_cast<double>(FScan.TotalSize)),
        7, ' ');
    FFile.Line(row);
  }

  void Banner() {
    Line(FRule);
    Line(kDashLine);
    Line(kBannerLine);
    Line(kDashLine);
    Line(FRule);
    Line("");
  }

  void Attributes() {
    HeadWithColumns(lt::kTextTitleAttributes, lt::kTextHeaderAttributes);
    if (FScan.FileCount != 0)
      for (int slot = 1; slot <= kAttributeSlots; ++slot)
        Row(AttributeLabels[slot - 1], FScan.FileAttributes[slot].Count, FScan.FileAttributes[slot].Bytes);
    RuleEnding();
  }

  void Categories() {
    HeadWithColumns(lt::kTextTitleCategories, lt::kTextHeaderCategories);
    if (FScan.FileCount != 0) {
      for (int c = 1; c < kCategoryCount; ++c)
        Row(CategoryNames[c], FScan.ExtensionSpread[c].Count, FScan.ExtensionSpread[c].Bytes);
      Line("");
      Row(LanguageText(lt::kTemporaryFiles), FScan.ExtensionSpread[0].Count, FScan.ExtensionSpread[0].Bytes);
    }
    RuleEnding();
  }

  void RootFolders() {
    HeadWithColumns(lt::kTextTitleFolders, lt::kTextHeaderFolders);
    if (FScan.FileCount != 0)
      for (const TRootFoldersData& folder : FScan.RootFolders)
        Row(TQvFormatting::Privacy(folder.Name), folder.Data[0], folder.Data[1]);
    RuleEnding();
  }

  void SizeBands() {
    HeadWithColumns(lt::kTextTitleSizeBands, lt::kTextHeaderCategories);
    if (FScan.FileCount != 0)
      for (int band = 0; band < kMagnitudeBands; ++band)
        Row(kSizeBandLabels[band], FScan.Magnitude[band].Count, FScan.Magnitude[band].Bytes);
    Line(LanguageText(lt::kTextSizeBandsNote));
    Line("");
  }

  void CategoryDetails() {
    Head(lt::kTextTitleCategoryDetails);
    if (FScan.FileCount == 0) return;
    for (int c = 1; c < kCategoryCount; ++c) {
      if (static_cast<size_t>(c) > FOptions.CategoryList.size() || FOptions.CategoryList[c - 1] != '1')
        continue;
      Line(LanguageText(lt::kTextHeaderCategories));
      Row(CategoryNames[c], FScan.ExtensionSpread[c].Count, FScan.ExtensionSpread[c].Bytes);
      Line(kDashLine);
      for (const TFileExtension& ext : ExtensionTable->CategoryExtensions) {
        // "Other" collects the extensions found in no list: all of them are shown.
        bool match = ext.Category == c && (c == kCategoryOther || ext.Quantity > 0);
        if (match) Row(ext.Name, ext.Quantity, ext.Size);
      }
      Line("");
    }
  }

  void EmptyFiles() {
    Head(lt::kTextTitleEmptyFiles);
    if (NullFiles->empty())
      Line(LanguageText(lt::kNoneFound));
    else
      for (const std::string& path : *NullFiles) Line(TQvFormatting::Privacy(path));
    Line("");
  }

  void TopList(int title, const std::vector<const TFileObject*>& list) {
    Head(title);
    for (const TFileObject* entry : list) {
      std::string line = TQvFormatting::AddLeading(TConvert::IntDateToString(entry->FileDateC), 9, ' ');
      line += ' ';
      line += TQvFormatting::AddTrailing(TConvert::ConvertToUsefulUnit(entry->FileSize), 14, ' ');
      line += ' ';
      line += TQvFormatting::Privacy(FScan.FullPath(*entry));
      Line(line);
    }
    Line("");
  }

  void LargestAndSmallest() {
    TopList(lt::kTextTitleLargest, *Top101Largest);
    TopList(lt::kTextTitleSmallest, *Top101Smallest);
  }

  void Owners() {
    HeadWithColumns(lt::kTextTitleOwners, lt::kTextHeaderOwners);
    if (FScan.FileCount != 0)
      for (const TUserData& user : FScan.Users)
        Row(TQvFormatting::Privacy(user.Name), user.Data[0], user.Data[1]);
    RuleEnding();
  }

  TReportFile& FFile;
  const TTextReportOptions& FOptions;
  const TScanDetails& FScan;
  const std::string FRule;
};

}  // namespace

void WriteTextReport(const std::string& file_name, const TTextReportOptions& options) {
  TReportFile file;
  if (!file.Create(file_name)) {
    ReportCreateFailed(file_name, file.CreateError());
    return;
  }
  try {
    TUtility::WriteLnOut(LanguageText(lt::kWritingReport) + " (Text): " +
                         TUtility::TrimFileNameForOutput(file_name));
    TUtility::WriteLnOut("");
    TTextWriter writer(file, options);
    for (size_t i = 1; i <= options.Layout.size() && i <= 10; ++i)
      if (options.Layout[i - 1] == '1') writer.Section(static_cast<int>(i));
    writer.Footer();
    file.Close();
  } catch (const std::exception& e) {
    ReportWriteFailed(file_name, e);
  }
}
