#include "common/ui/qt_setup.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>
#include <clocale>

namespace luch {

void SetUpApplication(QApplication& app) {
  app.setApplicationName(QString::fromUtf8(kApplicationTitle));
  app.setApplicationDisplayName(QString());
  // The Windows program carries its translations inside (":/translations");
  // elsewhere they come with the system's Qt.
  const QString dirs[] = {QStringLiteral(":/translations"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)};
  for (const char* name : {"qtbase_ru", "qt_ru"}) {
    for (const QString& dir : dirs) {
      auto* translator = new QTranslator(&app);
      if (translator->load(QString::fromLatin1(name), dir)) {
        QApplication::installTranslator(translator);
        break;
      }
      delete translator;
    }
  }
  // Qt sets the C locale from the environment; printf-style texts use ".".
  std::setlocale(LC_NUMERIC, "C");
}

}  // namespace luch
