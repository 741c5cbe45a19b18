#include "driver/report_driver.h"

void GenerateReports() {}
