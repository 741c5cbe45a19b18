#pragma once
// The console summary of a scan, printed through the status output.
void WriteConsoleSummary();
