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

class ModuloPondra;

// The Results window: fifteen positions of the ranking at a time, read-only, the evaluation
// coloured green for a positive hypothesis and red for a negative one.
class classifica : public MainWindow {
    Q_OBJECT

public:
    static constexpr int Rows = 15;

    explicit classifica(ModuloPondra& module);
    ~classifica() override;

    // Cells of the rows, indexed from 1 like the rows they show; index 0 is unused.
    std::array<QLabel*, Rows + 1> numero{};
    std::array<QLabel*, Rows + 1> Label1{}; // name
    std::array<QLabel*, Rows + 1> Label2{}; // evaluation
    std::array<QLabel*, Rows + 1> Label5{}; // overall judgement

    QLabel* Label3 = nullptr; // banner
    QLabel* passo = nullptr;
    QLabel* Label8 = nullptr;
    QLabel* Label9 = nullptr;
    QLabel* Label10 = nullptr;
    QLabel* Label4 = nullptr;
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

public Q_SLOTS:
    // Fills the fifteen rows from the ranking, starting at the position the bar shows.
    void VScroll1_Change();
    void aiuto_Click();

Q_SIGNALS:
    // A click on the window itself, away from its controls, asks for the window's help page.
    void helpRequested();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void Form_Load();
    void buildControls();

    bool m_pressedOnBackground = false;
};

} // namespace pondra
