#pragma once

#include "model/titlepage.h"

#include "mainwindow.h"

#include <array>
#include <memory>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace pondra {

class ClickableLabel;
class Line;
class ModuloPondra;

// The Title-page window: shows and edits the seven heading fields of the study's title page,
// which the module keeps, and the owner's studio, shown but never editable here.
class frontespizio : public MainWindow {
    Q_OBJECT

public:
    explicit frontespizio(ModuloPondra& module);
    ~frontespizio() override;

    QLabel* Label1 = nullptr; // banner
    Line* Line2 = nullptr;

    // The seven fields, in screen and file order, each with its caption label.
    QLineEdit* progetto = nullptr;
    QLineEdit* localita = nullptr;
    QLineEdit* tipostudio = nullptr;
    QLineEdit* committente = nullptr;
    QLineEdit* luogo = nullptr;
    QLineEdit* data = nullptr;
    QLineEdit* allegati = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label6 = nullptr;
    QLabel* Label10 = nullptr;
    QLabel* Label7 = nullptr;
    QLabel* Label9 = nullptr;

    // The owner's studio and its address, from the installation settings.
    QLabel* Label8 = nullptr;
    ClickableLabel* Labelstudio = nullptr;
    ClickableLabel* labelindirizzo = nullptr;

    QGroupBox* Frame2 = nullptr;
    QPushButton* aiuto = nullptr;
    QPushButton* cmdGuida = nullptr;
    QPushButton* cmddati = nullptr;
    QPushButton* stampa = nullptr;
    QPushButton* cmdesci = nullptr;
    QLabel* passo = nullptr;

    // The boxes show the study's title page as it stands.
    void ShowFields();

public Q_SLOTS:
    void controllodat_Click();
    void cancella_Click();
    void aiuto_Click();
    void Labelstudio_Click();
    void labelindirizzo_Click();

private:
    void buildControls();
    void Form_Load();
    // The boxes in file order, so that TitlePage::field(i) and box i go together.
    std::array<QLineEdit*, TitlePage::FieldCount> boxes() const;
    void showNotEditable();
    // Field i (file order) typed into: an edit of the study's title page.
    void field_Change(int i, const QString& text);
};

} // namespace pondra
