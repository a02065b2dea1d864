#pragma once

#include "model/scoring.h"

#include "mainwindow.h"

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
// scale, the check figures. Every edit is written through to the study at once.
class requisiti : public MainWindow {
    Q_OBJECT

public:
    static constexpr int Slots = 10;

    explicit requisiti(ModuloPondra& module);
    ~requisiti() override;

    // Control arrays, indexed from 1 like the slots they show; index 0 is unused.
    std::array<QCheckBox*, Slots + 1> Check{};
    std::array<ClickableLabel*, Slots + 1> numero{};
    std::array<QComboBox*, Slots + 1> requisito{};
    std::array<QLabel*, Slots + 1> giudizio{};
    std::array<QLabel*, Slots + 1> valore{};
    std::array<QLabel*, Slots + 1> coefficiente{};
    std::array<QLabel*, Slots + 1> percentuale{};
    std::array<WeightArrows*, Slots + 1> scroll{};
    std::array<QPushButton*, 12> scala{}; // steps 1..11

    QScrollBar* VScroll1 = nullptr;
    QScrollBar* HScroll1 = nullptr;
    QLabel* Label9 = nullptr;
    QLineEdit* ipotesi = nullptr;
    QLabel* media = nullptr;
    QLabel* resto = nullptr;
    QLabel* ponderata = nullptr;
    QLabel* passo = nullptr;
    // Command buttons; the shell wires those it offers and leaves the others disabled.
    QPushButton* aiuto = nullptr;
    QPushButton* avanti = nullptr;
    QPushButton* cmdstampa = nullptr;
    QPushButton* cmdGuida = nullptr;
    QPushButton* cmdesci = nullptr;
    QGroupBox* Frame1 = nullptr;

    // The slot the scale acts on; nothing until a box or a row number is first clicked.
    std::optional<int> CurrentRowSlot;

    void ShowRows();
    void EnableScale();
    void DisableScale();

public Q_SLOTS:
    void Check_Click(int index);
    void requisito_Change(int index);
    void scala_Click(int index);
    void numero_Click(int index);
    void scroll_Change(int index);
    void VScroll1_Change();
    void HScroll1_Change();
    void ipotesi_Change();
    void controllodati_Click();
    void cancellare_Click();
    void aiuto_Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Form_Load();
    void buildControls();
    void CloseRow();
    void showFigures(const ScoreFigures& figures);
    // Shows the hypothesis now current in the study, after the study moved to it.
    void showCurrentHypothesis();
    void setNameField(int index, const QString& text);
    void setStep(const QString& text);
    int rowOfSlot(int index) const;
    // The step whose underlined letter the key is, while the scale is active.
    std::optional<int> scaleStepForKey(const QKeyEvent& key) const;
    bool scaleKey(QObject* watched, QEvent* event);
    bool rowAreaWheel(QObject* watched, QWheelEvent* event);

    // The press of a key whose shortcut override already chose a step.
    std::optional<QKeyCombination> m_swallowedKey;
};

} // namespace pondra
