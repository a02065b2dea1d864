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

    // What is kept: the study and title page as they stand, and a number that every edit
    // moves, nothing while the study holds no unsaved change.
    struct Source {
        std::function<const Study&()> study;
        std::function<TitlePage()> titlePage;
        std::function<std::optional<quint64>()> unsavedRevision;
    };

    CrashRecovery(const QString& folder, Source source);
    ~CrashRecovery();
    CrashRecovery(const CrashRecovery&) = delete;
    CrashRecovery& operator=(const CrashRecovery&) = delete;

    // Takes this program's recovery file and starts the timer; until then nothing is written.
    void start(int intervalMs = IntervalMs);
    bool started() const { return !m_file.isEmpty(); }

    // Whether it wrote the file now.
    bool writeIfChanged();
    // Nothing unsaved is left (saved, or another study opened): the file goes.
    void discard();

    QString file() const { return m_file; }
    RecoveryFolder& folder() { return m_folder; }

private:
    RecoveryFolder m_folder;
    Source m_source;
    QString m_file;
    QTimer m_timer;
    std::optional<quint64> m_written;
};

} // namespace pondra
