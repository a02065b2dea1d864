#pragma once

class QMainWindow;
class QString;

namespace pondra {

class ModuloPondra;

// Where an archive command was chosen: the Title-page window shows the Data window when the
// data fail their check, and its perizia message is shorter.
enum class CommandOrigin { DataWindow, TitlePageWindow, ResultsWindow };

// Opens a data file into the study and the title page. Only a whole, valid file replaces what
// is in memory; a file that cannot be read changes nothing and says why.
void OpenStudy(ModuloPondra& module, QMainWindow& from);
// The same, for a file already chosen.
void OpenStudyFile(ModuloPondra& module, QMainWindow& from, const QString& path);

// Saves after the silent data check and with a perizia; asks for a name the first time, or
// always with `askName`. A failed save keeps the previous file and the current name.
void SaveStudy(ModuloPondra& module, QMainWindow& from, CommandOrigin origin, bool askName);

// Deletes the file chosen in the dialog at once; says why when it cannot.
void DeleteStudyFile(ModuloPondra& module, QMainWindow& from);

} // namespace pondra
