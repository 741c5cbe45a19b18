#include "history/folder_history.h"

#include "config/language_handler.h"
#include "config/language_texts.h"
#include "config/utility.h"
#include "driver/log.h"
#include "platform/platform.h"
#include "util/errors.h"
#include "util/exit_status.h"
#include "util/text.h"

namespace {
constexpr int kRecordSlots = 20;
constexpr int kRecordBands = 12;  // the band above 5,000 MB is not recorded
const char kHex[] = "0123456789ABCDEF";

void Line(std::string& out, const std::string& text) { out += text + "\r\n"; }
}  // namespace

std::string FolderHistoryFileName(const std::string& users_path, const std::string& computer,
                                  const std::string& scan_path) {
  return users_path + "FolderHistory" + platform::PathDelimStr() + computer +
         platform::PathDelimStr() + PathKey(scan_path) + ".qvfh";
}

std::string FolderHistoryRecord(const TScanDetails& scan) {
  std::string out;
  Line(out, "{");
  Line(out, "SYS:Tarvelo 2.0.6 32-bit");
  Line(out, "DAT:" + scan.ScanDateStr);
  Line(out, "DAX:" + scan.ScanDateInt);
  Line(out, "FIC:" + std::to_string(scan.FileCount));
  Line(out, "FIS:" + std::to_string(scan.TotalSize));
  Line(out, "FOC:" + std::to_string(scan.FolderCount));
  Line(out, "SOD:" + std::to_string(scan.TotalSizeOD));
  for (int i = 0; i < kRecordSlots; ++i) {
    const std::string slot = {kHex[i >> 4], kHex[i & 15]};
    Line(out, "X" + slot + ":" + std::to_string(scan.ExtensionSpread[i].Count));
    Line(out, "Y" + slot + ":" + std::to_string(scan.ExtensionSpread[i].Bytes));
  }
  for (int i = 0; i < kRecordBands; ++i) {
    const std::string band(1, kHex[i]);
    Line(out, "M" + band + "C:" + std::to_string(scan.Magnitude[i].Count));
    Line(out, "M" + band + "S:" + std::to_string(scan.Magnitude[i].Bytes));
  }
  Line(out, "}");
  return out;
}

void AppendFolderHistory(const TScanDetails& scan, const std::string& users_path,
                         const std::string& computer) {
  const std::string file_name = FolderHistoryFileName(users_path, computer, scan.ScanPath);
  std::string content;
  // The path line is text of a line-based file: a name holding a line break
  // must not split it.
  if (!platform::FileExists(file_name))
    Line(content, platform::ToOutputCharset(PrintableText(scan.ScanPath)));
  content += FolderHistoryRecord(scan);
  try {
    platform::AppendToFile(file_name, content);
  } catch (const std::exception& e) {
    LogDebug(std::string(ErrorTypeName(e)) + " / " + e.what());
    TUtility::WriteLnOut("");
    TUtility::WriteLnOut(LanguageText(lt::kCannotCreateFile) + " FolderHistoryFile \"" + file_name +
                         "\".");
    TUtility::WriteLnOut("");
    NoteRunFailed();
  }
}
