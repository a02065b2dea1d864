#pragma once

class QMainWindow;
class QString;
class QWidget;

namespace pondra {

class ModuloPondra;

// Where an archive command was chosen: the Title-page window shows the Data window when the
// data fail their check, and it says "perizia" without naming itself.
enum class CommandOrigin { DataWindow, TitlePageWindow, ResultsWindow };

// The silent data check of a command that writes the study out; from the Title-page window a
// failure shows the Data window, where the fault is.
bool DataPassFrom(ModuloPondra& module, CommandOrigin origin);

// The title of the archive commands' messages.
QString ArchiveTitle(const ModuloPondra& module);
// Says in the hint line of the main window a command was chosen from, if it is one, what the
// command did.
void TellStep(QWidget& window, const QString& text);

// Whether the study in memory may be given up for another: a changed one only when the user
// says so.
bool MayReplaceStudy(ModuloPondra& module, QWidget* from);

// Asks before a changed study is given up, then opens the file chosen in the dialog.
void OpenStudy(ModuloPondra& module, QMainWindow& from);

// Opens a file into the study and its title page, as the open command does once the file is
// chosen (the command line comes here too). Only a whole, valid file replaces what is in
// memory; a file that cannot be read changes nothing and says why.
bool OpenStudyFile(ModuloPondra& module, QWidget* from, const QString& path);

// Saves the study as it is, complete or not; asks for a name the first time, or always with
// `askName` (a cancelled dialog leaves the study's file as it was). A failed save keeps the
// previous file and the current name. The window's step line says where the file went or, when
// the data check or the perizia leave something to do, what; a note that goes by itself says it
// at length. Whether the study was saved.
bool SaveStudy(ModuloPondra& module, QWidget& from, CommandOrigin origin, bool askName);

// Deletes the file chosen in the dialog once the user confirms; says why when it cannot.
void DeleteStudyFile(ModuloPondra& module, QMainWindow& from);

} // namespace pondra
