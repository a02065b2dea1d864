#pragma once

#include "studyhistory.h"

#include "model/datacheck.h"
#include "model/decimal.h"
#include "model/ranking.h"
#include "model/scoring.h"
#include "model/study.h"
#include "model/titlepage.h"

#include <QDate>
#include <QObject>
#include <QString>

#include <memory>
#include <optional>
#include <utility>
#include <vector>

namespace pondra {

// The study being worked on: its data and title page, the file that holds it, its history of
// edits, its ranking, and where the user is in it (the hypothesis shown and the first row
// shown). Every change goes through here, whoever asks for it (a window, Annulla and Ripeti,
// a file opened), and is told through the signals; the windows are views that show what the
// signals say. The command line reads the same model without a document.
class StudyDocument : public QObject {
    Q_OBJECT

public:
    // The rows of a hypothesis shown at once, and the last row that can be the first shown.
    static constexpr int VisibleRows = 10;
    static constexpr int MaxFirstShownRow = MaxRows - VisibleRows + 1;

    // A new study's title page carries the given day.
    explicit StudyDocument(const QDate& today, QObject* parent = nullptr);
    ~StudyDocument() override;

    const Study& study() const { return *m_study; }
    const TitlePage& titlePage() const { return m_titlePage; }
    const Ranking& ranking() const { return *m_ranking; }

    // The file that holds the study; empty when none does.
    QString fileName() const { return m_fileName; }
    // Whether the file name came with a recovered study: a recovery copy names it on its last
    // line, which anything could have written, so the first save there asks first.
    bool fileNameOnlyProposed() const { return m_fileNameOnlyProposed; }
    // Whether `path` names the study's file, however spelt.
    bool isCurrentFile(const QString& path) const;
    // Whether the study or its title page changed since it was last opened or saved (a new study
    // counts as saved, with nothing to lose; a study whose file was deleted does not).
    bool isModified() const { return m_savedRevision != m_study->revision(); }

    QUndoStack& undoStack() { return m_history.stack(); }

    // Where the user is: the hypothesis shown (1..100) and the first of its rows shown.
    int shownHypothesis() const { return m_shown; }
    int firstShownRow() const { return m_firstRow; }
    // Shows hypothesis h, which scores it as showing a hypothesis always does.
    void showHypothesis(int h);
    void showRowsFrom(int firstRow);
    // Back to the first hypothesis and its first row, as a view that shows the study anew;
    // nothing is scored.
    void returnToStart();
    // Scores the shown hypothesis again and tells its figures.
    ScoreFigures scoreShown();

    // The user's edits of the shown hypothesis; each is one step of the history (typing into
    // one name, or clicking one row's arrows, merges into one).
    // Ticking an empty row gives it the name of the same row of the hypothesis before; unticking
    // a row empties it and scores the hypothesis again.
    void tickRow(int r, bool ticked);
    void nameRow(int r, const QString& name);
    // Judging and weighing score the hypothesis again.
    void judgeRow(int r, int step);
    void weighRow(int r, Decimal weight);
    // A weight typed in full is a step of its own, never merged with the arrows' clicks.
    void typeRowWeight(int r, Decimal weight);
    // Row r takes the weight that leaves nothing to assign, as a step of its own; when it cannot,
    // nothing changes and the reason is returned.
    std::optional<QString> completeRowTo100(int r);
    void nameHypothesis(const QString& name);
    void clearShownHypothesis();
    // The whole percents of the comparison's weights go into the rows it compared, and the
    // shown hypothesis keeps the comparison. When asked, every other named hypothesis whose
    // named characteristics are the same (names trimmed, any case) takes them too, each in
    // its own rows. One step, whatever it changed.
    void applyPairwiseWeights(const PairwiseComparison& comparison, bool everyHypothesisWithThoseNames);
    // Every named hypothesis that has the characteristic (its key as the fair comparison reads
    // names) gives it the weight, its other rows sharing the rest in proportion. One step.
    void applyCharacteristicWeight(const QString& key, Decimal weight);
    // Every other named hypothesis takes the shown one's characteristics and weights, row by row;
    // a characteristic it already had keeps its judgement (moved to the row of the same name),
    // any other row is emptied. One step.
    void copyCharacteristicsToOtherHypotheses();
    // The user's edits of the title page.
    void setTitleField(int i, const QString& text);
    void clearTitlePage();

