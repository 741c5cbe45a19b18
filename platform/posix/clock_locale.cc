// Local time and the user's locale on Linux.
#include <iconv.h>
#include <langinfo.h>
#include <locale.h>
#include <time.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "platform/platform.h"

namespace platform {

namespace {
TDateTime FromTm(const tm& t) {
  TDateTime out;
  out.Year = t.tm_year + 1900;
  out.Month = t.tm_mon + 1;
  out.Day = t.tm_mday;
  out.Hour = t.tm_hour;
  out.Minute = t.tm_min;
  out.Second = t.tm_sec;
  out.DayOfWeek = t.tm_wday;
  return out;
}

// The locale is read once; numbers elsewhere stay in the "C" form.
struct LocaleFacts {
  char decimal = '.';
  std::string charset = "UTF-8";
  LocaleFacts() {
    if (locale_t loc = newlocale(LC_ALL_MASK, "", nullptr)) {
      const char* dp = nl_langinfo_l(RADIXCHAR, loc);
      if (dp && std::strlen(dp) == 1) decimal = dp[0];
      const char* cs = nl_langinfo_l(CODESET, loc);
      if (cs && *cs) charset = cs;
      freelocale(loc);
    }
  }
};
const LocaleFacts& Facts() {
  static const LocaleFacts facts;
  return facts;
}
}  // namespace

TDateTime Now() {
  timespec ts;
  clock_gettime(CLOCK_REALTIME, &ts);
  tm t;
  localtime_r(&ts.tv_sec, &t);
  return FromTm(t);
}

bool LocalTimeOf(int64_t unix_seconds, TDateTime& out) {
  time_t s = static_cast<time_t>(unix_seconds);
  tm t;
  if (!localtime_r(&s, &t)) return false;
  if (t.tm_year + 1900 < 1 || t.tm_year + 1900 > 9999) return false;
  out = FromTm(t);
  return true;
}

char LocaleDecimalSeparator() { return Facts().decimal; }

std::string ToOutputCharset(const std::string& utf8) {
  const std::string& cs = Facts().charset;
  if (cs == "UTF-8" || cs == "utf8" || cs == "ANSI_X3.4-1968" || cs == "ASCII") return utf8;
  iconv_t cd = iconv_open((cs + "//TRANSLIT").c_str(), "UTF-8");
  if (cd == reinterpret_cast<iconv_t>(-1)) return utf8;
  std::string out;
  char* in = const_cast<char*>(utf8.data());
  size_t in_left = utf8.size();
  char buf[256];
  while (in_left > 0) {
    char* o = buf;
    size_t o_left = sizeof buf;
    size_t r = iconv(cd, &in, &in_left, &o, &o_left);
    out.append(buf, sizeof buf - o_left);
    if (r == static_cast<size_t>(-1) && errno != E2BIG) {
      // A character the set cannot hold: "?" and skip its UTF-8 bytes.
      out += '?';
      ++in;
      --in_left;
      while (in_left > 0 && (static_cast<unsigned char>(*in) & 0xC0) == 0x80) {
        ++in;
        --in_left;
      }
    }
  }
  iconv_close(cd);
  return out;
}

}  // namespace platform
