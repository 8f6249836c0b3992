#include "app/output_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstring>
#include <filesystem>
#include <set>

#include "app/input_error.h"

namespace sim {

namespace {

// As many links as the kernel follows in one path before it gives up.
const int kMaxLinks = 40;

// Where writing an output's path ends up.
struct Target {
  std::string path;  // with every symbolic link followed
  bool exists = false;
  struct stat status {};

  // Devices, FIFOs and the like are written in place; regular files, old or
  // new, through a temporary file.
  bool InPlace() const { return exists && !S_ISREG(status.st_mode); }
};

std::string CannotWrite(const OutputFile& output) {
  return (output.option.empty() ? "" : output.option + ": ") + "cannot write " + output.path;
}

[[noreturn]] void Fail(const OutputFile& output, int error) {
  throw InputError(CannotWrite(output) + ": " + std::strerror(error));
}

std::string FolderOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

// Where writing the output's path ends up. An existing file that is not a
// regular one is opened through the path as given (so that /dev/stdout
// works); a regular file is found through its real path, so that its
// temporary file goes beside it; a path that leads nowhere yet is followed
// link by link to where the new file goes.
Target Resolve(const OutputFile& output) {
  Target target;
  target.path = output.path;
  if (stat(output.path.c_str(), &target.status) == 0) {
    target.exists = true;
    if (S_ISREG(target.status.st_mode)) {
      std::error_code error;
      target.path = std::filesystem::canonical(output.path, error);
      if (error) Fail(output, error.value());
    }
    return target;
  }
  if (errno != ENOENT) Fail(output, errno);
  for (int links = 0; links <= kMaxLinks; ++links) {
    if (lstat(target.path.c_str(), &target.status) != 0) {
      if (errno != ENOENT) Fail(output, errno);
      return target;
    }
    if (!S_ISLNK(target.status.st_mode)) Fail(output, ENOENT);
    std::string link(PATH_MAX, '\0');
    const ssize_t length = readlink(target.path.c_str(), link.data(), link.size());
    if (length < 0) Fail(output, errno);
    link.resize(static_cast<size_t>(length));
    target.path = link.front() == '/' ? link : FolderOf(target.path) + "/" + link;
  }
  Fail(output, ELOOP);
}

Target CheckedTarget(const OutputFile& output) {
  Target target = Resolve(output);
  if (target.exists && S_ISDIR(target.status.st_mode)) Fail(output, EISDIR);
  if (target.exists && access(target.path.c_str(), W_OK) != 0) Fail(output, errno);
  if (!target.InPlace() && access(FolderOf(target.path).c_str(), W_OK | X_OK) != 0) {
    Fail(output, errno);
  }
  return target;
}

// The same file, however it is named: its device and inode when it exists,
// else its folder's real path and its name.
std::string Identity(const Target& target) {
  if (target.exists) {
    return std::to_string(target.status.st_dev) + ":" + std::to_string(target.status.st_ino);
  }
  std::error_code error;
  const std::filesystem::path folder = std::filesystem::canonical(FolderOf(target.path), error);
  return (error ? FolderOf(target.path) : folder.string()) + "/" +
         target.path.substr(target.path.rfind('/') + 1);
}

bool WriteAll(int descriptor, const std::string& text) {
  size_t written = 0;
  while (written < text.size()) {
    const ssize_t count = write(descriptor, text.data() + written, text.size() - written);
    if (count < 0 && errno == EINTR) continue;
    if (count <= 0) return false;
    written += static_cast<size_t>(count);
  }
  return true;
}

// An output on its way: where it goes and, for a regular file, the temporary
// file beside it that holds its text until it is renamed over the target.
struct Staged {
  const OutputFile* output = nullptr;
  Target target;
  std::string temporary;
};

// Removes the temporary files that are left when writing stops half way.
class StagedFiles {
 public:
  StagedFiles() = default;
  StagedFiles(const StagedFiles&) = delete;
  StagedFiles& operator=(const StagedFiles&) = delete;
  StagedFiles(StagedFiles&&) = delete;
  StagedFiles& operator=(StagedFiles&&) = delete;
  ~StagedFiles() {
    for (const Staged& file : files) {
      if (!file.temporary.empty()) unlink(file.temporary.c_str());
    }
  }

  std::vector<Staged> files;
};

// Writes a regular file's text to a new temporary file beside its target,
// with the target's permission bits (and owner, for root) when it
// exists and the usual ones for a new file otherwise.
void WriteTemporary(Staged& file) {
  std::string name = file.target.path + ".partial-XXXXXX";
  const int descriptor = mkstemp(name.data());
  if (descriptor < 0) Fail(*file.output, errno);
  file.temporary = name;
  const struct stat& old = file.target.status;
  mode_t mode = old.st_mode & 07777;
  if (!file.target.exists) {
    const mode_t mask = umask(0);
    umask(mask);
    mode = 0666 & ~mask;
  }
  // Only root may give a file to someone else; anyone else's replaced file
  // becomes theirs, as with any editor.
  const bool owned =
      !file.target.exists || geteuid() != 0 || fchown(descriptor, old.st_uid, old.st_gid) == 0;
  const bool written = owned && fchmod(descriptor, mode) == 0 &&
                       WriteAll(descriptor, file.output->text) && fsync(descriptor) == 0;
  const int error = errno;
  if (close(descriptor) != 0 || !written) Fail(*file.output, written ? errno : error);
}

void WriteInPlace(const Staged& file) {
  const int descriptor = open(file.target.path.c_str(), O_WRONLY | O_CLOEXEC);
  if (descriptor < 0) Fail(*file.output, errno);
  const bool written = WriteAll(descriptor, file.output->text);
  const int error = errno;
  if (close(descriptor) != 0 || !written) Fail(*file.output, written ? errno : error);
}

}  // namespace

void CheckOutputFiles(const std::vector<OutputFile>& outputs) {
  std::set<std::string> files;
  for (const OutputFile& output : outputs) {
    const Target target = CheckedTarget(output);
    if (!target.InPlace() && !files.insert(Identity(target)).second) {
      throw InputError(CannotWrite(output) + ": another output of this run goes to the same file");
    }
  }
}

void WriteOutputFiles(const std::vector<OutputFile>& outputs) {
  StagedFiles staged;
  for (const OutputFile& output : outputs) {
    staged.files.push_back({&output, CheckedTarget(output), {}});
  }
  for (Staged& file : staged.files) {
    if (!file.target.InPlace()) WriteTemporary(file);
  }
  for (const Staged& file : staged.files) {
    if (file.target.InPlace()) WriteInPlace(file);
  }
  for (Staged& file : staged.files) {
    if (file.target.InPlace()) continue;
    if (std::rename(file.temporary.c_str(), file.target.path.c_str()) != 0) {
      Fail(*file.output, errno);
    }
    file.temporary.clear();
  }
}

void WriteFileWhole(const std::string& path, const std::string& text) {
  WriteOutputFiles({{"", path, text}});
}

}  // namespace sim
