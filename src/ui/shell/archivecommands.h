#pragma once

class QMainWindow;
class QString;
class QWidget;

namespace pondra {

class ModuloPondra;

// Where an archive command was chosen: the Title-page window shows the Data window when the
// data fail their check, and its perizia message is shorter.
enum class CommandOrigin { DataWindow, TitlePageWindow, ResultsWindow };

// The silent data check of a command that writes the study out; from the Title-page window a
// failure shows the Data window, where the fault is.
bool DataPassFrom(ModuloPondra& module, CommandOrigin origin);

// The title of the archive commands' messages.
QString ArchiveTitle(const ModuloPondra& module);
// Says in the hint line of the main window a command was chosen from, if it is one, what the
// command did.
void TellStep(QMainWindow& window, const QString& text);

// Whether the study in memory may be given up for another: a changed one only when the user
// says so.
bool MayReplaceStudy(ModuloPondra& module, QWidget* from);

// Asks before a changed study is given up, then opens the file chosen in the dialog.
void OpenStudy(ModuloPondra& module, QMainWindow& from);

// Opens a file into the study and its title page, as the open command does once the file is
// chosen (the command line comes here too). Only a whole, valid file replaces what is in
// memory; a file that cannot be read changes nothing and says why.
bool OpenStudyFile(ModuloPondra& module, QWidget* from, const QString& path);

// Saves after the silent data check and with a perizia; asks for a name the first time, or
// always with `askName`. A failed save keeps the previous file and the current name. The
// window's step line says where the file went.
void SaveStudy(ModuloPondra& module, QMainWindow& from, CommandOrigin origin, bool askName);

// Deletes the file chosen in the dialog once the user confirms; says why when it cannot.
void DeleteStudyFile(ModuloPondra& module, QMainWindow& from);

} // namespace pondra
