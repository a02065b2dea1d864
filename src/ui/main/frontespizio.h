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
class ModuloPondra;

// The Title-page window: shows and edits the seven heading fields of the study's title page,
// which the module keeps, and the owner's studio, shown but never editable here.
class frontespizio : public MainWindow {
    Q_OBJECT

public:
    explicit frontespizio(ModuloPondra& module);
    ~frontespizio() override;

    // What the step line says while no studio is set: where to set it.
    static QString ownerUnsetStep();

public Q_SLOTS:
    void controllodat_Click();
    void cancella_Click();
    void aiuto_Click();
    void Labelstudio_Click();
    void labelindirizzo_Click();
    // The studio as the settings now hold it; unset, the step line says where to set it.
    void ShowOwner();

Q_SIGNALS:
    // The window's command buttons ask for what the rest of the program does.
    void dataWindowRequested();
    void printRequested();
    void helpContentsRequested();
    void exitRequested();

private:
    void buildControls();
    // The boxes show the study's title page as it stands.
    void ShowFields();
    void Form_Load();
    // The boxes in file order, so that TitlePage::field(i) and box i go together.
    std::array<QLineEdit*, TitlePage::FieldCount> boxes() const;
    void showNotEditable();
    // Field i (file order) typed into: an edit of the study's title page.
    void field_Change(int i, const QString& text);

    // The seven fields, in screen and file order.
    QLineEdit* progetto = nullptr;
    QLineEdit* localita = nullptr;
    QLineEdit* tipostudio = nullptr;
    QLineEdit* committente = nullptr;
    QLineEdit* luogo = nullptr;
    QLineEdit* data = nullptr;
    QLineEdit* allegati = nullptr;

    // The owner's studio and its address, from the installation settings.
    ClickableLabel* Labelstudio = nullptr;
    ClickableLabel* labelindirizzo = nullptr;

    QPushButton* aiuto = nullptr;
    QPushButton* cmdGuida = nullptr;
    QPushButton* cmddati = nullptr;
    QPushButton* stampa = nullptr;
    QPushButton* cmdesci = nullptr;
};

} // namespace pondra
