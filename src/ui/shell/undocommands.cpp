#include "undocommands.h"

#include "navigation.h"
#include "ui/core/modulopondra.h"
#include "ui/main/frontespizio.h"
#include "ui/main/requisiti.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>

namespace pondra {

namespace {

const QList<QKeySequence> RedoKeys{QKeySequence(Qt::CTRL | Qt::Key_Y),
                                   QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)};

bool isUndoKey(const QKeyEvent& key)
{
    const QKeySequence pressed(key.keyCombination());
    return pressed == QKeySequence(QKeySequence::Undo) || RedoKeys.contains(pressed);
}

// Keeps the undo keys from the text fields of the Data and Title-page windows, so that the
// windows' Annulla and Ripeti get them.
class UndoKeys : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::ShortcutOverride) {
            return false;
        }
        auto* widget = qobject_cast<QWidget*>(watched);
        if (!widget || !isUndoKey(*static_cast<QKeyEvent*>(event))) {
            return false;
        }
        QWidget* window = widget->window();
        if (!qobject_cast<requisiti*>(window) && !qobject_cast<frontespizio*>(window)) {
            return false;
        }
        // Not taken by the field: the key goes on to the window's shortcuts.
        event->ignore();
        return true;
    }
};

// Back where the undone or redone step changed the study: the title page, or the Data window
// at the hypothesis and rows it changed.
void showRestored(ModuloPondra& module, const ChangePlace& place)
{
    if (place.hypothesis == 0) {
        ShowTitlePage(module);
        return;
    }
    // Loaded first: a Data window loaded afresh starts at the first hypothesis.
    module.window<requisiti>();
    module.document().showPlace(place);
    ShowDataWindow(module);
}

} // namespace

void addUndoEntries(ModuloPondra& module, QMainWindow& window, QMenu* edit)
{
    QUndoStack& stack = module.document().undoStack();
    QAction* undo = stack.createUndoAction(&window, QStringLiteral("A&nnulla"));
    undo->setObjectName(QStringLiteral("annulla"));
    undo->setShortcut(QKeySequence::Undo);
    QAction* redo = stack.createRedoAction(&window, QStringLiteral("&Ripeti"));
    redo->setObjectName(QStringLiteral("ripeti"));
    redo->setShortcuts(RedoKeys);
    edit->addAction(undo);
    edit->addAction(redo);
    edit->addSeparator();
}

void installUndo(ModuloPondra& module)
{
    QObject::connect(&module.document(), &StudyDocument::stepRestored, &module.document(),
                     [&module](const ChangePlace& place) { showRestored(module, place); });
    const QString name = QStringLiteral("UndoKeys");
    if (!qApp->findChild<QObject*>(name, Qt::FindDirectChildrenOnly)) {
        auto* keys = new UndoKeys(qApp);
        keys->setObjectName(name);
        qApp->installEventFilter(keys);
    }
}

} // namespace pondra
