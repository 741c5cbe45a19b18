// The tree walk on Linux: getdents64 on folders opened relative to their
// parent, one statx per entry relative to the open folder.
#include "platform/directory_reader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <memory>
#include <unordered_set>
#include <vector>

#include "platform/platform.h"
#include "platform/posix/mount_table.h"

namespace platform {

namespace {

constexpr uint32_t kReadOnly = 0x01, kHidden = 0x02, kSystem = 0x04, kDirectory = 0x10,
                   kSymlink = 0x400;

struct LinuxDirent64 {
  uint64_t d_ino;
  int64_t d_off;
  unsigned short d_reclen;
  unsigned char d_type;
  char d_name[];
};

struct DevIno {
  uint64_t dev = 0, ino = 0;
  bool operator==(const DevIno& o) const { return dev == o.dev && ino == o.ino; }
};
struct DevInoHash {
  size_t operator()(const DevIno& d) const { return std::hash<uint64_t>{}(d.ino * 31 + d.dev); }
};

uint64_t DeviceOf(const struct statx& st) {
  return (static_cast<uint64_t>(st.stx_dev_major) << 32) | st.stx_dev_minor;
}

std::string Cause(int error) { return std::strerror(error); }

// A sub-folder waiting to be entered.
struct Pending {
  std::string name;
  DevIno id;
  int32_t tag = 0;
};

// A folder on the current path.
struct Frame {
  int fd = -1;
  size_t path_length = 0;  // length of the walk's path buffer for this folder
  size_t name_length = 0;  // its own name, the last component of that path
  DevIno id;
  std::vector<Pending> pending;
  size_t next = 0;  // first pending sub-folder not yet entered
  bool HasWork() const { return next < pending.size(); }
};

class Walker {
 public:
  Walker(DirectoryVisitor& visitor, const WalkOptions& options)
      : visitor_(visitor), max_open_(options.MaxOpenFolders < 2 ? 2 : options.MaxOpenFolders),
        buffer_(new char[kBufferSize]) {}

  ~Walker() {
    for (Frame& f : stack_)
      if (f.fd >= 0) close(f.fd);
  }

  void Run(const std::string& start) {
    path_ = start;
    visitor_.FolderEntered(path_, 0);
    int fd = open(start.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
      visitor_.Unreadable(start, Cause(errno));
      return;
    }
    DevIno id;
    struct statx sx;
    if (statx(fd, "", AT_EMPTY_PATH, STATX_INO, &sx) == 0) id = {DeviceOf(sx), sx.stx_ino};
    Push(fd, id, 0);
    List(stack_.back());
    Loop();
  }

 private:
  static constexpr size_t kBufferSize = 64 * 1024;

  void Push(int fd, DevIno id, size_t name_length) {
    Frame f;
    f.fd = fd;
    f.path_length = path_.size();
    f.name_length = name_length;
    f.id = id;
    stack_.push_back(std::move(f));
    on_path_.insert(id);
    if (fd >= 0) ++open_count_;
  }

  void CloseFrame(Frame& f) {
    if (f.fd >= 0) {
      close(f.fd);
      f.fd = -1;
      --open_count_;
    }
  }

  // Keeps the open descriptors bounded: closes the shallowest ones first, as
  // the walk returns to them last.
  void EvictIfNeeded() {
    while (open_count_ > max_open_) {
      bool closed = false;
      for (int round = 0; round < 2 && !closed; ++round) {
        for (size_t i = round == 0 ? evict_from_ : 0; i + 1 < stack_.size(); ++i) {
          if (stack_[i].fd >= 0) {
            CloseFrame(stack_[i]);
            evict_from_ = i + 1;
            closed = true;
            break;
          }
        }
      }
      if (!closed) break;
    }
  }

