#pragma once

#include "archive/pricelist.h"

#include <QWidget>

#include <array>
#include <functional>
#include <memory>

class QLabel;
class QPushButton;
class QScrollBar;

namespace pondra {

class LabelTable;
class ModuloPondra;
class clsResize;

// The maker's catalogue, ten programs at a time, read once from the price-list file beside the
// program. One instance: closing only hides it, so reopening keeps the scroll position.
class prodotti : public QWidget {
    Q_OBJECT

public:
    static constexpr int Rows = 10;
    static constexpr int DesignWidth = 9600;  // twips
    static constexpr int DesignHeight = 6825; // twips

    explicit prodotti(ModuloPondra& module);
    ~prodotti() override;

    // Reads the list from that file instead and shows it from its first entry. An unreadable
    // file leaves an empty list, the bar fixed and a note naming the file.
    void loadFrom(const QString& path);

    const PriceList& list() const { return m_list; }
    // Empty when the list was read.
    const QString& loadError() const { return m_loadError; }

    // Shows the help contents; set by whoever owns the help windows. Without it Sommario does nothing.
    std::function<void()> showContents;

    // The entry shown in the first row, from 1.
    int ListTop = 1;

    // Holds the headings and the rows, and reads them to a screen reader as a table.
    LabelTable* table = nullptr;
    QLabel* Label1 = nullptr;  // title
    QLabel* Label10 = nullptr; // the list's heading
    QLabel* Label2 = nullptr;  // headings
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label6 = nullptr;
    // Rows, indexed from 1 like the rows they show; index 0 is unused.
    std::array<QLabel*, Rows + 1> num{};
    std::array<QLabel*, Rows + 1> nom{};
    std::array<QLabel*, Rows + 1> argom{};
    std::array<QLabel*, Rows + 1> eur{};
    std::array<QLabel*, Rows + 1> off{};
    QScrollBar* VScroll1 = nullptr;
    // Says why the list is empty when the file could not be read; hidden otherwise.
    QLabel* Avviso = nullptr;
    QLabel* Label11 = nullptr; // catalogue note
    QLabel* Label8 = nullptr;  // further copies
    QLabel* Label7 = nullptr;  // terms of sale
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;
    QPushButton* cmdchiudi = nullptr;
    QPushButton* cmdstampa = nullptr;
    QPushButton* cmdSommario = nullptr;

public Q_SLOTS:
    void VScroll1_Change();
    void Command1_Click();
    void Command2_Click();
    void cmdchiudi_Click();
    void cmdstampa_Click();
    void cmdSommario_Click();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void buildControls();
    void Form_Load();
    // Hands the address to the desktop; as with any link, a missing browser or mail program
    // shows nothing.
    void Link(const QString& address);

    ModuloPondra& m_module;
    std::unique_ptr<clsResize> m_resize;
    PriceList m_list;
    QString m_loadError;
};

} // namespace pondra
