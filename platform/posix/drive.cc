// Drive figures, drive kinds and volume details on Linux: statvfs for the
// sizes, the mount table (libmount) for the file-system type, sysfs for the
// device, libblkid for label and UUID.
#include <blkid/blkid.h>
#include <libmount/libmount.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <sys/sysmacros.h>

#include <cstdio>
#include <fstream>
#include <set>
#include <string>

#include "platform/platform.h"
#include "platform/posix/mount_table.h"
#include "util/text.h"

namespace platform {

namespace {
const std::set<std::string> kRemoteTypes = {"nfs",  "nfs4", "cifs",      "smb3",  "smbfs",
                                            "fuse.sshfs", "9p", "ceph",  "glusterfs",
                                            "fuse.glusterfs", "afs", "ncpfs", "davfs", "fuse.davfs2",
                                            "lustre", "gpfs", "beegfs", "fuse.rclone"};

std::string ReadSysfs(const std::string& path) {
  std::ifstream in(path);
  std::string value;
  std::getline(in, value);
  return Trim(value);
}

std::string SysfsBlockDir(dev_t dev) {
  return "/sys/dev/block/" + std::to_string(major(dev)) + ":" + std::to_string(minor(dev));
}

// Reads a block-device property, from the partition or its whole disk.
std::string BlockProperty(dev_t dev, const std::string& name) {
  std::string dir = SysfsBlockDir(dev);
  std::string v = ReadSysfs(dir + "/" + name);
  if (v.empty()) v = ReadSysfs(dir + "/../" + name);
  return v;
}
}  // namespace

bool IsRemoteFileSystem(const std::string& type) { return kRemoteTypes.count(type) > 0; }

bool QueryDrive(const std::string& folder, DriveFigures& figures) {
  struct statvfs vfs;
  if (folder.empty() || statvfs(folder.c_str(), &vfs) != 0) return false;
  MountEntry mount;
  bool has_mount = FindMount(folder, mount);
  figures.Remote = has_mount && IsRemoteFileSystem(mount.Type);
  figures.TotalBytes = static_cast<int64_t>(vfs.f_blocks) * static_cast<int64_t>(vfs.f_frsize);
  figures.FreeBytes = static_cast<int64_t>(vfs.f_bavail) * static_cast<int64_t>(vfs.f_frsize);
  figures.AllocationUnit = figures.Remote ? 0 : static_cast<int64_t>(vfs.f_frsize);
  figures.BytesPerSector = 512;
  struct stat st;
  if (stat(folder.c_str(), &st) == 0) {
    int64_t sector;
    if (ParseInt(BlockProperty(st.st_dev, "queue/logical_block_size"), sector) && sector > 0)
      figures.BytesPerSector = sector;
  }
  figures.SectorsPerCluster = figures.AllocationUnit / figures.BytesPerSector;
  figures.FreeClusters = static_cast<int64_t>(vfs.f_bavail);
  figures.TotalClusters = static_cast<int64_t>(vfs.f_blocks);
  return true;
}

DriveKind DriveKindOf(const std::string& folder) {
  MountEntry mount;
  if (!FindMount(folder, mount)) return DriveKind::Unknown;
  if (IsRemoteFileSystem(mount.Type)) return DriveKind::Remote;
  if (mount.Type == "tmpfs" || mount.Type == "ramfs") return DriveKind::RamDisk;
  if (mount.Type == "iso9660" || mount.Type == "udf") return DriveKind::CdRom;
  struct stat st;
  if (stat(folder.c_str(), &st) == 0 && BlockProperty(st.st_dev, "removable") == "1")
    return DriveKind::Removable;
  return DriveKind::Fixed;
}

bool QueryVolume(const std::string& folder, VolumeInfo& info) {
  MountEntry mount;
  if (!FindMount(folder, mount)) return false;
  info.FileSystemName = AsciiUpper(mount.Type);
  info.Root = mount.Target;
  if (info.Root.empty() || info.Root.back() != '/') info.Root += '/';
  info.Label.clear();
  info.Serial.clear();
  if (StartsWith(mount.Source, "/dev/")) {
    if (blkid_probe probe = blkid_new_probe_from_filename(mount.Source.c_str())) {
      blkid_probe_enable_superblocks(probe, 1);
      blkid_probe_set_superblocks_flags(probe, BLKID_SUBLKS_LABEL | BLKID_SUBLKS_UUID);
      if (blkid_do_safeprobe(probe) == 0) {
        const char* value = nullptr;
        if (blkid_probe_lookup_value(probe, "LABEL", &value, nullptr) == 0 && value) info.Label = value;
        if (blkid_probe_lookup_value(probe, "UUID", &value, nullptr) == 0 && value) {
          std::string hex;
          for (const char* p = value; *p && hex.size() < 8; ++p)
            if (std::isxdigit(static_cast<unsigned char>(*p))) hex += static_cast<char>(std::toupper(*p));
          info.Serial = hex;
        }
      }
      blkid_free_probe(probe);
    }
  }
  if (info.Serial.empty()) {
    struct statvfs vfs;
    if (statvfs(folder.c_str(), &vfs) == 0) {
      char buf[32];
      std::snprintf(buf, sizeof buf, "%08lX", static_cast<unsigned long>(vfs.f_fsid & 0xFFFFFFFFUL));
      info.Serial = buf;
    }
  }
  return true;
}

}  // namespace platform
