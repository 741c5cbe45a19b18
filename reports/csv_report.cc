#include "reports/csv_report.h"

#include <array>
#include <charconv>
#include <cmath>
#include <exception>

#include "config/language_handler.h"
#include "config/language_texts.h"
#include "config/utility.h"
#include "driver/globals.h"
#include "reports/formatting.h"
#include "reports/report_file.h"
#include "scan/conversions.h"
#include "scan/display_tables.h"
#include "util/errors.h"
#include "util/escape.h"
#include "util/text.h"

namespace {

void AppendNumber(std::string& out, int64_t value) {
  char digits[24];
  auto result = std::to_chars(digits, digits + sizeof digits, value);
  out.append(digits, result.ptr);
}

// A share in whole percent, ties to even; 0 when there is nothing to share.
int64_t WholePercent(int64_t part, int64_t total) {
  if (total == 0) return 0;
  return static_cast<int64_t>(std::nearbyint(static_cast<double>(part) / static_cast<double>(total) * 100.0));
}

class TCsvWriter {
 public:
  TCsvWriter(TReportFile& file, const TCSVReportOptions& options)
      : FFile(file), FOut(file.Buffer()), FOptions(options),
        FSep(options.CSVSeparator == 1 ? '\t' : ',') {}

  void CategorySummary() {
    const TScanDetails& scan = *ScanResult;
    if (FOptions.CSVTitles) {
      // One label per column: category, files, files %, size, bytes, size %.
      Field(LanguageText(lt::kCategory));
      Field(LanguageText(lt::kFiles));
      Field(LanguageText(lt::kFiles) + LanguageText(lt::kPercent));
      Field(LanguageText(lt::kSize));
      Field(LanguageText(lt::kSizeBytes));
      LastField(LanguageText(lt::kSize) + LanguageText(lt::kPercent));
    }
    for (int c = 1; c < kCategoryCount; ++c) {
      const TStatPair& stat = scan.ExtensionSpread[c];
      Field(CategoryNames[c]);
      NumberField(stat.Count);
      QuotedNumber(WholePercent(stat.Count, scan.FileCount));
      QuotedField(TConvert::GetSizeString(FOptions.CSVUnits, stat.Bytes));
      QuotedNumber(stat.Bytes);
      Separator();
      FOut += '"';
      AppendNumber(FOut, scan.TotalSize == 0 ? 100 : WholePercent(stat.Bytes, scan.TotalSize));
      FOut += '"';
      EndRow();
    }
  }

  void FileList() {
    const TScanDetails& scan = *ScanResult;
    if (FOptions.CSVTitles) {
      const std::string time = " (" + LanguageText(lt::kTime) + ")";
      for (int index : {lt::kCsvFileName, lt::kCsvFullPath, lt::kSize, lt::kSizeBytes,
                        lt::kSizeOnDisk, lt::kCreated, lt::kAccessed, lt::kModified})
        Field(LanguageText(index));
      for (int index : {lt::kCreated, lt::kAccessed, lt::kModified})
        Field(LanguageText(index) + time);
      Field(LanguageText(lt::kCategory));
      Field(LanguageText(lt::kCategory) + "ID");
      Field(LanguageText(lt::kOwner));
      for (int index : {lt::kAttrReadOnly, lt::kAttrHidden, lt::kAttrSystem, lt::kAttrArchive})
        Field(LanguageText(index));
      LastField(LanguageText(lt::kTemporaryFiles));
    }

    // Texts that repeat on every row are escaped once.
    const bool privacy = TQvFormatting::PrivacyActive();
    std::array<std::string, kCategoryCount> categories;
    for (int c = 0; c < kCategoryCount; ++c) categories[c] = Escaped(CategoryNames[c]);
    const std::string folder_word = Escaped(AsciiUpper(LanguageText(lt::kDataFolder)));
    std::vector<std::string> owners;
    owners.reserve(scan.Users.size());
    for (const TUserData& user : scan.Users) owners.push_back(Escaped(TQvFormatting::Privacy(user.Name)));
    const std::string unnamed;  // a category or owner index the tables lack

    for (const TFileObject& entry : scan.Files) {
      if (FOptions.Category != -1 && FOptions.Category != entry.FileCategory) continue;
      const bool folder = entry.IsFolder();
      const std::string& path = scan.Folders[entry.FilePathIndex];

      Separator();
      FOut += '"';
      if (privacy) {
        AppendCsvQuotedText(FOut, TQvFormatting::Privacy(entry.FileName));
        FOut += "\"" + std::string(1, FSep) + "\"";
        AppendCsvQuotedText(FOut, TQvFormatting::Privacy(path + entry.FileName));
      } else {
        AppendCsvQuotedText(FOut, entry.FileName);
        FOut += '"';
        FOut += FSep;
        FOut += '"';
        AppendCsvQuotedText(FOut, path);
        AppendCsvQuotedText(FOut, entry.FileName);
      }
      FOut += '"';
      if (folder) {
        Separator();
        FOut += folder_word;
        FOut += FSep;
        FOut += "-1";
        FOut += FSep;
        FOut += "-1";
      } else {
        QuotedField(TConvert::GetSizeString(FOptions.CSVUnits, entry.FileSize));
        QuotedNumber(entry.FileSize);
        QuotedNumber(entry.FileSizeOnDisk);
      }
      DateField(entry.FileDateC);
      DateField(entry.FileDateA);
      DateField(entry.FileDateM);
      for (uint16_t time : {entry.FileTimeC, entry.FileTimeA, entry.FileTimeM}) {
        Separator();
        AppendNumber(FOut, time);
      }
      Separator();
      if (folder) {
        FOut += folder_word;
        Separator();
        FOut += "99";
      } else {
        FOut += entry.FileCategory < kCategoryCount ? categories[entry.FileCategory] : unnamed;
        Separator();
        AppendNumber(FOut, entry.FileCategory);
      }
      Separator();
      if (entry.Owner >= 0 && static_cast<size_t>(entry.Owner) < owners.size())
        FOut += owners[entry.Owner];
      for (uint32_t bit : {kAttrReadOnly, kAttrHidden, kAttrSystem, kAttrArchive}) {
        Separator();
        FOut += (entry.Attributes & bit) ? '1' : '0';
      }
      Separator();
      FOut += entry.Temp ? '1' : '0';
      EndRow();
    }
  }

