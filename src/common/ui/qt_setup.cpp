#include "common/ui/qt_setup.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QPalette>
#include <QToolTip>
#include <QTranslator>
#include <clocale>
#include <cmath>

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
  // Some styles and systems give tooltips text barely lighter than their
  // ground (the chart's tooltip is the only place a point is named).
  QPalette tips = QToolTip::palette();
  const double contrast = std::fabs(tips.color(QPalette::ToolTipBase).lightnessF() -
                                    tips.color(QPalette::ToolTipText).lightnessF());
  if (contrast < kMinToolTipContrast) {
    tips.setColor(QPalette::ToolTipBase, QColor(255, 255, 220));
    tips.setColor(QPalette::ToolTipText, QColor(Qt::black));
    QToolTip::setPalette(tips);
  }
}

}  // namespace luch
