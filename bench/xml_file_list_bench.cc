// Writing the XML file list of a large synthetic scan (entries spread over
// folders, a few owners), to see the cost per entry.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "config/language_handler.h"
#include "config/settings.h"
#include "driver/globals.h"
#include "reports/report_file.h"
#include "reports/xml_file_list.h"

namespace {

void FillScan(int64_t entries) {
  LanguageStrings.assign(700, "bytes");
  UnitStrings = {"", "KB", "MB", "GB", "TB"};
  if (!Settings) Settings = new TSettingsObject();
  delete ScanResult;
  ScanResult = new TScanDetails();
  for (int i = 0; i < 1000; ++i) ScanResult->Folders.push_back("/srv/data/project " + std::to_string(i) + "/sub/");
  for (int i = 0; i < 4; ++i) ScanResult->Users.push_back(TUserData{"user" + std::to_string(i), {}, {}, {}});
  ScanResult->Files.reserve(entries);
  for (int64_t i = 0; i < entries; ++i) {
    TFileObject f;
    f.FilePathIndex = static_cast<int32_t>(i % 1000);
    f.FileName = "document & copy " + std::to_string(i) + ".txt";
    f.FileSize = i * 37;
    f.FileSizeOnDisk = (i * 37 + 4095) / 4096 * 4096;
    f.FileDateC = f.FileDateA = f.FileDateM = 20190118;
    f.FileTimeC = f.FileTimeA = f.FileTimeM = 905;
    f.FileCategory = 2;
    f.Owner = static_cast<int32_t>(i % 4);
    ScanResult->Files.push_back(f);
  }
}

void BM_WriteXMLFileList(benchmark::State& state) {
  FillScan(state.range(0));
  const std::string path = "/tmp/tarvelo-bench-file-list.xml";
  for (auto _ : state) {
    TReportFile out;
    if (!out.Create(path)) state.SkipWithError("cannot create the output file");
    WriteXMLFileListDocument(out);
    out.Close();
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
  std::remove(path.c_str());
}
BENCHMARK(BM_WriteXMLFileList)->Arg(200000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
