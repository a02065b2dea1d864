#include "crashrecovery.h"

#include "archive/recoveryfile.h"
#include "archive/regularfile.h"

#include <QFile>

namespace pondra {

CrashRecovery::CrashRecovery(const QString& folder, Source source)
    : m_folderPath(folder), m_folder(folder), m_source(std::move(source))
{
    QObject::connect(&m_timer, &QTimer::timeout, [this] { writeIfChanged(); });
}

CrashRecovery::~CrashRecovery()
{
    // A study taken over and never written again keeps its file for the next start.
    removeOwnFile();
}

void CrashRecovery::start(int intervalMs)
{
    m_file = m_folder.ownFile();
    if (m_file.isEmpty()) {
        qWarning("Pondra: la cartella per il recupero dei dati non si può usare: %s",
                 qUtf8Printable(shownFileName(m_folderPath)));
    }
    m_timer.start(intervalMs);
}

bool CrashRecovery::writeIfChanged()
{
    if (!m_timer.isActive()) {
        return false;
    }
    const std::optional<quint64> revision = m_source.unsavedRevision();
    if (!revision) {
        discard();
        return false;
    }
    const Written now{*revision, m_source.fileName ? m_source.fileName() : QString()};
    if (now == m_written) {
        return false;
    }
    if (m_file.isEmpty()) {
        m_file = m_folder.ownFile();
    }
    QString error;
    if (m_file.isEmpty()) {
        report(QStringLiteral("la cartella non si può usare."));
        return false;
    }
    if (!writeRecoveryFile(m_file, m_source.study(), m_source.titlePage(), now.fileName, &error)) {
        // Tried again at the next tick; the program goes on meanwhile.
        report(error);
        return false;
    }
    m_written = now;
    if (m_takenOver) {
        QFile::remove(m_takenOver->path);
        m_takenOver.reset();
    }
    return true;
}

void CrashRecovery::discard()
{
    removeOwnFile();
    if (m_takenOver) {
        QFile::remove(m_takenOver->path);
        m_takenOver.reset();
    }
}

void CrashRecovery::takeOver(RecoveryFolder::Orphan orphan)
{
    m_takenOver = std::move(orphan);
    // It goes only once a write made after it was taken over succeeds.
    m_written.reset();
}

void CrashRecovery::removeOwnFile()
{
    m_written.reset();
    if (!m_file.isEmpty()) {
        QFile::remove(m_file);
    }
}

void CrashRecovery::report(const QString& why)
{
    qWarning("Pondra: copia di recupero non scritta: %s", qUtf8Printable(why));
    if (!m_told && m_onProblem) {
        m_told = m_onProblem(
            QStringLiteral(
                "attenzione: la copia di recupero non si può scrivere in «%1»; salvare spesso lo studio")
                .arg(shownFileName(m_folderPath)));
    }
}

} // namespace pondra