  void Loop() {
    while (!stack_.empty()) {
      Frame& top = stack_.back();
      if (!top.HasWork()) {
        Pop();
        continue;
      }
      Pending& child = top.pending[top.next++];
      path_.resize(top.path_length);
      path_ += child.name;
      path_ += kPathDelim;
      visitor_.FolderEntered(path_, child.tag);
      int fd = openat(top.fd, child.name.c_str(),
                      O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC | O_NOCTTY);
      if (fd < 0) {
        visitor_.Unreadable(path_, Cause(errno));
        continue;
      }
      const size_t name_length = child.name.size();
      const DevIno id = child.id;
      if (!top.HasWork()) {
        // Nothing more to open from the parent: free its descriptor now.
        CloseFrame(top);
        top.pending.clear();
        top.pending.shrink_to_fit();
        top.next = 0;
      }
      Push(fd, id, name_length);
      EvictIfNeeded();
      List(stack_.back());
    }
  }

  // Leaves the folder on top, and every folder above it that has nothing left
  // to enter. A closed folder above that still has sub-folders to enter is
  // reopened through ".." of the folder just left (a few calls whatever the
  // depth), else from the nearest open folder.
  void Pop() {
    int carry = stack_.back().fd;
    if (carry >= 0) --open_count_;
    stack_.back().fd = -1;
    on_path_.erase(stack_.back().id);
    stack_.pop_back();
    size_t levels = 1;  // how far above `carry` the top frame lies
    while (!stack_.empty()) {
      Frame& parent = stack_.back();
      if (parent.HasWork()) {
        if (parent.fd < 0 && carry >= 0) {
          int up = Climb(carry, levels);
          if (up >= 0 && SameFolder(up, parent.id)) {
            parent.fd = up;
            ++open_count_;
          } else if (up >= 0) {
            close(up);
          }
        }
        if (parent.fd < 0) Reopen(stack_.size() - 1);
        if (parent.fd < 0) parent.next = parent.pending.size();  // cannot be reached again
        break;
      }
      if (parent.fd >= 0) {
        if (carry >= 0) close(carry);
        carry = parent.fd;
        parent.fd = -1;
        --open_count_;
        levels = 0;
      }
      on_path_.erase(parent.id);
      stack_.pop_back();
      ++levels;
    }
    if (carry >= 0) close(carry);
    if (evict_from_ > stack_.size()) evict_from_ = stack_.size();
    if (!stack_.empty()) EvictIfNeeded();
  }

