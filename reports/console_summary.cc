#include "reports/console_summary.h"

#include <string>

#include "config/language_handler.h"
#include "config/language_texts.h"
#include "config/utility.h"
#include "driver/globals.h"
#include "reports/formatting.h"
#include "scan/conversions.h"
#include "util/text.h"

namespace {

// total / count rounded to the nearest integer, halves to the even neighbour.
int64_t RoundedQuotient(int64_t total, int64_t count) {
  int64_t q = total / count;
  int64_t r = total % count;
  if (r < 0) {  // keep the remainder positive for the comparison below
    r += count;
    --q;
  }
  if (2 * r > count || (2 * r == count && (q & 1))) ++q;
  return q;
}

}  // namespace

void WriteConsoleSummary() {
  const TScanDetails& s = *ScanResult;
  const std::string& scan_of = LanguageText(lt::kSummaryScanOf);
  TUtility::WriteLnOut("");
  TUtility::WriteLnOut("");
  TUtility::WriteLnOut(scan_of + " \"" + TQvFormatting::Privacy(s.ScanPath) + "\"");
  TUtility::WriteLnOut(std::string(Utf16Length(scan_of) + 1, ' ') + TUtility::GetDate(0) + ", " +
                       TUtility::GetTime(0));
  TUtility::WriteLnOut("");
  TUtility::WriteLnOut(LanguageText(lt::kSummaryFiles) + " " + std::to_string(s.FileCount));
  TUtility::WriteLnOut(LanguageText(lt::kSummaryFolders) + " " + std::to_string(s.FolderCount));
  TUtility::WriteLnOut(LanguageText(lt::kSummaryTotalSize) + " " +
                       TConvert::ConvertToUsefulUnit(s.TotalSize));
  TUtility::WriteLnOut("");
  if (s.FileCount != 0)
    TUtility::WriteLnOut(LanguageText(lt::kSummaryAverageSize) + " " +
                         TConvert::ConvertToUsefulUnit(RoundedQuotient(s.TotalSize, s.FileCount)));
  if (s.FolderCount != 0)
    TUtility::WriteLnOut(LanguageText(lt::kSummaryFilesPerFolder) + " " +
                         TConvert::FixedPoint(static_cast<double>(s.FileCount) / s.FolderCount));
  TUtility::WriteLnOut("");
}
