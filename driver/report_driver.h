#pragma once
// Writes one report per report switch, in command-line order.
void GenerateReports();
