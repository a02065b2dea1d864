#pragma once

class QCoreApplication;

namespace pondra {

// Qt's own dialogs (files, colours, printing) and their buttons speak Italian, as the rest of
// the program does, whatever the system's language, and Qt's own formats follow the Italian
// locale. False when Qt's Italian translations are not installed: the dialogs then keep Qt's
// English.
bool installItalianTranslations(QCoreApplication& app);

} // namespace pondra
