#include "modulopondra.h"

#include "archive/datafile.h"
#include "model/textrules.h"

#include <QDir>
#include <QFileInfo>

namespace pondra {

ModuloPondra::ModuloPondra(std::unique_ptr<Dialogs> dialogs, std::unique_ptr<Environment> environment)
    : m_study(std::make_unique<Study>()), m_ranking(std::make_unique<Ranking>()),
      m_identity(pondra::InitGlobals()), m_dialogs(std::move(dialogs)), m_environment(std::move(environment)),
      m_recovery(QDir(m_environment->userDataFolder()).filePath(QStringLiteral("recupero")),
                 {[this]() -> const Study& { return *m_study; }, [this] { return m_titlePage; },
                  [this]() -> std::optional<quint64> {
                      return isModified() ? std::optional<quint64>(m_study->revision()) : std::nullopt;
                  }})
{
    m_titlePage.data = italianLongDate(m_environment->today());
    m_savedRevision = m_study->revision();
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

void ModuloPondra::editTitlePage(const TitlePage& page)
{
    if (page == m_titlePage) {
        return;
    }
    m_titlePage = page;
    // The title page is saved with the study, so its changes are the study's.
    m_study->noteEdit();
}

bool ModuloPondra::openFile(const QString& path, QString* error)
{
    // Read beside the study in memory, which a failed read must leave as it was.
    auto read = std::make_unique<Study>();
    TitlePage page;
    if (!loadStudyFile(path, *read, page, error)) {
        return false;
    }
    m_study->replaceWith(std::move(*read));
    m_titlePage = std::move(page);
    CurrentFileName = path;
    m_savedRevision = m_study->revision();
    m_recentFiles.add(path);
    m_history.stack().clear();
    m_recovery.discard();
    return true;
}

bool ModuloPondra::saveFile(const QString& path, QString* error)
{
    if (!saveStudyFile(path, *m_study, m_titlePage, error)) {
        return false;
    }
    CurrentFileName = path;
    m_savedRevision = m_study->revision();
    m_recentFiles.add(path);
    m_recovery.discard();
    return true;
}

void ModuloPondra::adoptRecoveredStudy(Study&& study, const TitlePage& titlePage)
{
    m_study->replaceWith(std::move(study));
    m_titlePage = titlePage;
    CurrentFileName.clear();
    m_savedRevision.reset();
    m_history.stack().clear();
    m_recovery.writeIfChanged();
}

bool ModuloPondra::isCurrentFile(const QString& path) const
{
    // Compared by canonical path while both exist, so links and "." do not hide the match.
    return !CurrentFileName.isEmpty() && QFileInfo(path) == QFileInfo(CurrentFileName);
}

void ModuloPondra::currentFileDeleted()
{
    CurrentFileName.clear();
    m_savedRevision.reset();
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

} // namespace pondra
