#pragma once

#include "model/pairwisecomparison.h"

#include <QWidget>

#include <optional>

class QCheckBox;
class QLabel;
class QPushButton;
class QSlider;
class QTableWidget;

namespace pondra {

class ModuloPondra;
class Study;

// Why the characteristics of hypothesis h cannot be compared in pairs (fewer than two named, or
// more than fifteen); nothing when they can.
std::optional<QString> pairwiseComparisonProblem(const Study& study, int h);

// "Pesi a confronto": the named characteristics of the shown hypothesis, judged two at a time on
// the 17-step scale (one pair after the other, or all at once in the matrix), with the weights,
// the consistency figures and the pair to revise as the judgements change. It holds only the
// judgements being made; Applica hands them to the document, which writes the weights.
class confronto : public QWidget {
    Q_OBJECT

public:
    explicit confronto(ModuloPondra& module);
    ~confronto() override;

    // Starts from the shown hypothesis: its stored comparison when it still fits its rows, else
    // every pair "ugualmente importanti". False, changing nothing, when it cannot be compared.
    bool Carica();

    const PairwiseComparison& comparison() const { return m_comparison; }
    const PairwiseFigures& figures() const { return m_figures; }
    // The pair asked now, as an index into the comparison's steps.
    int currentPair() const { return m_pair; }

    // Judges pair k (an index into the comparison's steps) as the scale would.
    void Giudica(int pair, int step) { setStep(pair, step); }

public Q_SLOTS:
    void Avanti();
    void Indietro();
    void Applica();

Q_SIGNALS:
    void helpRequested();

private:
    void showPair();
    void setStep(int pair, int step);
    void showMatrix();
    void matrixEdited(int row, int column);
    void showFigures();
    QString nameOf(int i) const;

    ModuloPondra& m_module;
    int m_hypothesis = 0;
    QStringList m_names;
    PairwiseComparison m_comparison;
    PairwiseFigures m_figures;
    int m_pair = 0;
    bool m_showing = false;

    QLabel* Ipotesi = nullptr;
    QLabel* Coppia = nullptr;
    QLabel* Domanda = nullptr;
    QSlider* Scala = nullptr;
    QLabel* Prima = nullptr;   // the first of the pair, at the scale's left end
    QLabel* Seconda = nullptr; // and the second, at its right end
    QLabel* Giudizio = nullptr;
    QPushButton* cmdindietro = nullptr;
    QPushButton* cmdavanti = nullptr;
    QTableWidget* Matrice = nullptr;
    QTableWidget* Pesi = nullptr;
    QLabel* Indici = nullptr;
    QLabel* Coerenza = nullptr;
    QCheckBox* AncheAltre = nullptr;
    QPushButton* cmdapplica = nullptr;
    QPushButton* cmdchiudi = nullptr;
    QPushButton* cmdguida = nullptr;
};

} // namespace pondra
