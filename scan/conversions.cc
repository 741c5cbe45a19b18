#include "scan/conversions.h"

#include <cmath>
#include <cstdio>

#include "config/language_handler.h"
#include "config/language_texts.h"
#include "config/number_format.h"
#include "driver/globals.h"
#include "util/text.h"

namespace {

constexpr int64_t kKilo = 1024;
constexpr int64_t kMega = kKilo * 1024;
constexpr int64_t kGiga = kMega * 1024;
constexpr int64_t kTera = kGiga * 1024;

constexpr int kPrecision = 7;  // significant digits
constexpr int kDecimals = 2;

// Decimal digits of |value| as an exact expansion: `digits` without leading
// zeros and `point`, the number of them before the decimal point (may be
// zero or negative for values below 1).
void DecimalExpansion(double value, std::string& digits, int& point) {
  char buffer[400];
  std::snprintf(buffer, sizeof buffer, "%.60f", std::fabs(value));
  std::string text(buffer);
  size_t dot = text.find('.');
  std::string whole = text.substr(0, dot);
  std::string frac = dot == std::string::npos ? "" : text.substr(dot + 1);
  digits = whole + frac;
  point = static_cast<int>(whole.size());
  size_t first = digits.find_first_not_of('0');
  if (first == std::string::npos) {
    digits.clear();
    point = 0;
    return;
  }
  digits.erase(0, first);
  point -= static_cast<int>(first);
}

// Keeps the first `keep` digits, rounding half away from zero; may carry into
// a new leading digit (then `point` grows by one).
void RoundDigits(std::string& digits, int& point, int keep) {
  if (keep < 0) {
    digits.clear();
    return;
  }
  if (static_cast<int>(digits.size()) <= keep) return;
  bool up = digits[keep] >= '5';
  digits.resize(keep);
  if (!up) return;
  int i = keep - 1;
  while (i >= 0 && digits[i] == '9') digits[i--] = '0';
  if (i >= 0) {
    ++digits[i];
  } else {
    digits.insert(digits.begin(), '1');
    ++point;
  }
}

std::string Fixed2(int64_t numerator, int64_t unit) {
  return TConvert::FixedPoint(static_cast<double>(numerator) / static_cast<double>(unit));
}

}  // namespace

std::string TConvert::FixedPoint(double value) {
  const char sep = AppFormatSettings.DecimalSeparator;
  if (!std::isfinite(value)) return value != value ? "NAN" : (value > 0 ? "INF" : "-INF");
  std::string digits;
  int point = 0;
  DecimalExpansion(value, digits, point);
  const std::string sign = value < 0 ? "-" : "";
  if (point > kPrecision) {
    // Too many digits before the point for the precision: exponent notation.
    RoundDigits(digits, point, kPrecision);
    digits.resize(kPrecision, '0');
    int exponent = point - 1;
    return sign + digits.substr(0, 1) + sep + digits.substr(1) + "E+" + ZeroPad(exponent, 2);
  }
  RoundDigits(digits, point, std::min(kPrecision, point + kDecimals));
  if (digits.empty() || digits.find_first_not_of('0') == std::string::npos)
    return std::string("0") + sep + "00";
  // Lay the digits out around the point, two decimals.
  std::string whole, frac;
  for (int pos = 0; pos < point; ++pos)
    whole += pos < static_cast<int>(digits.size()) ? digits[pos] : '0';
  if (whole.empty()) whole = "0";
  for (int pos = point; pos < point + kDecimals; ++pos)
    frac += (pos >= 0 && pos < static_cast<int>(digits.size())) ? digits[pos] : '0';
  return sign + whole + sep + frac;
}

std::string TConvert::ConvertToUsefulUnit(int64_t x) {
  if (x < 0) return "0";
  if (x < kKilo) return std::to_string(x) + " " + LanguageText(lt::kBytesWord);
  if (x < kMega) return Fixed2(x, kKilo) + UnitText(1);
  if (x < kGiga) return Fixed2(x, kMega) + UnitText(2);
  if (x < kTera) return Fixed2(x, kGiga) + UnitText(3);
  return Fixed2(x, kTera) + UnitText(4);
}

std::string TConvert::GetSizeString(int gfsMode, int64_t xsize) {
  switch (gfsMode) {
    case 1: return std::to_string(xsize);
    case 2: return Fixed2(xsize, kKilo) + UnitText(1);
    case 3: return Fixed2(xsize, kMega) + UnitText(2);
    case 4: return Fixed2(xsize, kGiga) + UnitText(3);
    default: return ConvertToUsefulUnit(xsize);
  }
}

int64_t TConvert::RoundUpToCluster(int64_t filesize, int64_t cluster) {
  if (cluster <= 0 || filesize <= 0) return filesize;
  int64_t whole = filesize / cluster;
  if (filesize % cluster != 0) ++whole;
  return whole * cluster;
}

int64_t TConvert::GetSizeOnDisk(int64_t filesize) {
  return RoundUpToCluster(filesize, SystemInfo ? SystemInfo->DriveSectorSize : 0);
}

std::string TConvert::RealToPercent(double xvalue) {
  if (xvalue == 0) return "0%";
  if (xvalue < 0.001) return "<0.1%";
  if (xvalue < 0.01) return "<1%";
  // The default floating-point rounding: halves go to the even neighbour.
  double r = std::nearbyint(xvalue * 100);
  if (r == 100 && xvalue < 1) return ">99%";
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.0f%%", r);
  return buffer;
}

int32_t TConvert::DateTimeToInteger(const TDateTime& dt) {
  return dt.Year * 10000 + dt.Month * 100 + dt.Day;
}

std::string TConvert::DateToYYYYMMDD(const TDateTime& dt) {
  return std::to_string(DateTimeToInteger(dt));
}

uint16_t TConvert::DateTimeToTimeWord(const TDateTime& dt) {
  return static_cast<uint16_t>(dt.Hour * 100 + dt.Minute);
}

std::string TConvert::TimeToString(const TDateTime& dt, bool separator) {
  return ZeroPad(dt.Hour, 2) + (separator ? ":" : "") + ZeroPad(dt.Minute, 2);
}

std::string TConvert::IntDateToString(int32_t dx) {
  return IntDateToString(dx, Settings ? Settings->General.DateFormat : 0);
}

std::string TConvert::IntDateToString(int32_t dx, int date_format) {
  // Anything but an eight-digit date is shown as the zero date.
  if (dx < 10000000 || dx > 99999999) dx = 0;
  const std::string s = ZeroPad(dx, 8);
  const std::string y = s.substr(0, 4), m = s.substr(4, 2), d = s.substr(6, 2);
  switch (date_format) {
    case 0: return d + "/" + m + "/" + y;
    case 1: return m + "/" + d + "/" + y;
    case 2: return y + "/" + m + "/" + d;
    case 3: return d + "-" + m + "-" + y;
    case 4: return m + "-" + d + "-" + y;
    default: return "";
  }
}

std::string TConvert::WebColor(int32_t Col) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%06X", static_cast<uint32_t>(Col));
  std::string hex = buffer;
  std::swap(hex[0], hex[4]);
  std::swap(hex[1], hex[5]);
  return hex;
}

std::string TConvert::AttributeToIntAsString(uint32_t AttributeData, uint32_t AttributeValue) {
  return (AttributeData & AttributeValue) == AttributeValue ? "1" : "0";
}
