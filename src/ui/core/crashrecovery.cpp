#include "crashrecovery.h"

#include "archive/recoveryfile.h"

#include <QFile>

namespace pondra {

CrashRecovery::CrashRecovery(const QString& folder, Source source)
    : m_folder(folder), m_source(std::move(source))
{
    QObject::connect(&m_timer, &QTimer::timeout, [this] { writeIfChanged(); });
}

CrashRecovery::~CrashRecovery()
{
    discard();
}

void CrashRecovery::start(int intervalMs)
{
    m_file = m_folder.ownFile();
    if (m_file.isEmpty()) {
        qWarning("Pondra: la cartella per il recupero dei dati non si può usare; si lavora senza.");
        return;
    }
    m_timer.start(intervalMs);
}

bool CrashRecovery::writeIfChanged()
{
    if (m_file.isEmpty()) {
        return false;
    }
    const std::optional<quint64> revision = m_source.unsavedRevision();
    if (!revision) {
        discard();
        return false;
    }
    if (revision == m_written) {
        return false;
    }
    QString error;
    if (!writeRecoveryFile(m_file, m_source.study(), m_source.titlePage(), &error)) {
        // Tried again at the next tick; the program goes on meanwhile.
        qWarning("Pondra: %s", qUtf8Printable(error));
        return false;
    }
    m_written = revision;
    return true;
}

void CrashRecovery::discard()
{
    m_written.reset();
    if (!m_file.isEmpty()) {
        QFile::remove(m_file);
    }
}

} // namespace pondra
