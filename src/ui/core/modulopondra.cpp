#include "modulopondra.h"

#include "settings/userfiles.h"

#include <QDir>
#include <QFileInfo>

#include <utility>

namespace pondra {

ModuloPondra::ModuloPondra(std::unique_ptr<Dialogs> dialogs, std::unique_ptr<Environment> environment)
    : m_identity(pondra::InitGlobals()), m_dialogs(std::move(dialogs)), m_environment(std::move(environment)),
      m_document(std::make_unique<StudyDocument>(m_environment->today())),
      m_recovery(QDir(m_environment->userDataFolder()).filePath(QLatin1String(RecoverySubfolder)),
                 {[this]() -> const Study& { return m_document->study(); },
                  [this] { return m_document->titlePage(); },
                  [this]() -> std::optional<quint64> {
                      return m_document->isModified() ? std::optional<quint64>(m_document->study().revision())
                                                      : std::nullopt;
                  },
                  [this] { return m_document->fileName(); }})
{
    // A study opened or saved is safe in its file: remembered among the recent ones, no longer
    // kept for recovery.
    QObject::connect(m_document.get(), &StudyDocument::storedIn, m_document.get(),
                     [this](const QString& path) {
                         m_recentFiles.add(path);
                         m_recovery.discard();
                     });
    // Another study in place of a recovered one not yet kept again: its file waits for the next start.
    QObject::connect(m_document.get(), &StudyDocument::studyReplaced, m_document.get(),
                     [this] { m_recovery.letGoOfTakenOver(); });
}

QString ModuloPondra::handoffFolder()
{
    if (!m_handoff || !m_handoff->isValid()) {
        // Made with a random name and for the owner only, so no one else can plant a file or a
        // link in it.
        m_handoff =
            std::make_unique<QTemporaryDir>(QDir(QDir::tempPath()).filePath(QStringLiteral("pondra-XXXXXX")));
    }
    return m_handoff->isValid() ? m_handoff->path() : QString();
}

ModuloPondra::~ModuloPondra()
{
    // No event loop is left to delete them later.
    const auto windows = m_windows;
    m_windows.clear();
    for (const QPointer<QWidget>& w : windows) {
        delete w.data();
    }
    for (const QPointer<QWidget>& w : std::as_const(m_documents)) {
        delete w.data();
    }
}

void ModuloPondra::adoptRecoveredStudy(Study&& study, const TitlePage& titlePage, const QString& fileName,
                                       RecoveryFolder::Orphan from)
{
    m_document->adoptRecovered(std::move(study), titlePage, fileName);
    m_recovery.takeOver(std::move(from));
    m_recovery.writeIfChanged();
}

void ModuloPondra::showMessage(QWidget* parent, const Message& message, const QString& title)
{
    m_dialogs->message(parent, {message.text, title, message.icon, MessageButtons::Ok});
}

MessageAnswer ModuloPondra::ask(QWidget* parent, const QString& text, const QString& title,
                                std::optional<MessageIcon> icon, MessageAnswer defaultAnswer)
{
    return m_dialogs->message(parent, {text, title, icon, MessageButtons::YesNo, defaultAnswer});
}

void ModuloPondra::unloadWindow(const QByteArray& className)
{
    if (QPointer<QWidget> w = m_windows.take(className)) {
        w->hide();
        w->deleteLater();
    }
}

void ModuloPondra::unloadWindowsBut(const QByteArray& className)
{
    for (const QByteArray& name : m_windows.keys()) {
        if (name != className) {
            unloadWindow(name);
        }
    }
    for (const QPointer<QWidget>& document : std::exchange(m_documents, {})) {
        if (document) {
            document->hide();
            document->deleteLater();
        }
    }
}

} // namespace pondra
