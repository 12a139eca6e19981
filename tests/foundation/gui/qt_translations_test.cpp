#include "foundation/gui/qt_translations.h"

#include <gtest/gtest.h>
#include <QAbstractButton>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QTranslator>

#include "tests/foundation/gui/gui_test_app.h"

namespace {

TEST(QtTranslationsTest, QtsOwnButtonsAndDialogsSpeakJapanese) {
  QApplication& app = EnsureTestApplication();
  const QString catalogue =
      QLibraryInfo::path(QLibraryInfo::TranslationsPath) + QStringLiteral("/qtbase_ja.qm");
  if (!QFileInfo::exists(catalogue)) GTEST_SKIP() << "Qt's translations are not installed";
  InstallQtTranslations(app);
  InstallQtTranslations(app);  // a second call replaces, it does not pile up
  EXPECT_EQ(app.findChildren<QTranslator*>().size(), 2);

  QMessageBox box(QMessageBox::Question, QStringLiteral("Message"), QStringLiteral("?"),
                  QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
  EXPECT_TRUE(box.button(QMessageBox::Yes)->text().startsWith(QStringLiteral("はい")));
  EXPECT_TRUE(box.button(QMessageBox::No)->text().startsWith(QStringLiteral("いいえ")));
  EXPECT_TRUE(box.button(QMessageBox::Cancel)->text().startsWith(QStringLiteral("キャンセル")));
  EXPECT_NE(QCoreApplication::translate("QFileDialog", "Look in:"), QStringLiteral("Look in:"));

  for (QTranslator* translator : app.findChildren<QTranslator*>()) {
    QCoreApplication::removeTranslator(translator);
    delete translator;
  }
}

}  // namespace
