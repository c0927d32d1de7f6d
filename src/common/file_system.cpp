#include "common/file_system.h"

#include <array>
#include <random>

#include "common/file_io.h"

namespace luch {
namespace {

thread_local std::string last_write_note;

std::filesystem::path TemporaryNameBeside(const std::filesystem::path& path) {
  static std::mt19937_64 random{std::random_device{}()};
  std::filesystem::path temp = path;
  temp += ".tmp" + std::to_string(random() % 1000000000);
  return temp;
}

// `bytes` over the content of the existing file `target`, which holds
// `old_size` bytes: the room first, so that a full disk changes nothing.
// `changed` tells whether a byte may have changed before a failure.
bool OverwriteInPlace(FileSystem& files, const std::filesystem::path& target,
                      std::string_view bytes, std::uintmax_t old_size, bool& changed) {
  changed = false;
  FileSystem::OpenFailure failure = FileSystem::OpenFailure::kNone;
  std::unique_ptr<WritableFile> file = files.OpenForWriting(target, /*create=*/false, failure);
  if (!file) return false;
  if (!file->Reserve(bytes.size())) {
    file->Truncate(old_size);  // a partial reservation may have lengthened it
    file->Close();
    return false;
  }
  changed = true;
  bool ok = file->Write(bytes) && file->Truncate(bytes.size()) && file->Sync();
  ok = file->Close() && ok;
  return ok;
}

// A folder the user may not write to, holding a file he may write.
bool WriteInPlace(FileSystem& files, const std::filesystem::path& target, std::string_view bytes) {
  std::string old;
  if (!files.ReadFile(target, old)) return false;  // never written over unseen
  const std::filesystem::path copy = SafetyCopyPath(files, target);
  if (copy.empty() || !WriteFileAtomic(files, copy, old)) {
    SetLastWriteNote({});
    return false;
  }
  bool changed = false;
  if (OverwriteInPlace(files, target, bytes, old.size(), changed)) {
    files.RemoveFile(copy);
    return true;
  }
  bool restored = !changed;
  if (changed) {
    bool ignored = false;
    restored = OverwriteInPlace(files, target, old, old.size(), ignored);
  }
  if (restored) {
    files.RemoveFile(copy);
  } else {
    SetLastWriteNote("Прежнее содержимое файла сохранено в " + PathToUtf8(copy));
  }
  return false;
}

}  // namespace

bool TemporaryOfOurs(std::string_view name) {
  const size_t tmp = name.rfind(".tmp");
  if (tmp == std::string_view::npos || tmp + 4 == name.size()) return false;
  for (const char c : name.substr(tmp + 4)) {
    if (c < '0' || c > '9') return false;
  }
  const std::string_view base = name.substr(0, tmp);
  static constexpr std::array<std::string_view, 7> kKinds = {".ini", ".луч", ".bak",   ".txt",
                                                             ".csv", ".pdf", ".объект"};
  for (const std::string_view kind : kKinds) {
    if (base.size() > kind.size() && base.ends_with(kind)) return true;
  }
  return false;
}

bool IsOtherThanFile(FileSystem& files, const std::filesystem::path& path) {
  return files.Exists(path) && !files.FileExists(path);
}

std::string NotAFileText(std::string_view shown_path) {
  return "Файл " + std::string(shown_path) + " не является обычным файлом";
}

std::string CannotOpenText(FileSystem& files, const std::filesystem::path& path) {
  return IsOtherThanFile(files, path) ? NotAFileText(PathToUtf8(path))
                                      : "Cannot open file " + PathToUtf8(path);
}

bool MayReplace(FileSystem& files, const std::filesystem::path& path) {
  const std::filesystem::path target = files.WriteTarget(path);
  return !target.empty() && !IsOtherThanFile(files, target) && files.MayWrite(target);
}

std::filesystem::path SafetyCopyPath(FileSystem& files, const std::filesystem::path& target) {
  std::filesystem::path folder = files.SafetyCopyFolder();
  if (folder.empty()) {
    std::error_code error;
    folder = std::filesystem::temp_directory_path(error);
    if (error) return {};
  }
  const std::string name = PathToUtf8(target.filename());
  for (int k = 1; k < 100; ++k) {
    const std::string number = k == 1 ? "" : " (" + std::to_string(k) + ")";
    const std::filesystem::path copy = folder / Utf8Path("Копия до записи" + number + " - " + name);
    if (!files.Exists(copy)) return copy;
  }
  return {};
}

bool WriteFileAtomic(FileSystem& files, const std::filesystem::path& path, std::string_view bytes) {
  SetLastWriteNote({});
  // The rename replaces whatever entry is at its destination: a link would
  // become a plain file and a read-only file a writable one. So the target is
  // written, and only when the user may write it.
  const std::filesystem::path target = files.WriteTarget(path);
  if (target.empty()) return false;
  if (IsOtherThanFile(files, target)) {
    SetLastWriteNote(NotAFileText(PathToUtf8(target)));
    return false;
  }
  if (!files.MayWrite(target)) return false;
  files.RemoveLeftTemporaries(target);
  const std::filesystem::path temp = TemporaryNameBeside(target);
  FileSystem::OpenFailure failure = FileSystem::OpenFailure::kNone;
  std::unique_ptr<WritableFile> file = files.OpenForWriting(temp, /*create=*/true, failure);
  if (!file) {
    if (failure != FileSystem::OpenFailure::kNoRight || !files.FileExists(target)) return false;
    return WriteInPlace(files, target, bytes);
  }
  // The file stays open (and so safe from another write's clean-up) until it
  // has its place.
  if (!file->Write(bytes) || !file->Sync() || !files.KeepAttributes(target, temp) ||
      !files.Rename(temp, target)) {
    file->Close();
    files.RemoveFile(temp);
    return false;
  }
  if (!file->Close()) return false;
  files.SyncFolder(target);
  return true;
}

const std::string& LastWriteNote() { return last_write_note; }

void SetLastWriteNote(std::string note) { last_write_note = std::move(note); }

std::string WithWriteNote(std::string message) {
  std::string note = std::exchange(last_write_note, {});
  if (note.ends_with('.')) note.pop_back();
  if (!note.empty()) message += "\n" + note;
  return message;
}

std::string WriteFailureText(std::string_view shown_path) {
  return WithWriteNote("Unable to write to " + std::string(shown_path));
}

}  // namespace luch
