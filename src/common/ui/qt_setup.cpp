#include "common/ui/qt_setup.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>
#include <clocale>

namespace luch {

void SetUpApplication(QApplication& app) {
  app.setApplicationName(QString::fromUtf8(kApplicationTitle));
  app.setApplicationDisplayName(QString());
  const QString dir = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
  for (const char* name : {"qtbase_ru", "qt_ru"}) {
    auto* translator = new QTranslator(&app);
    if (translator->load(QString::fromLatin1(name), dir)) {
      QApplication::installTranslator(translator);
    } else {
      delete translator;
    }
  }
  // Qt sets the C locale from the environment; printf-style texts use ".".
  std::setlocale(LC_NUMERIC, "C");
}

}  // namespace luch
