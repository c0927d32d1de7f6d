#include "common/ui/qt_platform.h"

#include <QDateTime>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLocale>
#include <QMessageBox>
#include <QMimeDatabase>
#include <QProcess>
#include <QScreen>
#include <QStandardPaths>
#include <QUrl>

#include "common/file_io.h"
#include "common/ui/qt_setup.h"
#include "common/ui/text_prompt_dialog.h"

namespace luch {
namespace {

QString Q(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QMessageBox::Icon ToQt(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::kWarning: return QMessageBox::Warning;
    case MessageIcon::kInformation: return QMessageBox::Information;
    case MessageIcon::kStop: return QMessageBox::Critical;
    case MessageIcon::kQuestion: return QMessageBox::Question;
    case MessageIcon::kNone: break;
  }
  return QMessageBox::NoIcon;
}

QString FileDialogDirectory(const FileDialogRequest& request) {
  return request.initial_directory.empty() ? QDir::currentPath() : Q(request.initial_directory);
}

}  // namespace

std::string QtPrompter::TextPrompt(std::string_view caption, std::string_view prompt,
                                   std::string_view default_text) {
  return TextPromptDialog::Ask(owner_, Q(caption), Q(prompt), Q(default_text)).toStdString();
}

void QtMessages::Show(std::string_view text, std::string_view caption, MessageIcon icon) {
  QMessageBox box(ToQt(icon), Q(caption), Q(text), QMessageBox::Ok, owner_);
  box.exec();
}

bool QtMessages::AskYesNo(std::string_view text, std::string_view caption, MessageIcon icon) {
  QMessageBox box(ToQt(icon), Q(caption), Q(text), QMessageBox::Yes | QMessageBox::No, owner_);
  return box.exec() == QMessageBox::Yes;
}

void QtMessages::ShowError(std::string_view message) {
  QMessageBox box(QMessageBox::Critical, QString::fromUtf8(kApplicationTitle),
                  Q(message) + ".", QMessageBox::Ok, owner_);
  box.exec();
}

QString QtFilter(const std::string& filter) {
  QString text = Q(filter);
  const qsizetype bar = text.indexOf('|');
  if (bar < 0) return text;
  QString description = text.left(bar);
  const QString pattern = text.mid(bar + 1);
  // Qt reads the patterns from the parentheses; the shown text stays as given.
  if (description.contains('(') && description.contains(pattern)) return description;
  return description + " (" + pattern + ")";
}

QString WithDefaultExtension(const QString& path, const std::string& extension) {
  if (extension.empty() || !QFileInfo(path).suffix().isEmpty()) return path;
  return path + "." + Q(extension);
}

std::optional<std::string> QtDialogs::OpenFile(const FileDialogRequest& request) {
  QFileDialog dialog(owner_, Q(request.title), FileDialogDirectory(request),
                     QtFilter(request.filter));
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setOption(QFileDialog::ReadOnly, false);
  dialog.setDefaultSuffix(Q(request.default_extension));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return dialog.selectedFiles().front().toStdString();
}

std::optional<std::string> QtDialogs::SaveFile(const FileDialogRequest& request) {
  QFileDialog dialog(owner_, Q(request.title), FileDialogDirectory(request),
                     QtFilter(request.filter));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
  dialog.setDefaultSuffix(Q(request.default_extension));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return WithDefaultExtension(dialog.selectedFiles().front(), request.default_extension)
      .toStdString();
}

// The Windows forms of the launcher and the locale: qt_*_windows.cpp.
#ifndef Q_OS_WIN
std::optional<std::string> QtLauncher::AssociatedProgram(const std::filesystem::path& file) {
#if defined(Q_OS_MACOS)
  (void)file;
  return std::string("системная программа");
#else
  // Ask the desktop which application opens this type, without a shell.
  const QString xdg_mime = QStandardPaths::findExecutable("xdg-mime");
  if (xdg_mime.isEmpty()) return std::nullopt;
  const QString mime =
      QMimeDatabase().mimeTypeForFile(QString::fromStdString(PathToUtf8(file))).name();
  QProcess process;
  process.start(xdg_mime, {"query", "default", mime});
  if (!process.waitForFinished(3000)) {
    process.kill();
    return std::nullopt;
  }
  const QString desktop = QString::fromUtf8(process.readAllStandardOutput()).trimmed();
  if (process.exitCode() != 0 || desktop.isEmpty()) return std::nullopt;
  return desktop.toStdString();
#endif
}

void QtLauncher::OpenWithAssociated(const std::filesystem::path& file) {
  if (!AssociatedProgram(file)) return;
  QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(PathToUtf8(file))));
}

char QtLocale::DecimalSeparator() const {
  const QString point = QLocale::system().decimalPoint();
  return point == "," ? ',' : '.';
}

std::string QtLocale::FormatDateTime(std::chrono::system_clock::time_point when) const {
  const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(when.time_since_epoch());
  const QDateTime moment = QDateTime::fromMSecsSinceEpoch(ms.count());
  const QLocale locale = QLocale::system();
  QString time_format = locale.timeFormat(QLocale::LongFormat);
  time_format.remove('t');  // the time zone is not part of the program's texts
  return (locale.toString(moment.date(), QLocale::ShortFormat) + " " +
          locale.toString(moment.time(), time_format.trimmed()))
      .toStdString();
}
#endif  // Q_OS_WIN

int QtScreen::Width() const {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen ? screen->geometry().width() : 1024;
}

int QtScreen::Height() const {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen ? screen->geometry().height() : 768;
}

}  // namespace luch
