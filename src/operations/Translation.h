#pragma once

#include <QLocale>
#include <QStringList>

class QCoreApplication;

namespace operations {

// Puts the program's texts into the first language of `languages` (the
// user's, best first, as the system's locale names them: LANGUAGE, then
// LC_ALL, LC_MESSAGES and LANG) that has a catalogue built in, with Qt's
// own texts in that language when the system has them. English, the texts'
// own language, or C ends the search early, so those users get the texts
// exactly as written. Returns the language put in place, "" for none.
QString installTranslation(QCoreApplication &app,
                           const QStringList &languages = QLocale::system().uiLanguages());

// Takes out what installTranslation() put in.
void removeTranslation(QCoreApplication &app);

} // namespace operations
