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

    QLabel* Label1() const { return m_label1; } // brand
    QLabel* Label2() const { return m_label2; } // postal address
    QLabel* Label3() const { return m_label3; } // telephone, fax, e-mail
    QLabel* Label4() const { return m_label4; } // web site and e-mail
    QLabel* Label5() const { return m_label5; } // how to ask for help
    QLabel* Label6() const { return m_label6; } // custom adaptations and suggestions
    QLabel* Label7() const { return m_label7; } // in business since
    QPushButton* Command1() const { return m_command1; }

public Q_SLOTS:
    void Command1_Click();

private:
    QLabel* m_label1 = nullptr;
    QLabel* m_label2 = nullptr;
    QLabel* m_label3 = nullptr;
    QLabel* m_label4 = nullptr;
    QLabel* m_label5 = nullptr;
    QLabel* m_label6 = nullptr;
    QLabel* m_label7 = nullptr;
    QPushButton* m_command1 = nullptr;
};

} // namespace pondra
