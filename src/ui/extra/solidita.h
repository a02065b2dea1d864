#pragma once

#include "model/robustness.h"
#include "reports/evaluationchart.h"

#include <QWidget>

class QLabel;
class QPushButton;
class QScrollArea;
class QTableWidget;

namespace pondra {

class ModuloPondra;

// The bar chart of the evaluations, one bar per ranked hypothesis, as tall as its width asks.
class ChartView : public QWidget {
    Q_OBJECT

public:
    explicit ChartView(QWidget* parent = nullptr);

    void setBars(std::vector<ChartBar> bars);
    const std::vector<ChartBar>& bars() const { return m_bars; }

    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    std::vector<ChartBar> m_bars;
};

// "Solidità della graduatoria": the chart of the evaluations and, for every hypothesis after
// the first, the least changes of judgement that would bring it level with the first. It holds
// no data: each Aggiorna analyses the study as it stands, and while the window is shown every
// edit, undo or study opened analyses it again.
class solidita : public QWidget {
    Q_OBJECT

public:
    explicit solidita(ModuloPondra& module);
    ~solidita() override;

    const RobustnessAnalysis& analysis() const { return m_analysis; }

public Q_SLOTS:
    // Analyses the study and shows the result.
    void Aggiorna();

Q_SIGNALS:
    void printRequested();

protected:
    bool event(QEvent* event) override;

private:
    // Analyses again once the edits of the moment are over, while the window is shown.
    void followEdits();

    ModuloPondra& m_module;
    RobustnessAnalysis m_analysis;
    quint64 m_revision = 0;
    bool m_updatePending = false;

    QLabel* Sintesi = nullptr; // the word on the whole ranking
    QScrollArea* Area = nullptr;
    ChartView* Grafico = nullptr;
    QTableWidget* Tabella = nullptr;
    QLabel* Confronto = nullptr; // where the hypotheses are not weighed alike
    QPushButton* cmdstampa = nullptr;
    QPushButton* cmdchiudi = nullptr;
};

} // namespace pondra
