#pragma once

#include "crashrecovery.h"
#include "document/studydocument.h"
#include "model/identity.h"
#include "recentfiles.h"
#include "seams.h"

#include <QColor>
#include <QHash>
#include <QMainWindow>
#include <QPointer>
#include <QTemporaryDir>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>

namespace pondra {

// The application's shared state: the study document, the identity texts, the seams to the
// person and the system, and the windows, each created on first use and at most once. Owned by main(), handed
// to every window by reference, so a test can build a fresh one.
class ModuloPondra {
public:
    explicit ModuloPondra(std::unique_ptr<Dialogs> dialogs = std::make_unique<QtDialogs>(),
                          std::unique_ptr<Environment> environment = std::make_unique<SystemEnvironment>());
    ~ModuloPondra();
    ModuloPondra(const ModuloPondra&) = delete;
    ModuloPondra& operator=(const ModuloPondra&) = delete;

    // The study, its file, its history and where the user is in it; the windows show it.
    StudyDocument& document() { return *m_document; }
    const StudyDocument& document() const { return *m_document; }
    const Study& study() const { return m_document->study(); }
    const TitlePage& titlePage() const { return m_document->titlePage(); }

    const IdentityTexts& identity() const { return m_identity; }
    // Harmless to run again: the texts are constants.
    void InitGlobals() { m_identity = pondra::InitGlobals(); }

    // The colour last chosen for a window's background.
    QColor ChosenBackColor;

    Dialogs& dialogs() { return *m_dialogs; }
    Environment& environment() { return *m_environment; }
    RecentFiles& recentFiles() { return m_recentFiles; }

    // The study kept against a crash while it has unsaved changes; started by the program,
    // not by a bare module.
    CrashRecovery& recovery() { return m_recovery; }
    // A study recovered after a crash from the file `from`: unsaved, under the name of the file
    // that held it, and kept again at once; `from` goes once the study is safe again.
    void adoptRecoveredStudy(Study&& study, const TitlePage& titlePage, const QString& fileName,
                             RecoveryFolder::Orphan from);

    // A check's message, with the OK button.
    void showMessage(QWidget* parent, const Message& message, const QString& title);
    MessageAnswer ask(QWidget* parent, const QString& text, const QString& title,
                      std::optional<MessageIcon> icon = std::nullopt,
                      MessageAnswer defaultAnswer = MessageAnswer::Yes);

    // The window of class T, created (and so loaded) on first use.
    template <class T> T* window()
    {
        const QByteArray key = T::staticMetaObject.className();
        if (T* existing = qobject_cast<T*>(m_windows.value(key).data())) {
            return existing;
        }
        auto* created = new T(*this);
        created->setObjectName(QString::fromLatin1(key));
        m_windows.insert(key, created);
        if (m_onCreated) {
            m_onCreated(*created);
        }
        return created;
    }

    // The window of class T if it is loaded, without creating it.
    template <class T> T* loadedWindow() const
    {
        return qobject_cast<T*>(m_windows.value(T::staticMetaObject.className()).data());
    }

    // Unloading hides the window and deletes it once the current event is over, so a command
    // may unload the very window it was started from.
    template <class T> void unloadWindow() { unloadWindow(QByteArray(T::staticMetaObject.className())); }
    void unloadWindow(const QByteArray& className);
    // Every window but the one of class T, the printout windows too: the end of the work.
    template <class T> void unloadWindowsBut()
    {
        unloadWindowsBut(QByteArray(T::staticMetaObject.className()));
    }
    void unloadWindowsBut(const QByteArray& className);

    // Printout windows are many and independent of one another; the module only keeps them so
    // that none outlives it.
    void adoptDocumentWindow(QWidget* window) { m_documents.append(window); }

    // A private folder (only the user may enter it) for the copies of documents handed to the
    // desktop's programs: made on first use, removed with everything in it when the module
    // goes at the end of the run. Empty when it cannot be made.
    QString handoffFolder();

    // The main windows ask for their menus, toolbar and shared commands while they load, before
    // their layout is recorded; the application's shell answers. Without one they have none.
    using Decorator = std::function<void(QMainWindow&)>;
    void setMainWindowDecorator(Decorator decorator) { m_decorator = std::move(decorator); }
    void decorate(QMainWindow& window)
    {
        if (m_decorator) {
            m_decorator(window);
        }
    }

    // Told of every window the module creates, once it is built: the shell connects the
    // ancillary windows' links to the other windows there.
    using CreationHandler = std::function<void(QWidget&)>;
    void setWindowCreatedHandler(CreationHandler handler) { m_onCreated = std::move(handler); }

    // Leaving the program, as the shell does it (the exit question first); a window asks for
    // it when closing it would leave the study with no window. Without a shell, nothing.
    using ExitProcedure = std::function<void(QWidget* from)>;
    void setExitProcedure(ExitProcedure procedure) { m_exit = std::move(procedure); }
    bool hasExitProcedure() const { return bool(m_exit); }
    void ExitProgram(QWidget* from)
    {
        if (m_exit) {
            m_exit(from);
        }
    }

private:
    IdentityTexts m_identity;
    std::unique_ptr<Dialogs> m_dialogs;
    std::unique_ptr<Environment> m_environment;
    std::unique_ptr<StudyDocument> m_document;
    RecentFiles m_recentFiles{*m_environment};
    CrashRecovery m_recovery;
    QHash<QByteArray, QPointer<QWidget>> m_windows;
    QList<QPointer<QWidget>> m_documents;
    std::unique_ptr<QTemporaryDir> m_handoff;
    Decorator m_decorator;
    CreationHandler m_onCreated;
    ExitProcedure m_exit;
};

} // namespace pondra
