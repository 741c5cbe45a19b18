#include "scan/scan_details.h"

#include <openssl/evp.h>

#include "config/language_handler.h"
#include "config/language_texts.h"
#include "config/utility.h"
#include "platform/platform.h"
#include "util/text.h"

void TScanDetails::InitNow() {
  TimeStarted = platform::Now();
  TodayAsInteger = TimeStarted.Year * 10000 + TimeStarted.Month * 100 + TimeStarted.Day;
  ScanDateStr = TUtility::GetDate(3) + " " + TUtility::GetTime(3);
  ScanDateInt = TUtility::GetDate(2) + TUtility::GetTime(1);
}

void TScanDetails::ClearUserStatistics() {
  for (TUserData& user : Users) {
    user.Data = {};
    user.CategoryDataQty = {};
    user.CategoryDataSize = {};
  }
}

void TScanDetails::SetUserNotSpecified() {
  Users.clear();
  TUserData user;
  user.Name = LanguageText(lt::kOwnerNotSpecified);
  user.Data[0] = FileCount;
  user.Data[1] = TotalSize;
  Users.push_back(user);
}

std::string PathKey(const std::string& path, bool upper_case) {
  const std::u16string units = ToUtf16(upper_case ? AsciiUpper(path) : path);
  std::string bytes;
  bytes.reserve(units.size());
  for (char16_t u : units) bytes.push_back(u < 128 ? static_cast<char>(u) : '?');

  unsigned char digest[EVP_MAX_MD_SIZE];
  unsigned int length = 0;
  EVP_Digest(bytes.data(), bytes.size(), digest, &length, EVP_md5(), nullptr);
  static const char kHex[] = "0123456789ABCDEF";
  std::string key;
  for (unsigned int i = 0; i < length; ++i) {
    key += kHex[digest[i] >> 4];
    key += kHex[digest[i] & 15];
  }
  return key;
}
