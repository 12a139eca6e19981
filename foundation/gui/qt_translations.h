// Qt's own texts (the buttons of message boxes, the file and colour dialogs) in Japanese, so
// that a program whose own texts are Japanese speaks one language throughout.
#pragma once

class QCoreApplication;

// Loads Qt's Japanese catalogues from the Qt installation's translations folder into `app`.
// Calling it again replaces the catalogues; a missing catalogue leaves Qt's English texts.
void InstallQtTranslations(QCoreApplication& app);
