#include "common/ui/text_viewer.h"

#include <QAction>
#include <QFontDatabase>
#include <QMimeDatabase>
#include <QPlainTextEdit>
#include <QShortcut>
#include <QToolBar>
#include <QVBoxLayout>
#ifdef LUCH_HAVE_PRINTING
#include <QPrintDialog>
#include <QPrinter>
#endif

#include "common/cp1251.h"
#include "common/file_io.h"
#include "common/save_place.h"
#include "common/ui/qt_platform.h"
#include "common/ui/qt_text.h"

namespace luch {
namespace {

// The save dialog's filter for a copy of a file of this type.
std::string CopyFilter(const std::filesystem::path& file) {
  const std::string extension = PathToUtf8(file.extension());
  if (extension == ".csv") return "Файл экспорта (*.csv)|*.csv";
  if (extension == ".txt") return "Текстовый файл (*.txt)|*.txt";
  return "Все файлы (*)|*";
}

// The carried fixed-width face, the system's fixed font where that cannot be
// loaded.
QFont ViewerFont() {
  static const QString family = [] {
    const int id = QFontDatabase::addApplicationFont(QStringLiteral(":/fonts/DejaVuSansMono.ttf"));
    const QStringList families = QFontDatabase::applicationFontFamilies(id);
    return families.isEmpty() ? QString() : families.front();
  }();
  QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  if (!family.isEmpty()) font.setFamily(family);
  font.setFixedPitch(true);
  return font;
}

}  // namespace

std::function<std::string()>& TextViewer::ProjectPathSource() {
  static std::function<std::string()> source;
  return source;
}

bool TextViewer::Shows(const std::filesystem::path& file) {
  return QMimeDatabase()
      .mimeTypeForFile(Q(PathToUtf8(file)), QMimeDatabase::MatchExtension)
      .inherits(QStringLiteral("text/plain"));
}

TextViewer* TextViewer::Open(const std::filesystem::path& file, QWidget* owner) {
  std::string bytes;
  if (!Shows(file) || !ReadFileBytes(file, bytes)) return nullptr;
  auto* viewer = new TextViewer(file, Q(Cp1251ToUtf8(bytes)), owner);
  viewer->show();
  viewer->raise();
  viewer->activateWindow();
  return viewer;
}

TextViewer::TextViewer(std::filesystem::path file, const QString& content, QWidget* owner)
    : QWidget(owner, Qt::Window), file_(std::move(file)) {
  setObjectName("TextViewer");
  setAttribute(Qt::WA_DeleteOnClose);
  // The whole path: the file is in the data folder, which the user may not know.
  setWindowTitle(Q(PathToUtf8(file_)) + " - " + QString::fromUtf8(kTextViewerName));
  auto* tools = new QToolBar(this);
  save_as_ = tools->addAction(QString::fromUtf8("Сохранить как..."), this, &TextViewer::SaveAs);
  save_as_->setIconText(save_as_->text());  // a tool button would drop the "..."
  save_as_->setShortcut(QKeySequence::SaveAs);
#ifdef LUCH_HAVE_PRINTING
  QAction* print = tools->addAction(QString::fromUtf8("Печать"), this, &TextViewer::Print);
  print->setShortcut(QKeySequence::Print);
#endif
  // Esc closes the viewer, as it closes the program's other windows.
  auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
  connect(escape, &QShortcut::activated, this, &QWidget::close);
  text_ = new QPlainTextEdit(this);
  text_->setReadOnly(true);
  text_->setLineWrapMode(QPlainTextEdit::NoWrap);
  text_->setFont(ViewerFont());
  // The files end every line with CR LF; the view shows lines, not the CRs.
  QString shown = content;
  shown.replace("\r\n", "\n");
  text_->setPlainText(shown);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(tools);
  layout->addWidget(text_, 1);
  const int columns = 100;
  resize(text_->fontMetrics().horizontalAdvance(QString(columns, 'x')) + 40, 560);
}

bool TextViewer::SaveCopy(const std::filesystem::path& target) {
  std::string bytes;
  SetLastWriteNote({});
  if (ReadFileBytes(file_, bytes) && WriteFileAtomic(target, bytes)) return true;
  QtMessages(this).ShowError(WriteFailureText(PathToUtf8(target)));
  return false;
}

void TextViewer::SaveAs() {
  FileDialogRequest request;
  request.title = "Сохранить как";
  request.filter = CopyFilter(file_);
  request.default_extension = PathToUtf8(file_.extension()).substr(file_.has_extension() ? 1 : 0);
  QtDialogs dialogs(this);
  StartBesideProject(request, ProjectPathSource() ? ProjectPathSource()() : std::string(), dialogs,
                     " - " + PathToUtf8(file_.stem()));
  if (const std::optional<std::string> chosen = dialogs.SaveFile(request)) {
    SaveCopy(Utf8Path(*chosen));
  }
}

void TextViewer::Print() {
#ifdef LUCH_HAVE_PRINTING
  QPrinter printer;
  QPrintDialog dialog(&printer, this);
  if (dialog.exec() == QDialog::Accepted) text_->print(&printer);
#endif
}

}  // namespace luch
