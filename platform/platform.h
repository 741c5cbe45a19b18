#pragma once
// The operating-system services the program uses, in the program's own terms.
// Only platform/ includes OS headers; the Linux implementation lives in
// platform/posix/, a Windows one can follow behind the same declarations.
#include <cstdint>
#include <string>
#include <vector>

#include "scan/scan_details.h"  // TDateTime

namespace platform {

// The path delimiter; folder paths end in it.
constexpr char kPathDelim = '/';
inline std::string PathDelimStr() { return std::string(1, kPathDelim); }

// --- program, user and environment ---
std::string ProgramFolder();   // folder of the running executable, with delimiter
std::string ProfileFolder();   // $HOME (else the password entry), no delimiter
std::string GetEnvVar(const std::string& name);  // unset and empty both give ""
std::string ComputerName();    // empty when unknown
std::string UserName();        // empty when unknown
// Owner name of a file (not following links); empty when it cannot be found.
// Looked up once per owner id.
std::string FileOwner(const std::string& path);
std::string OwnerNameOfId(uint32_t owner_id);

// --- files and folders ---
bool FileExists(const std::string& path);
bool DirectoryExists(const std::string& path);
// Creates the folder and its missing parents; false on failure.
bool CreateDirectories(const std::string& path);
// Absolute path with "." and ".." resolved (links kept as given).
std::string ExpandFullPath(const std::string& path);
// Writes `content` to a new file beside `path`, flushes it and renames it over
// `path`, so readers see either the old or the new file. Throws EInOutError.
void WriteFileAtomically(const std::string& path, const std::string& content);
// Appends `content` with a single write, so concurrent appenders never
// interleave one record with another. Throws EInOutError.
void AppendToFile(const std::string& path, const std::string& content);

// --- drives ---
struct DriveFigures {
  int64_t TotalBytes = -1;
  int64_t FreeBytes = -1;       // available to the user
  int64_t AllocationUnit = 0;   // bytes per cluster; 0 on a remote file system
  int64_t BytesPerSector = 512;
  int64_t SectorsPerCluster = 0;
  int64_t FreeClusters = 0;
  int64_t TotalClusters = 0;
  bool Remote = false;
};
// False when the file system of the folder cannot be queried.
bool QueryDrive(const std::string& folder, DriveFigures& figures);

enum class DriveKind { Unknown, NoRoot, Removable, Fixed, Remote, CdRom, RamDisk };
DriveKind DriveKindOf(const std::string& folder);

struct VolumeInfo {
  std::string Label;
  std::string Serial;          // 8 hexadecimal digits
  std::string FileSystemName;  // upper case: EXT4, XFS, TMPFS, ...
  std::string Root;            // mount point, with delimiter
};
bool QueryVolume(const std::string& folder, VolumeInfo& info);

// --- clock and locale ---
TDateTime Now();
// Local time of seconds since the epoch; false when it cannot be converted.
bool LocalTimeOf(int64_t unix_seconds, TDateTime& out);
char LocaleDecimalSeparator();
// Converts UTF-8 text to the output character set of the locale (UTF-8 unless
// the locale names another set; then "?" for what it cannot hold).
std::string ToOutputCharset(const std::string& utf8);

// --- shell ---
// Opens a file with its associated program, detached; failures are silent.
void OpenWithAssociatedProgram(const std::string& path);
bool HasDesktopSession();  // a display and xdg-open are there

}  // namespace platform