    // The data check from the hypothesis shown. Data that pass leave the place shown as it was;
    // a problem moves it to the hypothesis concerned.
    DataCheckResult checkData();
    // Ranks the hypotheses as they are now, without a check.
    void rank();

    // Reads the file whole; only a complete, valid file replaces the study and its title page
    // and becomes the study's file, the study then counting as saved, with a new history. On
    // failure nothing changes and `error` says why.
    bool open(const QString& path, QString* error);
    // Writes the study and its title page; on success the file becomes the study's file and the
    // study counts as saved. A failed save changes nothing.
    bool save(const QString& path, QString* error);
    // No file holds the study any more: a cancelled open, or the next save asks for a name.
    void forgetFileName();
    // The study's file is gone: the study is in no file any more, so it has unsaved changes.
    void fileDeleted();
    // A study read from elsewhere (a spreadsheet) as a new study in no file: the history starts
    // again from an empty study, with today's date on its title page, and the study read is one
    // step after it. Without a title page of its own it keeps that empty one.
    void importStudy(const Study& study, const std::optional<TitlePage>& titlePage);
    // A study recovered after a crash: unsaved, with a history of its own, under the name of the
    // file that held it (none when empty), where a save writes it back.
    void adoptRecovered(Study&& study, const TitlePage& titlePage, const QString& fileName = {});

    // Back to the place an undone or redone step changed: its hypothesis shown, its first row
    // in view.
    void showPlace(const ChangePlace& place);

Q_SIGNALS:
    // The shown hypothesis changed, or the study under it was replaced: show it whole.
    void shownHypothesisChanged(int h);
    void firstShownRowChanged(int firstRow);
    // The figures of the shown hypothesis, just scored.
    void figuresChanged(const ScoreFigures& figures);
    // One row of hypothesis h was edited.
    void rowChanged(int h, int r);
    void hypothesisNameChanged(int h);
    void hypothesisCleared(int h);
    void titlePageChanged();
    // The file that holds the study changed name, or no file holds it any more.
    void fileNameChanged(const QString& path);
    // The study is about to be written: a view holding an edit not yet given (a weight being
    // typed) gives it now.
    void aboutToSave();
    // The study is now the content of this file (opened or saved).
    void storedIn(const QString& path);
    // A file or a recovered study replaced the study in memory.
    void studyReplaced();
    void rankingChanged();
    // Any change of the study's data or title page: an edit, an undo or redo, another study.
    void edited();
    // A step was undone or redone; `place` says where it changed the study.
    void stepRestored(const ChangePlace& place);

private:
    void putRowWeight(int r, Decimal weight, const QString& stepText, StudyHistory::Merge merge);
    // Hypotheses given whole (rows, last named row, comparison) as one step named `text`, each
    // scored again; the unchanged ones are left out.
    void putHypotheses(const QString& text, const std::vector<std::pair<int, Hypothesis>>& changed);
    void setFileName(const QString& path);
    // Another study in memory, held by the file named, or by none (unsaved).
    void replaceStudy(Study&& study, const TitlePage& titlePage, std::optional<QString> fileName);
    // The title page as the user changed it: an edit of the study when anything differs.
    void putTitlePage(const TitlePage& page);

    std::unique_ptr<Study> m_study;
    TitlePage m_titlePage;
    // The day a new study's title page carries.
    QDate m_today;
    std::unique_ptr<Ranking> m_ranking;
    QString m_fileName;
    bool m_fileNameOnlyProposed = false;
    std::optional<quint64> m_savedRevision;
    StudyHistory m_history{*m_study, m_titlePage};
    int m_shown = 1;
    int m_firstRow = 1;
};

} // namespace pondra