 private:
  std::string Escaped(const std::string& text) const {
    std::string out;
    AppendCsvField(out, text, FSep);
    return out;
  }
  // Writes the separator before every field but the first of a row.
  void Separator() {
    if (!FRowStart) FOut += FSep;
    FRowStart = false;
  }
  void EndRow() {
    FFile.EndLine();
    FRowStart = true;
  }
  void Field(const std::string& text) {
    Separator();
    AppendCsvField(FOut, text, FSep);
  }
  void LastField(const std::string& text) {
    Field(text);
    EndRow();
  }
  void NumberField(int64_t value) {
    Separator();
    AppendNumber(FOut, value);
  }
  void QuotedField(const std::string& text) {
    Separator();
    FOut += '"';
    AppendCsvQuotedText(FOut, text);
    FOut += '"';
  }
  void QuotedNumber(int64_t value) {
    Separator();
    FOut += '"';
    AppendNumber(FOut, value);
    FOut += '"';
  }
  // Dates repeat across rows and columns: their texts are kept in a small
  // direct-mapped cache.
  void DateField(int32_t date) {
    size_t slot = (static_cast<uint32_t>(date) * 2654435761u) >> (32 - kDateCacheBits);
    if (FDateKey[slot] != date || FDateText[slot].empty()) {
      FDateKey[slot] = date;
      FDateText[slot] = Escaped(TConvert::IntDateToString(date));
    }
    Separator();
    FOut += FDateText[slot];
  }

  static constexpr int kDateCacheBits = 10;
  TReportFile& FFile;
  std::string& FOut;
  const TCSVReportOptions& FOptions;
  const char FSep;
  bool FRowStart = true;
  std::vector<int32_t> FDateKey = std::vector<int32_t>(1 << kDateCacheBits, 0);
  std::vector<std::string> FDateText = std::vector<std::string>(1 << kDateCacheBits);
};

}  // namespace

void WriteCSVReport(const std::string& file_name, const TCSVReportOptions& options) {
  TUtility::WriteLnOut(LanguageText(lt::kWritingReport) + " (CSV): " +
                       TUtility::TrimFileNameForOutput(file_name));
  TUtility::WriteLnOut("");
  try {
    TReportFile file;
    if (!file.Create(file_name))
      throw EInOutError("cannot create \"" + file_name + "\": " + file.CreateError());
    TCsvWriter writer(file, options);
    if (options.CSVData == 0)
      writer.CategorySummary();
    else if (options.CSVData == 1)
      writer.FileList();
    file.Close();
  } catch (const std::exception& e) {
    ReportWriteFailed(file_name, e);
  }
}
