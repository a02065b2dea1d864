#pragma once

#include "model/scoring.h"
#include "model/study.h"

#include "mainwindow.h"

#include <QColor>

#include <array>
#include <memory>
#include <optional>

class QCheckBox;
class QKeyEvent;
class QWheelEvent;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;

namespace pondra {

class ClickableLabel;
class ModuloPondra;
class WeightArrows;

// The Data window: one hypothesis at a time, ten of its characteristic rows, the judgement
// scale, the check figures. It shows the study document where the user is in it; every edit
// goes to the document, and the window shows what the document says changed.
class requisiti : public MainWindow {
    Q_OBJECT

public:
    static constexpr int Slots = 10;

    explicit requisiti(ModuloPondra& module);
    ~requisiti() override;

    // The data check as every command that needs sound data runs it: silent when the data pass,
    // the problem told otherwise. Whether they passed.
    bool checkQuietly();

public Q_SLOTS:
    void Check_Click(int index);
    void requisito_Change(int index);
    void scala_Click(int index);
    void numero_Click(int index);
    void scroll_Change(int index);
    // A weight typed into a row's box, committed by Enter, Tab or leaving the box.
    void percentuale_Change(int index);
    // Gives the row last clicked the weight that leaves nothing to assign.
    void completa_Click();
    void VScroll1_Change();
    void HScroll1_Change();
    void ipotesi_Change();
    void controllodati_Click();
    void cancellare_Click();
    void aiuto_Click();

Q_SIGNALS:
    // The window's command buttons ask for what the rest of the program does.
    void resultsRequested();
    void printRequested();
    void helpContentsRequested();
    void exitRequested();
    void pairwiseComparisonRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Commits a weight typed but not yet confirmed, as leaving its box would: done before the
    // rows move or are checked, and for any command that reads the study while the cursor may
    // still be in a box (a key such as Ctrl+S does not take the focus away).
    void commitTypedWeights();
    void Form_Load();
    void buildControls();
    void followDocument();
    void ShowRows();
    void EnableScale();
    void DisableScale();
    void CloseRow();
    void showFigures(const ScoreFigures& figures);
    // Shows the hypothesis the document shows, whole.
    void showCurrentHypothesis();
    // The next real step for the hypothesis shown, for the hint line.
    QString nextStep() const;
    // The colour of row r's number: it stays with the row when the rows scroll.
    void markRow(int r, const QColor& colour);
    // Shows what changed in row r of the shown hypothesis.
    void showChangedRow(int r);
    void showJudgement(int index, const CharacteristicEntry& row);
    void showWeight(int index, const Value& weight);
    // Names slot index's controls after the row it shows, as a screen reader reads them.
    void nameRow(int index);
    // The row read whole (name, judgement, number, coefficient, weight) with its controls.
    void describeRow(int index);
    // A keystroke in a weight box: the reason at once when the text cannot become a weight.
    void percentuale_Edited(int index, const QString& text);
    void markWeight(int index, bool wrong);
    // Says why a weight was refused beside its box and on the hint line.
    void refuseWeight(int index, const QString& reason);
    void tellRefusal(const QString& reason);
    void weightAccepted();
    void completeRow(int index);
    void showRowMenu(int index, QWidget* at, const QPoint& position);
    std::optional<int> weightBoxSlot(QObject* watched) const;
    int rowOfSlot(int index) const;
    std::optional<int> slotOfRow(int r) const;
    // The data check; a pass is told only when `tellPass`.
    bool runCheck(bool tellPass);
    // The step whose underlined letter the key is, while the scale is active.
    std::optional<int> scaleStepForKey(const QKeyEvent& key) const;
    bool scaleKey(QObject* watched, QEvent* event);
    bool rowAreaWheel(QObject* watched, QWheelEvent* event);

    // Control arrays, indexed from 1 like the slots they show; index 0 is unused.
    std::array<QCheckBox*, Slots + 1> Check{};
    std::array<ClickableLabel*, Slots + 1> numero{};
    std::array<QComboBox*, Slots + 1> requisito{};
    std::array<QLabel*, Slots + 1> giudizio{};
    std::array<QLabel*, Slots + 1> valore{};
    std::array<QLabel*, Slots + 1> coefficiente{};
    std::array<QLineEdit*, Slots + 1> percentuale{};
    std::array<WeightArrows*, Slots + 1> scroll{};
    std::array<QPushButton*, 12> scala{}; // steps 1..11

    QScrollBar* VScroll1 = nullptr;
    QScrollBar* HScroll1 = nullptr;
    QLabel* hypothesisNumber = nullptr; // "Ipotesi n. 3"
    QLineEdit* ipotesi = nullptr;
    QLabel* media = nullptr;
    QLabel* resto = nullptr;
    QLabel* ponderata = nullptr;
    QPushButton* aiuto = nullptr;
    QPushButton* avanti = nullptr;
    QPushButton* cmdstampa = nullptr;
    QPushButton* cmdGuida = nullptr;
    QPushButton* cmdesci = nullptr;
    QPushButton* cmdconfronto = nullptr;
    QGroupBox* Frame1 = nullptr;

    // The slot the scale acts on; nothing until a box or a row number is first clicked.
    std::optional<int> CurrentRowSlot;
    std::array<QColor, MaxRows + 1> m_rowMarks;
    // The row last clicked (ticked, its number, its weight or arrows), which "Completa a 100"
    // completes.
    std::optional<int> m_selectedSlot;
    // A refusal on the hint line, and the hint it replaced, shown again once a weight is accepted.
    struct Refusal {
        QString hint;
        QString reason;
    };
    std::optional<Refusal> m_refusal;
    // The rows as last shown, so that an edit shows only what it changed.
    std::array<CharacteristicEntry, Slots + 1> m_shownRows{};
    // The press of a key whose shortcut override already chose a step.
    std::optional<QKeyCombination> m_swallowedKey;
};

} // namespace pondra
