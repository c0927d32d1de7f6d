#include "common/ui/qt_platform.h"

#include <QApplication>
#include <QClipboard>
#include <QDateTime>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QGuiApplication>
#include <QLocale>
#include <QMessageBox>
#include <QMimeDatabase>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QStandardPaths>
#include <QTimer>
#include <QUrl>

#include "common/desktop_entry.h"
#include "common/file_io.h"
#include "common/ui/qt_setup.h"
#include "common/ui/qt_text.h"
#include "common/ui/text_prompt_dialog.h"
#include "common/ui/text_viewer.h"

namespace luch {
namespace {

QMessageBox::Icon ToQt(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::kWarning:
      return QMessageBox::Warning;
    case MessageIcon::kInformation:
      return QMessageBox::Information;
    case MessageIcon::kStop:
      return QMessageBox::Critical;
    case MessageIcon::kQuestion:
      return QMessageBox::Question;
    case MessageIcon::kNone:
      break;
  }
  return QMessageBox::NoIcon;
}

QString FileDialogDirectory(const FileDialogRequest& request) {
  return request.initial_directory.empty() ? QDir::currentPath() : Q(request.initial_directory);
}

// The patterns after the bar of "description|pattern;pattern".
QStringList FilterPatterns(const std::string& filter) {
  const QString text = Q(filter);
  const qsizetype bar = text.indexOf('|');
  return text.mid(bar + 1).split(';', Qt::SkipEmptyParts);
}

// Qt's own dialog reads the patterns out of the parentheses of the shown text,
// but only ASCII ones: "Проект луча (*.луч)" would match no file at all. The
// patterns go to the dialog's file model directly instead, at once and each
// time the user picks the filter again (after Qt has set its own).
void UseFilter(QFileDialog& dialog, const std::string& filter) {
  dialog.setNameFilter(QtFilter(filter));
  const QStringList patterns = FilterPatterns(filter);
  const auto apply = [&dialog, patterns] {
    if (auto* model = dialog.findChild<QFileSystemModel*>()) model->setNameFilters(patterns);
  };
  apply();
  QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, apply);
}

// The file dialog as the program shows it. Windows' own dialog reads any
// pattern; elsewhere the desktop's dialogs take the patterns as Qt's does, so
// Qt's dialog is used, whose model can be given them.
void PrepareFileDialog(QFileDialog& dialog, const FileDialogRequest& request) {
#ifndef Q_OS_WIN
  dialog.setOption(QFileDialog::DontUseNativeDialog, true);
#endif
  UseFilter(dialog, request.filter);
  dialog.setDefaultSuffix(Q(request.default_extension));
}

// The owner of the platform's dialog that closed last (see DialogOwner).
QPointer<QWidget>& LastOwner() {
  static QPointer<QWidget> owner;
  return owner;
}

}  // namespace

#if !defined(Q_OS_WIN) && !defined(Q_OS_MACOS)
QString DesktopEntryProgram(const QString& entry) {
  const QString file = QStandardPaths::locate(QStandardPaths::ApplicationsLocation, entry);
  std::string content;
  if (file.isEmpty() || !ReadFileBytes(Utf8Path(file.toStdString()), content)) return entry;
  const std::string program = DesktopExecProgram(content);
  if (program.empty()) return entry;
  const QString path = QStandardPaths::findExecutable(Q(program));
  return path.isEmpty() ? entry : path;
}
#endif

QWidget* DialogOwner(QWidget* fallback) {
  if (QWidget* modal = QApplication::activeModalWidget()) return modal;
  if (QWidget* active = QApplication::activeWindow()) return active;
  if (QWidget* last = LastOwner(); last && last->isVisible()) return last;
  return fallback;
}

OwnedDialog::OwnedDialog(QWidget* fallback) : owner_(DialogOwner(fallback)) {}

OwnedDialog::~OwnedDialog() {
  // The closed dialog's owner stands in for the active window only until the
  // event loop runs again: for the next dialog of the same command.
  LastOwner() = owner_;
  QTimer::singleShot(0, [] { LastOwner() = nullptr; });
  if (!owner_ || !owner_->isVisible()) return;
  QWidget* window = owner_->window();
  if (QApplication::activeWindow() == window) return;
  window->raise();
  window->activateWindow();
}

std::optional<std::string> QtPrompter::Ask(std::string_view caption, std::string_view prompt,
                                           std::string_view default_text) {
  const OwnedDialog owned(owner_);
  const std::optional<QString> answer =
      TextPromptDialog::Ask(owned.owner(), Q(caption), Q(prompt), Q(default_text));
  if (!answer) return std::nullopt;
  return answer->toStdString();
}

std::optional<std::string> QtPrompter::AskTyped(std::string_view caption, std::string_view prompt,
                                                std::string_view typed) {
  const OwnedDialog owned(owner_);
  const std::optional<QString> answer =
      TextPromptDialog::Ask(owned.owner(), Q(caption), Q(prompt), Q(typed), true);
  if (!answer) return std::nullopt;
  return answer->toStdString();
}

void QtMessages::Show(std::string_view text, std::string_view caption, MessageIcon icon) {
  const OwnedDialog owned(owner_);
  QMessageBox box(ToQt(icon), Q(caption), Q(text), QMessageBox::Ok, owned.owner());
  box.exec();
}

bool QtMessages::AskYesNo(std::string_view text, std::string_view caption, MessageIcon icon) {
  const OwnedDialog owned(owner_);
  QMessageBox box(ToQt(icon), Q(caption), Q(text), QMessageBox::Yes | QMessageBox::No,
                  owned.owner());
  return box.exec() == QMessageBox::Yes;
}

