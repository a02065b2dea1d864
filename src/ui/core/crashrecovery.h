#pragma once

#include "model/study.h"
#include "model/titlepage.h"
#include "recoveryfolder.h"

#include <QTimer>

#include <functional>
#include <optional>

namespace pondra {

// Keeps the study against a crash: while it has unsaved changes it is written to this
// program's recovery file every 30 seconds and whenever asked (on each hypothesis change),
// but only when it changed since the last write. A save or an open leaves nothing unsaved and
// removes the file; so does a clean exit, which destroys this object.
class CrashRecovery {
public:
    static constexpr int IntervalMs = 30 * 1000;

    // What is kept: the study and title page as they stand, the file that holds it (none when
    // not given), and a number that every edit moves, nothing while the study holds no unsaved
    // change.
    struct Source {
        std::function<const Study&()> study;
        std::function<TitlePage()> titlePage;
        std::function<std::optional<quint64>()> unsavedRevision;
        std::function<QString()> fileName = {};
    };

    CrashRecovery(const QString& folder, Source source);
    ~CrashRecovery();
    CrashRecovery(const CrashRecovery&) = delete;
    CrashRecovery& operator=(const CrashRecovery&) = delete;

    // Takes this program's recovery file and starts the timer; until then nothing is written.
    // A folder that cannot be used now is tried again at each write.
    void start(int intervalMs = IntervalMs);
    // Whether it has a file of its own to write.
    bool started() const { return !m_file.isEmpty(); }

    // Whether it wrote the file now.
    bool writeIfChanged();
    // Nothing unsaved is left (saved, or another study opened): the file goes, and so does the
    // file of a study taken over.
    void discard();

    // The file a recovered study came from: removed only once the study is safe again, written
    // to this program's own file or saved. Until then it is held, so that no other program
    // offers it; if another study replaces this one first, it is let go for the next start.
    void takeOver(RecoveryFolder::Orphan orphan);
    void letGoOfTakenOver() { m_takenOver.reset(); }

    // Told the first time the study cannot be kept (the folder cannot be made or written), with
    // the text for the user; it returns whether the user was told, otherwise it is told again at
    // the next failure. Said once in a session.
    using ProblemHandler = std::function<bool(const QString& text)>;
    void setProblemHandler(ProblemHandler handler) { m_onProblem = std::move(handler); }

    QString file() const { return m_file; }
    RecoveryFolder& folder() { return m_folder; }

private:
    void removeOwnFile();
    void report(const QString& why);

    QString m_folderPath;
    RecoveryFolder m_folder;
    Source m_source;
    QString m_file;
    QTimer m_timer;
    struct Written {
        quint64 revision;
        QString fileName;
        bool operator==(const Written&) const = default;
    };
    std::optional<Written> m_written;
    std::optional<RecoveryFolder::Orphan> m_takenOver;
    ProblemHandler m_onProblem;
    bool m_told = false;
};

} // namespace pondra
