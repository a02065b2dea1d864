#pragma once

#include <QObject>
#include <QPointer>
#include <QStringList>

#include <optional>

class QProcess;

namespace pondra {

// An external program that plays the MIDI file given as its last argument.
struct MidiPlayerCommand {
    QString program;
    QStringList arguments;
    friend bool operator==(const MidiPlayerCommand&, const MidiPlayerCommand&) = default;
};

// The start-up music, played by an external MIDI player in its own process so the windows
// never wait for it (on Windows, without a player named, by the system's MIDI sequencer). It follows the
// commands of a media control: open a file, play, pause, close. A missing file, a missing player or a player
// that fails leaves it silent, and no failure is ever reported.
class MidiPlayer : public QObject {
    Q_OBJECT

public:
    // Set to a command line to choose the player; set and empty to keep the music silent.
    static constexpr const char* PlayerVariable = "PONDRA_MIDI_PLAYER";

    explicit MidiPlayer(QObject* parent = nullptr);
    ~MidiPlayer() override;

    // Beside the program, then the installed data folders.
    static QStringList defaultMusicFolders();
    // The player named by PONDRA_MIDI_PLAYER, else the first of timidity, fluidsynth (with a
    // soundfont) and aplaymidi (with ALSA_OUTPUT_PORTS) found on PATH; nothing when none.
    static std::optional<MidiPlayerCommand> findPlayerCommand();

    // Both start from the defaults above; changing them affects the next open() or play().
    void setMusicFolders(const QStringList& folders) { m_folders = folders; }
    QStringList musicFolders() const { return m_folders; }
    void setPlayerCommand(const std::optional<MidiPlayerCommand>& command) { m_command = command; }
    std::optional<MidiPlayerCommand> playerCommand() const { return m_command; }

    // A bare name is looked for in the music folders; an absolute path is taken as it is.
    void setFileName(const QString& fileName) { m_fileName = fileName; }
    QString fileName() const { return m_fileName; }

    // Finds the file; false, and closed, when it is not there.
    bool open();
    // Starts the music from the beginning; does nothing when closed or already playing.
    void play();
    // Stops the music; a later play() starts it again.
    void pause();
    // Stops the music at once and forgets the file.
    void close();

    bool isOpen() const { return !m_filePath.isEmpty(); }
    // True from play() until pause(), close() or the end of the music.
    bool isPlaying() const;
    // The file found by open(); empty when closed.
    QString filePath() const { return m_filePath; }
    // The player's process id while playing, 0 otherwise.
    qint64 processId() const;

private:
    enum class Stop { Terminate, Kill };
    void stop(Stop how);

    QStringList m_folders;
    std::optional<MidiPlayerCommand> m_command;
    QString m_fileName;
    QString m_filePath;
    QPointer<QProcess> m_process;
    // Where Windows plays the music itself, without a player of its own.
    bool m_sequencerOpen = false;
};

} // namespace pondra
