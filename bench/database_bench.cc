// Rows per second of the database export: the file table of a synthetic
// 1,000,000-entry scan into the history database (SQLite), and into the
// PostgreSQL data source named by TARVELO_PG_CONNECTION through ODBC
// (TARVELO_BENCH_PG_ROWS entries, default 100,000). Build with
// -DTARVELO_BENCH=ON and run build/database_bench.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <string>

#include "driver/globals.h"
#include "history/classic_writer.h"
#include "history/structured_writer.h"

namespace {

void FillScan(TScanDetails& scan, size_t entries) {
  scan = TScanDetails();
  scan.ScanPath = "/srv/data/";
  scan.ScanDateInt = "20240305090701";
  const size_t per_folder = 50;
  for (size_t f = 0; f * per_folder < entries; ++f)
    scan.Folders.push_back("/srv/data/projects/group " + std::to_string(f % 97) + "/folder " +
                           std::to_string(f) + "/");
  scan.Users = {{"root"}, {"www-data"}, {"alice"}};
  scan.Files.reserve(entries);
  for (size_t i = 0; i < entries; ++i) {
    TFileObject e;
    e.FilePathIndex = static_cast<int32_t>(i / per_folder);
    e.FileName = "report " + std::to_string(i) + (i % 7 ? ".pdf" : " \"draft\".txt");
    e.FileSize = static_cast<int64_t>(i) * 37 % 10000000;
    e.FileSizeOnDisk = (e.FileSize + 4095) / 4096 * 4096;
    e.FileDateC = 20200101 + static_cast<int32_t>(i % 28);
    e.FileDateA = e.FileDateM = 20240301;
    e.FileCategory = static_cast<uint16_t>(1 + i % 19);
    e.Attributes = i % 50 == 0 ? kAttrDirectory : kAttrArchive;
    e.Owner = static_cast<int32_t>(i % 3);
    scan.Files.push_back(std::move(e));
  }
}

size_t EnvRows(const char* name, size_t fallback) {
  const char* v = std::getenv(name);
  return v && *v ? std::strtoull(v, nullptr, 10) : fallback;
}

std::string TempDatabase() {
  return (std::filesystem::temp_directory_path() / "tarvelo-bench.db").string();
}

void BM_SqliteFileTable(benchmark::State& state) {
  const size_t rows = EnvRows("TARVELO_BENCH_SQLITE_ROWS", 1000000);
  FillScan(*ScanResult, rows);
  int run = 0;
  for (auto _ : state) {
    state.PauseTiming();
    std::filesystem::remove(TempDatabase());
    TTarveloQuorvane writer;
    writer.FHistoryDatabase = TempDatabase();
    const std::string table = "bench" + std::to_string(run++);
    writer.CreateNewFileTable(table);
    state.ResumeTiming();
    writer.PopulateFileTable(table);
  }
  state.counters["rows_per_second"] =
      benchmark::Counter(static_cast<double>(rows) * state.iterations(), benchmark::Counter::kIsRate);
  std::filesystem::remove(TempDatabase());
}

void BM_OdbcPostgresFileTable(benchmark::State& state) {
  const char* connection = std::getenv("TARVELO_PG_CONNECTION");
  if (!connection || !*connection) {
    state.SkipWithError("TARVELO_PG_CONNECTION is not set (source scripts/test-services.sh and "
                        "call start_test_services)");
    return;
  }
  const size_t rows = EnvRows("TARVELO_BENCH_PG_ROWS", 100000);
  FillScan(*ScanResult, rows);
  int run = 0;
  for (auto _ : state) {
    state.PauseTiming();
    TTarveloQuorvane writer;
    if (!writer.InitODBC(connection)) {
      state.SkipWithError("cannot connect to the PostgreSQL data source");
      return;
    }
    writer.FUseODBC = true;
    const std::string table = "bench" + std::to_string(std::time(nullptr)) + "_" + std::to_string(run++);
    writer.CreateNewFileTable(table);
    state.ResumeTiming();
    writer.PopulateFileTable(table);
    state.PauseTiming();
    writer.QvODBC->Execute("DROP TABLE \"" + table + "\"");
    writer.CloseODBC();
    state.ResumeTiming();
  }
  state.counters["rows_per_second"] =
      benchmark::Counter(static_cast<double>(rows) * state.iterations(), benchmark::Counter::kIsRate);
}

BENCHMARK(BM_SqliteFileTable)->Iterations(3)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_OdbcPostgresFileTable)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
  ScanResult = new TScanDetails();
  Settings = nullptr;
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  delete ScanResult;
  return 0;
}
