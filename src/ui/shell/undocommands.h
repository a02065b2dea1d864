#pragma once

class QMainWindow;
class QMenu;

namespace pondra {

class ModuloPondra;

// "A&nnulla" (Ctrl+Z) and "&Ripeti" (Ctrl+Y, Ctrl+Shift+Z) in the window's Modifica menu,
// named after the step they would undo or redo.
void addUndoEntries(ModuloPondra& module, QMainWindow& window, QMenu* edit);

// Once for the program: an undone or redone step is shown where it happened and scored again,
// as after an edit; the undo keys reach Annulla and Ripeti also from a text field, whose own
// undo would otherwise take them and make a new edit.
void installUndo(ModuloPondra& module);

} // namespace pondra
