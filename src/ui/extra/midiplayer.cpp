#include "midiplayer.h"

#include "settings/programfiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

namespace pondra {

namespace {

QString firstExistingFile(const QStringList& candidates)
{
    for (const QString& path : candidates) {
        if (QFileInfo(path).isFile()) {
            return path;
        }
    }
    return {};
}

} // namespace

MidiPlayer::MidiPlayer(QObject* parent)
    : QObject(parent), m_folders(defaultMusicFolders()), m_command(findPlayerCommand())
{
}

MidiPlayer::~MidiPlayer()
{
    close();
}

QStringList MidiPlayer::defaultMusicFolders()
{
    return programFolders();
}

std::optional<MidiPlayerCommand> MidiPlayer::findPlayerCommand()
{
    if (qEnvironmentVariableIsSet(PlayerVariable)) {
        const QStringList words = QProcess::splitCommand(qEnvironmentVariable(PlayerVariable));
        if (words.isEmpty()) {
            return std::nullopt;
        }
        return MidiPlayerCommand{words.first(), words.mid(1)};
    }
    if (const QString timidity = QStandardPaths::findExecutable(QStringLiteral("timidity"));
        !timidity.isEmpty()) {
        return MidiPlayerCommand{timidity, {}};
    }
    // fluidsynth cannot make a sound without a soundfont; -i plays the file and quits.
    if (const QString fluidsynth = QStandardPaths::findExecutable(QStringLiteral("fluidsynth"));
        !fluidsynth.isEmpty()) {
        const QString soundfont = firstExistingFile({
            QStringLiteral("/usr/share/sounds/sf2/default-GM.sf2"),
            QStringLiteral("/usr/share/sounds/sf2/FluidR3_GM.sf2"),
            QStringLiteral("/usr/share/sounds/sf3/default-GM.sf3"),
            QStringLiteral("/usr/share/soundfonts/default.sf2"),
            QStringLiteral("/usr/share/soundfonts/FluidR3_GM.sf2"),
        });
        if (!soundfont.isEmpty()) {
            return MidiPlayerCommand{fluidsynth, {QStringLiteral("-i"), QStringLiteral("-q"), soundfont}};
        }
    }
    // aplaymidi only sends to a synthesiser port; it knows which one from ALSA_OUTPUT_PORTS.
    if (qEnvironmentVariableIsSet("ALSA_OUTPUT_PORTS")) {
        if (const QString aplaymidi = QStandardPaths::findExecutable(QStringLiteral("aplaymidi"));
            !aplaymidi.isEmpty()) {
            return MidiPlayerCommand{aplaymidi, {}};
        }
    }
    return std::nullopt;
}

bool MidiPlayer::open()
{
    stop(Stop::Kill);
    m_filePath.clear();
    if (m_fileName.isEmpty()) {
        return false;
    }
    if (QDir::isAbsolutePath(m_fileName)) {
        m_filePath = firstExistingFile({m_fileName});
    } else {
        QStringList candidates;
        for (const QString& folder : std::as_const(m_folders)) {
            candidates += QDir(folder).filePath(m_fileName);
        }
        m_filePath = firstExistingFile(candidates);
    }
    return isOpen();
}

void MidiPlayer::play()
{
    if (!isOpen() || !m_command || isPlaying()) {
        return;
    }
    auto* process = new QProcess(this);
    process->setProgram(m_command->program);
    process->setArguments(m_command->arguments + QStringList{m_filePath});
    // The player talks to nobody: its output would only pile up in memory.
    process->setStandardInputFile(QProcess::nullDevice());
    process->setStandardOutputFile(QProcess::nullDevice());
    process->setStandardErrorFile(QProcess::nullDevice());
    connect(process, &QProcess::finished, process, &QObject::deleteLater);
    connect(process, &QProcess::errorOccurred, process, [process](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart) {
            process->deleteLater();
        }
    });
    m_process = process;
    process->start();
}

void MidiPlayer::pause()
{
    stop(Stop::Terminate);
}

void MidiPlayer::close()
{
    stop(Stop::Kill);
    m_filePath.clear();
}

bool MidiPlayer::isPlaying() const
{
    return m_process && m_process->state() != QProcess::NotRunning;
}

qint64 MidiPlayer::processId() const
{
    return isPlaying() ? m_process->processId() : 0;
}

void MidiPlayer::stop(Stop how)
{
    QProcess* process = m_process.data();
    m_process = nullptr;
    if (!process) {
        return;
    }
    if (process->state() == QProcess::NotRunning) {
        delete process;
        return;
    }
    // The stopped player outlives this object until it has really ended, so the window that
    // owns the music can go at once without waiting for it.
    if (QCoreApplication* app = QCoreApplication::instance()) {
        process->setParent(app);
    }
    if (how == Stop::Terminate) {
        process->terminate();
    } else {
        process->kill();
    }
}

} // namespace pondra
