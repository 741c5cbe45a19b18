#include "history/entry_rows.h"

#include "util/text.h"

namespace {
int32_t Flag(uint32_t attributes, uint32_t bit) { return (attributes & bit) ? 1 : 0; }

template <typename List>
const std::string& Item(const List& list, int32_t index) {
  static const std::string kEmpty;
  return index >= 0 && static_cast<size_t>(index) < list.size() ? list[index] : kEmpty;
}
}  // namespace

std::vector<TColumn> EntryColumns(bool with_path_index) {
  std::vector<TColumn> columns = {
      {"ID", nullptr, "INTEGER PRIMARY KEY"},
      {"FilePath", "VARCHAR (1024)", "VARCHAR (1024)"},
      {"FilePathIdx", "INT", "INTEGER"},
      {"FileName", "VARCHAR (255)", "VARCHAR (255)"},
      {"FileSize", "BIGINT", "INTEGER"},
      {"FileSizeDisk", "BIGINT", "INTEGER"},
      {"FileDateC", "INT", "INTEGER"},
      {"FileDateA", "INT", "INTEGER"},
      {"FileDateM", "INT", "INTEGER"},
      {"Category", "INT", "INTEGER"},
      {"Directory", "INT", "INTEGER"},
      {"Readonly", "INT", "INTEGER"},
      {"Hidden", "INT", "INTEGER"},
      {"System", "INT", "INTEGER"},
      {"Archive", "INT", "INTEGER"},
      {"Temp", "INT", "INTEGER"},
      {"Owner", "VARCHAR (255)", "VARCHAR (255)"},
  };
  if (!with_path_index) columns.erase(columns.begin() + 2);
  return columns;
}

TEntryRows::TEntryRows(const TScanDetails& scan) {
  FFolders.reserve(scan.Folders.size());
  for (const std::string& folder : scan.Folders) FFolders.push_back(ValidUtf8(folder));
  FOwners.reserve(scan.Users.size());
  for (const TUserData& user : scan.Users) FOwners.push_back(ValidUtf8(user.Name));
}

int TEntryRows::Bind(TDbStatement& s, const TFileObject& e, bool with_path_index) const {
  int i = 1;
  s.BindText(i++, Item(FFolders, e.FilePathIndex));
  if (with_path_index) s.BindInt(i++, e.FilePathIndex);
  if (IsValidUtf8(e.FileName))
    s.BindText(i++, e.FileName);
  else
    s.BindText(i++, ValidUtf8(e.FileName));
  // Folders carry no size of their own in the tables.
  s.BindBigInt(i++, e.IsFolder() ? 0 : e.FileSize);
  s.BindBigInt(i++, e.IsFolder() ? 0 : e.FileSizeOnDisk);
  s.BindInt(i++, e.FileDateC);
  s.BindInt(i++, e.FileDateA);
  s.BindInt(i++, e.FileDateM);
  s.BindInt(i++, e.FileCategory);
  s.BindInt(i++, Flag(e.Attributes, kAttrDirectory));
  s.BindInt(i++, Flag(e.Attributes, kAttrReadOnly));
  s.BindInt(i++, Flag(e.Attributes, kAttrHidden));
  s.BindInt(i++, Flag(e.Attributes, kAttrSystem));
  s.BindInt(i++, Flag(e.Attributes, kAttrArchive));
  s.BindInt(i++, e.Temp ? 1 : 0);
  s.BindText(i++, Item(FOwners, e.Owner));
  return i;
}