Answer QtMessages::AskYesNoCancel(std::string_view text, std::string_view caption,
                                  MessageIcon icon) {
  const OwnedDialog owned(owner_);
  QMessageBox box(ToQt(icon), Q(caption), Q(text),
                  QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, owned.owner());
  box.setDefaultButton(QMessageBox::Yes);
  box.setEscapeButton(QMessageBox::Cancel);
  switch (box.exec()) {
    case QMessageBox::Yes:
      return Answer::kYes;
    case QMessageBox::No:
      return Answer::kNo;
    default:
      return Answer::kCancel;
  }
}

int QtMessages::AskChoice(std::string_view text, std::string_view caption, MessageIcon icon,
                          const std::vector<std::string>& buttons) {
  const OwnedDialog owned(owner_);
  QMessageBox box(ToQt(icon), Q(caption), Q(text), QMessageBox::NoButton, owned.owner());
  std::vector<QPushButton*> shown;
  for (const std::string& label : buttons) {
    shown.push_back(box.addButton(Q(label), QMessageBox::ActionRole));
  }
  if (shown.empty()) return -1;
  box.setDefaultButton(shown.front());
  box.setEscapeButton(shown.back());
  box.exec();
  const auto pressed = std::find(shown.begin(), shown.end(), box.clickedButton());
  return static_cast<int>(pressed == shown.end() ? shown.size() - 1 : pressed - shown.begin());
}

void QtMessages::ShowError(std::string_view message) {
  const OwnedDialog owned(owner_);
  QMessageBox box(QMessageBox::Critical, QString::fromUtf8(kApplicationTitle), Q(message) + ".",
                  QMessageBox::Ok, owned.owner());
  box.exec();
}

std::string QtClipboard::Text() { return QGuiApplication::clipboard()->text().toStdString(); }

void QtClipboard::SetText(std::string_view utf8) { QGuiApplication::clipboard()->setText(Q(utf8)); }

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
  const OwnedDialog owned(owner_);
  QFileDialog dialog(owned.owner(), Q(request.title), FileDialogDirectory(request));
  PrepareFileDialog(dialog, request);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setOption(QFileDialog::ReadOnly, false);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  // Qt names files with "/"; the program keeps the system's own form ("C:\...").
  return QDir::toNativeSeparators(dialog.selectedFiles().front()).toStdString();
}

std::optional<std::string> QtDialogs::SaveFile(const FileDialogRequest& request) {
  const OwnedDialog owned(owner_);
  QFileDialog dialog(owned.owner(), Q(request.title), FileDialogDirectory(request));
  PrepareFileDialog(dialog, request);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
  if (!request.initial_name.empty()) dialog.selectFile(Q(request.initial_name));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return QDir::toNativeSeparators(
             WithDefaultExtension(dialog.selectedFiles().front(), request.default_extension))
      .toStdString();
}

std::string QtDialogs::DocumentsFolder() {
  return QDir::toNativeSeparators(
             QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation))
      .toStdString();
}

void QtLauncher::OpenFolder(const std::filesystem::path& folder) {
  QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(PathToUtf8(folder))));
}

std::optional<std::string> QtLauncher::AssociatedProgram(const std::filesystem::path& file) {
  if (std::optional<std::string> program = DesktopProgram(file)) return program;
  if (!TextViewer::Shows(file)) return std::nullopt;
  return std::string(kTextViewerName);
}

// The Windows forms of the launcher and the locale: qt_*_windows.cpp.
#ifndef Q_OS_WIN
void QtLauncher::OpenWithAssociated(const std::filesystem::path& file) {
  const QString path = QString::fromStdString(PathToUtf8(file));
  QPointer<QWidget> owner = DialogOwner(nullptr);
#if defined(Q_OS_MACOS)
  if (DesktopProgram(file) && QDesktopServices::openUrl(QUrl::fromLocalFile(path))) return;
  TextViewer::Open(file, owner);
#else
  const QString xdg_open = QStandardPaths::findExecutable("xdg-open");
  if (!DesktopProgram(file) || xdg_open.isEmpty()) {
    TextViewer::Open(file, owner);
    return;
  }
  // The desktop may name a program that then cannot start (a terminal editor
  // without a terminal): xdg-open says so by its exit status, and the viewer
  // shows the file instead. A program that does start is not waited for.
  auto* process = new QProcess(QCoreApplication::instance());
  const auto fail = [process, file, owner] {
    process->deleteLater();
    TextViewer::Open(file, owner);
  };
  QObject::connect(process, &QProcess::finished, process,
                   [process, fail](int code, QProcess::ExitStatus status) {
                     if (code != 0 || status != QProcess::NormalExit) return fail();
                     process->deleteLater();
                   });
  QObject::connect(process, &QProcess::errorOccurred, process,
                   [fail](QProcess::ProcessError error) {
                     if (error == QProcess::FailedToStart) fail();
                   });
  process->setProcessChannelMode(QProcess::ForwardedChannels);
  process->start(xdg_open, {path});
#endif
}

std::optional<std::string> QtLauncher::DesktopProgram(const std::filesystem::path& file) {
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
  return DesktopEntryProgram(desktop).toStdString();
#endif
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
  return screen ? screen->availableGeometry().width() : 1024;
}

int QtScreen::Height() const {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen ? screen->availableGeometry().height() : 768;
}

}  // namespace luch