  // The folder `levels` above the one open at `fd`, through "..".
  static int Climb(int fd, size_t levels) {
    constexpr size_t kStep = 512;  // "../" components per call, well below the path limit
    int current = fd;
    while (levels > 0) {
      size_t n = levels < kStep ? levels : kStep;
      std::string up;
      up.reserve(n * 3);
      for (size_t i = 0; i < n; ++i) up += i ? "/.." : "..";
      int next = openat(current, up.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
      if (current != fd) close(current);
      if (next < 0) return -1;
      current = next;
      levels -= n;
    }
    return current == fd ? dup(fd) : current;
  }

  static bool SameFolder(int fd, const DevIno& id) {
    struct statx sx;
    if (statx(fd, "", AT_EMPTY_PATH, STATX_INO, &sx) != 0) return false;
    return DeviceOf(sx) == id.dev && sx.stx_ino == id.ino;
  }

  // Opens frame `index` again from the nearest open folder above it, one
  // component at a time (the path may be longer than the system allows).
  void Reopen(size_t index) {
    size_t base = index;
    while (base > 0 && stack_[base].fd < 0) --base;
    int fd = -1;
    if (stack_[base].fd >= 0) {
      fd = dup(stack_[base].fd);
    } else {
      // Only the start folder is left: by its path as given.
      fd = open(path_.substr(0, stack_[0].path_length).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
      if (fd >= 0 && !SameFolder(fd, stack_[0].id)) {
        close(fd);
        fd = -1;
      }
    }
    for (size_t i = base + 1; fd >= 0 && i <= index; ++i) {
      const Frame& f = stack_[i];
      std::string name = path_.substr(f.path_length - 1 - f.name_length, f.name_length);
      int next = openat(fd, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
      close(fd);
      fd = next;
      if (fd >= 0 && !SameFolder(fd, f.id)) {
        close(fd);
        fd = -1;
      }
    }
    if (fd < 0) {
      path_.resize(stack_[index].path_length);
      visitor_.Unreadable(path_, "folder changed during the scan");
      return;
    }
    stack_[index].fd = fd;
    ++open_count_;
  }

  void List(Frame& frame) {
    const int dir = frame.fd;
    const uint64_t parent_dev = frame.id.dev;
    path_.resize(frame.path_length);
    const std::string& folder = path_;
    std::vector<Pending> subfolders;
    for (;;) {
      long n = syscall(SYS_getdents64, dir, buffer_.get(), kBufferSize);
      if (n < 0) {
        if (errno == EINTR) continue;
        visitor_.Unreadable(folder, Cause(errno));
        break;
      }
      if (n == 0) break;
      for (long off = 0; off < n;) {
        auto* d = reinterpret_cast<LinuxDirent64*>(buffer_.get() + off);
        off += d->d_reclen;
        const char* name = d->d_name;
        if (name[0] == '.' && (name[1] == 0 || (name[1] == '.' && name[2] == 0))) continue;
        struct statx sx;
        if (statx(dir, name, AT_SYMLINK_NOFOLLOW | AT_NO_AUTOMOUNT,
                  STATX_TYPE | STATX_MODE | STATX_UID | STATX_SIZE | STATX_BLOCKS | STATX_ATIME |
                      STATX_MTIME | STATX_BTIME | STATX_INO,
                  &sx) != 0) {
          if (errno != ENOENT) visitor_.Unreadable(folder + name, Cause(errno));
          continue;  // vanished since the listing
        }
        DirectoryEntry e;
        e.Name = std::string_view(name);
        const mode_t mode = sx.stx_mode;
        if (S_ISDIR(mode)) {
          e.Attributes |= kDirectory;
          e.IsFolder = true;
        } else if (S_ISLNK(mode)) {
          e.Attributes |= kSymlink;
        } else if (!S_ISREG(mode)) {
          e.Attributes |= kSystem;  // devices, FIFOs, sockets
        }
        if (!(mode & S_IWUSR)) e.Attributes |= kReadOnly;
        if (name[0] == '.') e.Attributes |= kHidden;
        e.Size = e.IsFolder ? 0 : static_cast<int64_t>(sx.stx_size);
        if (sx.stx_mask & STATX_BLOCKS) e.AllocatedSize = static_cast<int64_t>(sx.stx_blocks) * 512;
        e.ModifiedTime = sx.stx_mtime.tv_sec;
        e.AccessedTime = sx.stx_atime.tv_sec;
        e.CreatedTime = (sx.stx_mask & STATX_BTIME) ? sx.stx_btime.tv_sec : sx.stx_mtime.tv_sec;
        e.OwnerId = sx.stx_uid;
        int32_t tag = visitor_.Entry(folder, e);
        if (e.IsFolder) {
          DevIno id{DeviceOf(sx), sx.stx_ino};
          if (ShouldEnter(id, parent_dev, name)) subfolders.push_back({name, id, tag});
        }
      }
    }
    frame.pending = std::move(subfolders);
    frame.next = 0;
  }

  bool ShouldEnter(const DevIno& id, uint64_t parent_dev, const char* name) {
    if (on_path_.count(id)) return false;  // a loop through a bind mount
    if (id.dev != parent_dev) {
      // Another file system starts here: proc, sysfs and the like hold no data.
      std::string mount_point = path_ + name;
      std::string type = MountTypeAt(mount_point);
      MountEntry mount;
      if (type.empty() && FindMount(mount_point, mount)) type = mount.Type;
      if (IsPseudoFileSystem(type)) return false;
    }
    return true;
  }

  DirectoryVisitor& visitor_;
  const size_t max_open_;
  std::unique_ptr<char[]> buffer_;
  std::string path_;  // the folder being listed or entered, ending in the delimiter
  std::vector<Frame> stack_;
  std::unordered_set<DevIno, DevInoHash> on_path_;
  size_t open_count_ = 0;
  size_t evict_from_ = 0;
};

}  // namespace

void WalkDirectoryTree(const std::string& start_folder, DirectoryVisitor& visitor,
                       const WalkOptions& options) {
  Walker walker(visitor, options);
  walker.Run(start_folder);
}

}  // namespace platform
