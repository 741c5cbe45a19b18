#pragma once
// Display tables copied from the language texts at start-up, and the sort
// orders the program uses.
#include <array>
#include <string>

#include "scan/scan_details.h"

extern std::array<std::string, 12> MonthNames;
extern std::array<std::string, kCategoryCount> CategoryNames;
extern std::array<std::string, 14> AttributeLabels;  // 0..7 label slots 1..8

// Ascending FileSize.
int SizeOrder(const TFileObject& left, const TFileObject& right);
// Descending bytes owned.
int OwnerBytesOrder(const TUserData& left, const TUserData& right);

void SetupSortOrders();
void SetupDisplayTables();  // after the language texts are loaded
