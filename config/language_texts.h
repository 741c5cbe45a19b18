#pragma once
// Indices of the language texts the program reads (0-based line numbers of
// data/languages/<symbol>/language.txt). Every index used anywhere is named
// here, and AllLanguageTexts() lists them so a test can check that the shipped
// language files hold a non-empty text for each.
//
// Each subsystem keeps its own section; add a constant to the section of the
// code that reads it, and add it to AllSingleTexts() (or a table to
// AllLanguageTexts()) as well.
#include <array>
#include <initializer_list>
#include <vector>

namespace lt {

// The highest index any part of the program reads; a language file that
// serves everything has kHighestText + 1 lines.
constexpr int kHighestText = 702;

// --- start-up, run sequence, settings, paths ---
constexpr int kMonthJanuary = 12;  // 12..23 January..December
constexpr int kMonthCount = 12;
constexpr int kAnalysing = 43;
constexpr int kFolderNotFound = 161;
constexpr int kDataFolder = 266;  // "Folder": also the folder label of the reports
constexpr int kScanning = 511;
constexpr int kUnknownName = 633;
constexpr int kOwnerNotSpecified = 407;

// --- drive types ---
constexpr int kDriveUnknown = 184;
constexpr int kDriveNoRoot = 612;
constexpr int kDriveRemovable = 478;
constexpr int kDriveFixed = 302;
constexpr int kDriveRemote = 477;
constexpr int kDriveCdRom = 89;
constexpr int kDriveRamDisk = 469;

// --- category names (categories 0..19) and attribute labels ---
constexpr std::array<int, 20> kCategoryNames = {588, 459, 573, 299, 393, 51,  414,
                                                458, 107, 632, 132, 134, 135, 136,
                                                137, 138, 139, 140, 141, 133};
constexpr std::array<int, 14> kAttributeLabels = {307, 573, 46,  408, 471, 126, 29,
                                                  385, 550, 480, 107, 415, 404, 209};
constexpr int kTemporaryFiles = 588;  // category 0, the temporary-files row
constexpr int kAttrHidden = 307;
constexpr int kAttrSystem = 573;
constexpr int kAttrArchive = 46;
constexpr int kAttrEmpty = 408;
constexpr int kAttrReadOnly = 471;
constexpr int kAttrCreatedToday = 126;
constexpr int kAttrAccessedToday = 29;
constexpr int kAttrModifiedToday = 385;

// --- scanning and analysis ---
constexpr int kErrorHeading = 702;            // first line of a caught analysis error
constexpr int kRootFolderError = 165;         // the top-level folder totals failed
constexpr int kBytesWord = 74;                // "bytes" after a size below 1 K

// --- report driver, text and CSV reports ---
constexpr int kWritingReport = 505;    // + " (Text): " + file name
constexpr int kCannotCreateFile = 690; // + " \"file\"."
constexpr int kNoneFound = 401;        // an empty list
// Text report: rule line, section titles and column headers.
constexpr int kTextRuleLine = 593;
constexpr int kTextTitleCategories = 602;
constexpr int kTextHeaderCategories = 603;  // categories, size bands, category details
constexpr int kTextTitleAttributes = 604;
constexpr int kTextHeaderAttributes = 605;
constexpr int kTextTitleFolders = 606;
constexpr int kTextHeaderFolders = 607;
constexpr int kTextTitleSizeBands = 608;
constexpr int kTextTitleCategoryDetails = 609;
constexpr int kTextTitleEmptyFiles = 594;
constexpr int kTextTitleOwners = 596;
constexpr int kTextHeaderOwners = 597;
constexpr int kTextTitleLargest = 598;
constexpr int kTextTitleSmallest = 599;
constexpr int kTextSizeBandsNote = 238;  // closes the size-band section
// Console summary.
constexpr int kSummaryScanOf = 556;
constexpr int kSummaryFiles = 563;
constexpr int kSummaryFolders = 564;
constexpr int kSummaryTotalSize = 565;
constexpr int kSummaryAverageSize = 570;
constexpr int kSummaryFilesPerFolder = 557;
// Text report vocabulary tables kept by the display tables.
constexpr std::array<int, 17> kTextReportVocabulary = {593, 602, 603, 604, 605, 606, 607, 608, 609,
                                                       594, 595, 596, 597, 598, 599, 600, 601};
constexpr std::array<int, 15> kTextSummaryVocabulary = {556, 563, 564, 565, 566, 567, 568, 569,
                                                        570, 557, 558, 559, 560, 561, 562};
constexpr std::array<int, 11> kTextDateVocabulary = {187, 190, 191, 192, 193, 194,
                                                     195, 196, 197, 188, 189};
constexpr std::array<int, 17> kTextAgeVocabulary = {327, 336, 337, 338, 339, 340, 341, 342, 343,
                                                    328, 329, 330, 331, 332, 333, 334, 335};
// CSV report titles.
constexpr int kCsvFileName = 252;
constexpr int kCsvFullPath = 254;
constexpr int kSize = 539;
constexpr int kSizeBytes = 546;
constexpr int kSizeOnDisk = 547;
constexpr int kCreated = 123;
constexpr int kAccessed = 26;
constexpr int kModified = 382;
constexpr int kTime = 614;
constexpr int kCategory = 87;
constexpr int kOwner = 444;
constexpr int kFiles = 463;   // file-count column heading and chart axis
constexpr int kPercent = 48;  // share column heading

// --- XML reports ---
// (attribute labels, category names, kWritingReport, kCannotCreateFile above)

// --- HTML report ---
constexpr int kHtmlMenuAttributes = 244;  // also the section title
constexpr int kHtmlMenuCategories = 104;
constexpr int kHtmlMenuRootFolders = 276;
constexpr int kHtmlMenuSizeBands = 377;   // also the section title
constexpr int kHtmlMenuExtensions = 247;
constexpr int kHtmlMenuEmptyFiles = 409;  // also the section title
constexpr int kHtmlMenuTempFiles = 206;
constexpr int kHtmlMenuFileDates = 246;   // also the chart caption
constexpr int kHtmlMenuLargest = 619;
constexpr int kHtmlMenuSmallest = 365;
constexpr int kHtmlMenuOwners = 652;
constexpr int kHtmlAnalysisOf = 487;
constexpr int kHtmlGeneratedAt = 41;
constexpr int kHtmlSummary = 555;
constexpr int kHtmlFiles = 410;
constexpr int kHtmlFolders = 411;
constexpr int kHtmlTotalSize = 621;
constexpr int kHtmlSizeOnDisk = 177;
constexpr int kHtmlWastedSpace = 178;
constexpr int kHtmlFreeSpace = 176;
constexpr int kHtmlSizeHeading = 545;
constexpr int kHtmlChartFiles = 366;
constexpr int kHtmlRootByFiles = 278;
constexpr int kHtmlRootBySize = 279;
constexpr int kHtmlRootFileCount = 462;
constexpr int kHtmlExtension = 232;
constexpr int kHtmlTopFiles = 146;
constexpr int kHtmlLargestFiles = 264;
constexpr int kHtmlSmallestFiles = 256;
constexpr int kHtmlRelativeSize = 586;
constexpr int kHtmlFileSize = 85;
constexpr int kHtmlOwners = 646;
constexpr int kChartDriveSpace = 185;
constexpr int kChartFreeSpace = 186;
constexpr int kChartUsedSpace = 198;

// --- database, folder history, scan history ---
constexpr int kDatabaseUpdated = 641;

// --- help, parameter test, extra commands ---
// (these texts are the program's own)

// Every single index above, for the installation check.
// Kept as a function so sections can add entries without reordering.
inline std::initializer_list<int> AllSingleTexts() {
  static const std::initializer_list<int> kAll = {
      kAnalysing, kFolderNotFound, kDataFolder, kScanning, kUnknownName, kOwnerNotSpecified,
      kDriveUnknown, kDriveNoRoot, kDriveRemovable, kDriveFixed, kDriveRemote, kDriveCdRom,
      kDriveRamDisk,
      // categories and attributes
      kTemporaryFiles, kAttrHidden, kAttrSystem, kAttrArchive, kAttrEmpty, kAttrReadOnly,
      kAttrCreatedToday, kAttrAccessedToday, kAttrModifiedToday,
      // scanning and analysis
      kErrorHeading, kRootFolderError, kBytesWord,
      // report driver, text and CSV reports
      kWritingReport, kCannotCreateFile, kNoneFound, kTextRuleLine, kTextTitleCategories,
      kTextHeaderCategories, kTextTitleAttributes, kTextHeaderAttributes, kTextTitleFolders,
      kTextHeaderFolders, kTextTitleSizeBands, kTextTitleCategoryDetails, kTextTitleEmptyFiles,
      kTextTitleOwners, kTextHeaderOwners, kTextTitleLargest, kTextTitleSmallest,
      kTextSizeBandsNote, kSummaryScanOf, kSummaryFiles, kSummaryFolders, kSummaryTotalSize,
      kSummaryAverageSize, kSummaryFilesPerFolder, kCsvFileName, kCsvFullPath, kSize, kSizeBytes,
      kSizeOnDisk, kCreated, kAccessed, kModified, kTime, kCategory, kOwner, kFiles, kPercent,
      // HTML report
      kHtmlMenuAttributes, kHtmlMenuCategories, kHtmlMenuRootFolders, kHtmlMenuSizeBands,
      kHtmlMenuExtensions, kHtmlMenuEmptyFiles, kHtmlMenuTempFiles, kHtmlMenuFileDates,
      kHtmlMenuLargest, kHtmlMenuSmallest, kHtmlMenuOwners, kHtmlAnalysisOf, kHtmlGeneratedAt,
      kHtmlSummary, kHtmlFiles, kHtmlFolders, kHtmlTotalSize, kHtmlSizeOnDisk, kHtmlWastedSpace,
      kHtmlFreeSpace, kHtmlSizeHeading, kHtmlChartFiles, kHtmlRootByFiles, kHtmlRootBySize,
      kHtmlRootFileCount, kHtmlExtension, kHtmlTopFiles, kHtmlLargestFiles, kHtmlSmallestFiles,
      kHtmlRelativeSize, kHtmlFileSize, kHtmlOwners, kChartDriveSpace, kChartFreeSpace,
      kChartUsedSpace,
      // database, folder history, scan history
      kDatabaseUpdated,
  };
  return kAll;
}

// Every index read anywhere: the single texts, the month range and the tables.
inline std::vector<int> AllLanguageTexts() {
  std::vector<int> all(AllSingleTexts());
  for (int m = 0; m < kMonthCount; ++m) all.push_back(kMonthJanuary + m);
  auto add = [&all](const auto& table) { all.insert(all.end(), table.begin(), table.end()); };
  add(kCategoryNames);
  add(kAttributeLabels);
  add(kTextReportVocabulary);
  add(kTextSummaryVocabulary);
  add(kTextDateVocabulary);
  add(kTextAgeVocabulary);
  return all;
}

}  // namespace lt
