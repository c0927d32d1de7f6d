// "Отчет": the built-in read-only viewer of a written text file (report,
// voltage table, export) for a desktop that has no program for its type.
#pragma once

#include <QWidget>
#include <filesystem>
#include <functional>
#include <string>

class QAction;
class QPlainTextEdit;

namespace luch {

inline constexpr const char* kTextViewerName = "Отчет";

class TextViewer : public QWidget {
  Q_OBJECT
 public:
  // A window over the Windows-1251 text of `file`, in a monospaced font, with
  // "Сохранить как..." and, where Qt can print, "Печать". It belongs to
  // `owner` (closed with it) and deletes itself when closed (Esc closes it).
  // Null for a file that it does not show (see Shows) or cannot read.
  static TextViewer* Open(const std::filesystem::path& file, QWidget* owner);
  // Whether the viewer shows files of this type: text by the file's name
  // (a report, an export), not a PDF or a picture.
  static bool Shows(const std::filesystem::path& file);

  // The project whose folder and name "Сохранить как..." proposes (a full
  // path; empty for an unnamed project): set once by the program.
  static std::function<std::string()>& ProjectPathSource();

  QPlainTextEdit* text() const { return text_; }
  QAction* save_as() const { return save_as_; }
  // Writes the file's bytes, unchanged, to `target`; false (with the error
  // box "Unable to write to %s") when that fails.
  bool SaveCopy(const std::filesystem::path& target);

 private:
  TextViewer(std::filesystem::path file, const QString& content, QWidget* owner);
  void SaveAs();
  void Print();

  std::filesystem::path file_;
  QPlainTextEdit* text_;
  QAction* save_as_;
};

}  // namespace luch
