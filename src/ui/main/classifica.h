#pragma once

#include "mainwindow.h"

#include <array>
#include <memory>

class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QScrollBar;

namespace pondra {

class LabelTable;
class ModuloPondra;
struct RankingEntry;

// The Results window: fifteen positions of the ranking at a time, read-only, the evaluation
// coloured green for a positive hypothesis and red for a negative one.
class classifica : public MainWindow {
    Q_OBJECT

public:
    static constexpr int Rows = 15;

    explicit classifica(ModuloPondra& module);
    ~classifica() override;

public Q_SLOTS:
    // Fills the fifteen rows from the ranking, starting at the position the bar shows.
    void VScroll1_Change();
    void aiuto_Click();

Q_SIGNALS:
    // A click on the window itself, away from its controls, asks for the window's help page.
    void helpRequested();
    // The window's command buttons ask for what the rest of the program does.
    void titlePageRequested();
    void robustnessRequested();
    void printRequested();
    void reportRequested();
    void helpContentsRequested();
    void exitRequested();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void Form_Load();
    void buildControls();
    // Names row i of the table after the hypothesis it shows, for a screen reader.
    void readRow(int i, int position, const RankingEntry& entry);

    // Holds the headings and the cells, and reads them to a screen reader as a table.
    LabelTable* table = nullptr;
    // Cells of the rows, indexed from 1 like the rows they show; index 0 is unused.
    std::array<QLabel*, Rows + 1> numero{};
    std::array<QLabel*, Rows + 1> nameCell{};
    std::array<QLabel*, Rows + 1> evaluationCell{};
    std::array<QLabel*, Rows + 1> judgementCell{};
    QScrollBar* VScroll1 = nullptr;

    QGroupBox* Frame2 = nullptr;
    QPushButton* aiuto = nullptr;
    QPushButton* cmdGuida = nullptr;
    QPushButton* avanti = nullptr;
    QPushButton* cmdstampa = nullptr;
    QPushButton* cmdesci = nullptr;

    // The solidity of the ranking: its window, and whether the estimate report carries it.
    QPushButton* cmdsolidita = nullptr;
    QCheckBox* includiSolidita = nullptr;
    // Whether the estimate report carries the pairwise comparisons the weights came from.
    QCheckBox* includiPesi = nullptr;
    // The estimate report with the sections the boxes choose.
    QPushButton* cmdrelazione = nullptr;

    bool m_pressedOnBackground = false;
    bool m_rowsFilled = false;
};

} // namespace pondra
