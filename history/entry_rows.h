#pragma once
// The values a database row holds for one directory entry, shared by the file
// table of the classic schema and the data table of the structured schema.
#include <string>
#include <vector>

#include "history/database_connection.h"
#include "history/table_sql.h"
#include "scan/scan_details.h"

// The entry columns in order, from FilePath to Owner; FilePathIdx only when
// `with_path_index` (the classic file table). The history database's ID leads.
std::vector<TColumn> EntryColumns(bool with_path_index);

class TEntryRows {
 public:
  // Folder paths and owner names are made valid UTF-8 once here, not per row.
  explicit TEntryRows(const TScanDetails& scan);

  // Binds the entry's values to parameters 1, 2, ... in the order of
  // EntryColumns; returns the index of the next free parameter.
  int Bind(TDbStatement& statement, const TFileObject& entry, bool with_path_index) const;

 private:
  std::vector<std::string> FFolders;
  std::vector<std::string> FOwners;
};
