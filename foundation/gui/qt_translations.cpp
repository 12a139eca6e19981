#include "foundation/gui/qt_translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace {

constexpr const char* kTranslatorName = "QtJapanese";

}  // namespace

void InstallQtTranslations(QCoreApplication& app) {
  for (QTranslator* old : app.findChildren<QTranslator*>(QString::fromLatin1(kTranslatorName),
                                                         Qt::FindDirectChildrenOnly)) {
    QCoreApplication::removeTranslator(old);
    delete old;
  }
  const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
  const QLocale japanese(QLocale::Japanese, QLocale::Japan);
  // qtbase holds the dialogs and standard buttons; qtmultimedia the few texts of the sound.
  for (const char* catalogue : {"qtbase", "qtmultimedia"}) {
    auto* translator = new QTranslator(&app);
    translator->setObjectName(QString::fromLatin1(kTranslatorName));
    if (translator->load(japanese, QString::fromLatin1(catalogue), QStringLiteral("_"), folder)) {
      QCoreApplication::installTranslator(translator);
    } else {
      delete translator;
    }
  }
}
