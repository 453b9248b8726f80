#include "window/qt_russian.h"

#include <QCoreApplication>
#include <QLibraryInfo>

QtRussian::QtRussian() {
  installed_ = translator_.load(QStringLiteral("qtbase_ru"),
                                QLibraryInfo::path(QLibraryInfo::TranslationsPath)) &&
               QCoreApplication::installTranslator(&translator_);
}

QtRussian::~QtRussian() {
  if (installed_) QCoreApplication::removeTranslator(&translator_);
}

bool EditMenuSpeaksRussian() {
  // The menu's words are QLineEdit's; one of them stands for all.
  constexpr char kCopy[] = "&Copy";
  return QCoreApplication::translate("QLineEdit", kCopy) != QLatin1String(kCopy);
}
