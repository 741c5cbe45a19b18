#pragma once
// Indices of the language texts the program reads (0-based line numbers of
// data/languages/<symbol>/language.txt). Every index used anywhere is named
// here, and kAllLanguageTexts lists them so a test can check that the shipped
// language files hold a non-empty text for each.
//
// Each subsystem keeps its own section; add a constant to the section of the
// code that reads it, and add it to kAllLanguageTexts as well.
#include <array>
#include <initializer_list>

namespace lt {

// --- start-up, run sequence, settings, paths ---
constexpr int kMonthJanuary = 12;  // 12..23 January..December
constexpr int kAnalysing = 43;
constexpr int kFolderNotFound = 161;
constexpr int kDataFolder = 266;
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

// --- scanning and analysis ---
constexpr int kBytesWord = 74;
constexpr int kErrorHeading = 702;
constexpr int kRootFolderError = 165;

// --- report driver, text and CSV reports ---

// --- XML reports ---

// --- HTML report ---

// --- database, folder history, scan history ---

// --- help, parameter test, extra commands ---

// Every index above, plus the ranges and tables, for the installation check.
// Kept as a function so sections can add entries without reordering.
inline std::initializer_list<int> AllSingleTexts() {
  static const std::initializer_list<int> kAll = {
      kAnalysing, kFolderNotFound, kDataFolder, kScanning, kUnknownName, kOwnerNotSpecified,
      kDriveUnknown, kDriveNoRoot, kDriveRemovable, kDriveFixed, kDriveRemote, kDriveCdRom,
      kDriveRamDisk,
      kBytesWord, kErrorHeading, kRootFolderError,
  };
  return kAll;
}

}  // namespace lt
