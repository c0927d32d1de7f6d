#include "common/file_system.h"

#include <random>

namespace luch {
namespace {

std::filesystem::path TemporaryNameBeside(const std::filesystem::path& path) {
  static std::mt19937_64 random{std::random_device{}()};
  std::filesystem::path temp = path;
  temp += ".tmp" + std::to_string(random() % 1000000000);
  return temp;
}

// Writes, syncs and closes; false when any of the three fails.
bool WriteWhole(WritableFile& file, std::string_view bytes) {
  bool ok = file.Write(bytes) && file.Sync();
  ok = file.Close() && ok;
  return ok;
}

}  // namespace

bool MayReplace(FileSystem& files, const std::filesystem::path& path) {
  const std::filesystem::path target = files.WriteTarget(path);
  return !target.empty() && !files.IsDirectory(target) && files.MayWrite(target);
}

bool WriteFileAtomic(FileSystem& files, const std::filesystem::path& path, std::string_view bytes) {
  // The rename replaces whatever entry is at its destination: a link would
  // become a plain file and a read-only file a writable one. So the target is
  // written, and only when the user may write it.
  const std::filesystem::path target = files.WriteTarget(path);
  if (target.empty() || files.IsDirectory(target) || !files.MayWrite(target)) return false;
  const std::filesystem::path temp = TemporaryNameBeside(target);
  FileSystem::OpenFailure failure = FileSystem::OpenFailure::kNone;
  std::unique_ptr<WritableFile> file = files.OpenForWriting(temp, /*create=*/true, failure);
  if (!file) {
    if (failure != FileSystem::OpenFailure::kNoRight || !files.FileExists(target)) return false;
    // A folder the user may not write to, holding a file he may write.
    std::unique_ptr<WritableFile> in_place =
        files.OpenForWriting(target, /*create=*/false, failure);
    return in_place && WriteWhole(*in_place, bytes);
  }
  if (!WriteWhole(*file, bytes) || !files.KeepAttributes(target, temp) ||
      !files.Rename(temp, target)) {
    files.RemoveFile(temp);
    return false;
  }
  files.SyncFolder(target);
  files.RemoveStaleTemporaries(target);
  return true;
}

}  // namespace luch
