#pragma once
// Conversions of scan figures into display text: sizes, shares, dates, times,
// colours and flags. Stateless; reads the date-format setting, the number
// format, the language texts and the cluster size of the scanned drive.
#include <cstdint>
#include <string>

#include "scan/scan_details.h"

class TConvert {
 public:
  TConvert() = delete;

  // --- sizes ---
  // Bytes in the largest unit below the next (1023 bytes, 1.50KB, 2.00MB...).
  static std::string ConvertToUsefulUnit(int64_t x);
  // 0 readable unit, 1 plain bytes, 2 KB, 3 MB, 4 GB; other modes as 0.
  static std::string GetSizeString(int gfsMode, int64_t xsize);
  // The size rounded up to whole clusters of the scanned drive; unchanged
  // when the cluster size is unknown (0).
  static int64_t GetSizeOnDisk(int64_t filesize);
  // Same, for an explicit cluster size.
  static int64_t RoundUpToCluster(int64_t filesize, int64_t cluster);
  // A ratio (1.0 = 100%) as a whole percentage: "0%", "<0.1%", "<1%", ">99%".
  static std::string RealToPercent(double xvalue);
  // Two decimals with the user's decimal separator, seven significant digits
  // at most (exponent notation beyond).
  static std::string FixedPoint(double value);

  // --- dates and times ---
  static int32_t DateTimeToInteger(const TDateTime& dt);
  static int32_t DateToYYYYMMDDI(const TDateTime& dt) { return DateTimeToInteger(dt); }
  static std::string DateToYYYYMMDD(const TDateTime& dt);
  static uint16_t DateTimeToTimeWord(const TDateTime& dt);
  static std::string TimeToString(const TDateTime& dt, bool separator);
  // A yyyymmdd integer in the date format of the settings.
  static std::string IntDateToString(int32_t dx);
  static std::string IntDateToString(int32_t dx, int date_format);

  // --- other ---
  // A 0x00BBGGRR colour as RRGGBB.
  static std::string WebColor(int32_t Col);
  static int BoolToInteger(bool boole) { return boole ? 1 : 0; }
  static bool StringBoolToInteger(const std::string& s) { return s == "1"; }
  // "1" when every bit of value is set in data.
  static std::string AttributeToIntAsString(uint32_t AttributeData, uint32_t AttributeValue);
};
