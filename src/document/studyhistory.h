#pragma once

#include "model/study.h"
#include "model/titlepage.h"

#include <QString>
#include <QUndoStack>

#include <functional>
#include <memory>
#include <optional>

namespace pondra {

// Where an undone or redone step changed the study, so that the windows can show it.
struct ChangePlace {
    int hypothesis = 0; // 0 for a change of the title page alone
    int row = 0;        // the first row changed, 0 when none was
};

// The study's one history of edits, for Annulla and Ripeti. Each edit of the document opens an
// edit of its history before it changes anything; when the outermost edit closes, whatever it
// changed in the hypothesis edited and in the title page becomes one step. Undoing a step gives the study
// back the revision it had before it, so that undoing back to the state last saved leaves the
// study unchanged; an edit that changed nothing takes no revision. Nothing is recorded while a
// step is being undone or redone, nor while no edit is open.
class StudyHistory {
public:
    // Consecutive edits of the same kind on the same place make one step: the clicks on one
    // row's arrows, the letters typed into one name or one title-page field.
    enum class Merge { None, Weight, RowName, HypothesisName, TitleField };

    StudyHistory(Study& study, TitlePage& titlePage);
    ~StudyHistory();
    StudyHistory(const StudyHistory&) = delete;
    StudyHistory& operator=(const StudyHistory&) = delete;

    class Edit {
    public:
        ~Edit();
        Edit(Edit&& other) noexcept : m_history(std::exchange(other.m_history, nullptr)) {}
        Edit(const Edit&) = delete;
        Edit& operator=(const Edit&) = delete;
        Edit& operator=(Edit&&) = delete;

    private:
        friend class StudyHistory;
        explicit Edit(StudyHistory* history) : m_history(history) {}
        StudyHistory* m_history;
    };

    // An edit of hypothesis h (and of the title page). `text` names the step after "Annulla" and
    // "Ripeti"; `place` tells apart the rows, hypotheses or fields whose edits merge.
    [[nodiscard]] Edit edit(int h, const QString& text, Merge merge = Merge::None, int place = 0);

    // Edits of several hypotheses, one after the other, made one step: undone and redone
    // together. Only outside any edit.
    class Group {
    public:
        ~Group();
        Group(Group&& other) noexcept : m_stack(std::exchange(other.m_stack, nullptr)) {}
        Group(const Group&) = delete;
        Group& operator=(const Group&) = delete;
        Group& operator=(Group&&) = delete;

    private:
        friend class StudyHistory;
        explicit Group(QUndoStack* stack) : m_stack(stack) {}
        QUndoStack* m_stack;
    };
    [[nodiscard]] Group group(const QString& text);

    QUndoStack& stack() { return m_stack; }

    // Called after a step was undone or redone, with the study already put back.
    std::function<void(const ChangePlace&)> onRestored;

private:
    class Step;
    struct Pending;

    void close();
    void restored(const ChangePlace& place);

    Study& m_study;
    TitlePage& m_titlePage;
    QUndoStack m_stack;
    int m_depth = 0;
    bool m_restoring = false;
    std::unique_ptr<Pending> m_pending;
};

} // namespace pondra
