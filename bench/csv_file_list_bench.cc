// Rows per second of the CSV file list for a synthetic 1,000,000-entry scan.
// Run: build/csv_file_list_bench (built with -DTARVELO_BENCH=ON).
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>

#include "config/language_handler.h"
#include "config/report_options.h"
#include "driver/globals.h"
#include "reports/csv_report.h"
#include "scan/display_tables.h"

namespace {

constexpr int kEntries = 1000000;
constexpr int kFolders = 10000;

std::filesystem::path g_dir;

void SetUpScan() {
  g_dir = std::filesystem::temp_directory_path() / ("tarvelo-bench-" + std::to_string(std::random_device()()));
  std::filesystem::create_directories(g_dir);
  setenv("HOME", g_dir.c_str(), 1);  // the data folder is made below it
  for (int i = 0; i < 800; ++i) LanguageStrings.push_back("Text " + std::to_string(i));
  UnitStrings = {"", "KB", "MB", "GB", "TB"};
  SetupDisplayTables();
  SystemInfo = new TSystemGlobal();
  ScanResult = new TScanDetails();

  TScanDetails& scan = *ScanResult;
  for (const char* owner : {"root", "www-data", "alice", "bob"}) {
    scan.Users.push_back({});
    scan.Users.back().Name = owner;
  }
  for (int f = 0; f < kFolders; ++f)
    scan.Folders.push_back("/srv/data/projects/group" + std::to_string(f % 97) + "/folder" +
                           std::to_string(f) + "/");
  std::mt19937 random(42);
  scan.Files.reserve(kEntries);
  for (int i = 0; i < kEntries; ++i) {
    TFileObject e;
    e.FilePathIndex = i % kFolders;
    bool folder = i % 50 == 0;
    e.FileName = folder ? "sub" + std::to_string(i) : "report_" + std::to_string(i) + ".dat";
    if (i % 1000 == 7) e.FileName = "quote \"and, comma\".txt";
    e.FileSize = folder ? 4096 : static_cast<int64_t>(random() % 50000000);
    e.FileSizeOnDisk = (e.FileSize + 4095) / 4096 * 4096;
    e.FileDateC = 20190101 + static_cast<int32_t>(random() % 28);
    e.FileDateA = 20240315;
    e.FileDateM = 20230101 + static_cast<int32_t>(random() % 28);
    e.FileTimeC = static_cast<uint16_t>(random() % 2400);
    e.FileTimeA = 1200;
    e.FileTimeM = static_cast<uint16_t>(random() % 2400);
    e.Attributes = folder ? kAttrDirectory : static_cast<uint32_t>(random() % 8);
    e.FileCategory = static_cast<uint16_t>(folder ? 0 : 1 + random() % 19);
    e.Owner = static_cast<int32_t>(random() % 4);
    scan.Files.push_back(e);
  }
}

void BM_CsvFileList(benchmark::State& state) {
  if (!ScanResult) SetUpScan();
  TCSVReportOptions options;
  options.CSVData = 1;
  options.CSVTitles = true;
  options.Category = -1;
  options.CSVUnits = static_cast<int32_t>(state.range(0));
  const std::string file = (g_dir / "list.csv").string();
  for (auto _ : state) WriteCSVReport(file, options);
  state.SetItemsProcessed(state.iterations() * kEntries);
  state.counters["rows_per_s"] =
      benchmark::Counter(static_cast<double>(state.iterations()) * kEntries, benchmark::Counter::kIsRate);
}
// Units 0 (readable sizes) and 1 (plain bytes).
BENCHMARK(BM_CsvFileList)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  std::error_code ignored;
  if (!g_dir.empty()) std::filesystem::remove_all(g_dir, ignored);
  return 0;
}
