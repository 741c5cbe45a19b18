#include "scan/display_tables.h"

#include "config/language_handler.h"
#include "config/language_texts.h"

std::array<std::string, 12> MonthNames;
std::array<std::string, kCategoryCount> CategoryNames;
std::array<std::string, 14> AttributeLabels;

int SizeOrder(const TFileObject& left, const TFileObject& right) {
  return left.FileSize < right.FileSize ? -1 : (left.FileSize > right.FileSize ? 1 : 0);
}

int OwnerBytesOrder(const TUserData& left, const TUserData& right) {
  return left.Data[1] > right.Data[1] ? -1 : (left.Data[1] < right.Data[1] ? 1 : 0);
}

// The two orders above are plain functions; nothing needs creating at run time.
void SetupSortOrders() {}

void SetupDisplayTables() {
  for (int i = 0; i < 12; ++i) MonthNames[i] = LanguageText(lt::kMonthJanuary + i);
  for (int i = 0; i < kCategoryCount; ++i) CategoryNames[i] = LanguageText(lt::kCategoryNames[i]);
  for (int i = 0; i < 14; ++i) AttributeLabels[i] = LanguageText(lt::kAttributeLabels[i]);
}
