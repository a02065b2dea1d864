#pragma once

#include "makerwindow.h"

class QLabel;
class QPushButton;

namespace pondra {

class ModuloPondra;

// How customers reach the maker. One instance, hidden and kept when closed.
class supportoclienti : public MakerWindow {
    Q_OBJECT

public:
    // Everything it shows is installation data; it needs nothing of the module.
    explicit supportoclienti(ModuloPondra& module);

    QLabel* brand() const { return m_brand; }
    QLabel* address() const { return m_address; }                 // postal address
    QLabel* contacts() const { return m_contacts; }               // telephone, fax, e-mail
    QLabel* webSite() const { return m_webSite; }                 // web site and e-mail
    QLabel* howToAsk() const { return m_howToAsk; }               // how to ask for help
    QLabel* adaptations() const { return m_adaptations; }         // custom adaptations and suggestions
    QLabel* inBusinessSince() const { return m_inBusinessSince; } // in business since
    QPushButton* okButton() const { return m_okButton; }

public Q_SLOTS:
    void Command1_Click();

private:
    QLabel* m_brand = nullptr;
    QLabel* m_address = nullptr;
    QLabel* m_contacts = nullptr;
    QLabel* m_webSite = nullptr;
    QLabel* m_howToAsk = nullptr;
    QLabel* m_adaptations = nullptr;
    QLabel* m_inBusinessSince = nullptr;
    QPushButton* m_okButton = nullptr;
};

} // namespace pondra
