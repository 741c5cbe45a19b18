#include "reports/console_summary.h"

void WriteConsoleSummary() {}
