#include "midiplayer.h"

#include "settings/programfiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#ifdef Q_OS_WIN
#include <windows.h>

#include <mmsystem.h>
#endif

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

#ifdef Q_OS_WIN
// Windows plays MIDI itself, through the media control interface's sequencer, by a name of ours.
bool sendToSequencer(const QString& command, QString* answer = nullptr)
{
    wchar_t buffer[64]{};
    const std::wstring text = command.toStdWString();
    if (::mciSendStringW(text.c_str(), buffer, DWORD(std::size(buffer)), nullptr) != 0) {
        return false;
    }
    if (answer) {
        *answer = QString::fromWCharArray(buffer);
    }
    return true;
}

const QString Sequencer = QStringLiteral("pondra_musica");
#endif

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
#ifdef Q_OS_WIN
    // No command: the system's own sequencer plays it.
    return std::nullopt;
#else
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
#endif
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
    if (!isOpen() || isPlaying()) {
        return;
    }
#ifdef Q_OS_WIN
    if (!m_command) {
        m_sequencerOpen =
            m_sequencerOpen || sendToSequencer(QStringLiteral("open \"%1\" type sequencer alias %2")
                                                   .arg(QDir::toNativeSeparators(m_filePath), Sequencer));
        if (m_sequencerOpen) {
            sendToSequencer(QStringLiteral("play %1 from 0").arg(Sequencer));
        }
        return;
    }
#endif
    if (!m_command) {
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
#ifdef Q_OS_WIN
    QString mode;
    if (m_sequencerOpen && sendToSequencer(QStringLiteral("status %1 mode").arg(Sequencer), &mode)) {
        return mode == QLatin1String("playing");
    }
#endif
    return m_process && m_process->state() != QProcess::NotRunning;
}

qint64 MidiPlayer::processId() const
{
    return isPlaying() ? m_process->processId() : 0;
}

void MidiPlayer::stop(Stop how)
{
#ifdef Q_OS_WIN
    if (m_sequencerOpen) {
        sendToSequencer(QStringLiteral("stop %1").arg(Sequencer));
        if (how == Stop::Kill) {
            sendToSequencer(QStringLiteral("close %1").arg(Sequencer));
            m_sequencerOpen = false;
        }
    }
#endif
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
