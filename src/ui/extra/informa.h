#pragma once

#include "makerwindow.h"

class QLabel;
class QPushButton;

namespace pondra {

class ModuloPondra;

// The About window: program name, edition, maker, legal notice. One instance, hidden and kept
// when closed, so reopening shows it unchanged.
class informa : public MakerWindow {
    Q_OBJECT

public:
    explicit informa(ModuloPondra& module);

    QLabel* Image1() const { return m_icon; }
    QLabel* Label1() const { return m_label1; }
    QLabel* Label2() const { return m_label2; }
    QLabel* Label3() const { return m_label3; }
    QLabel* Label4() const { return m_label4; }
    QLabel* Label5() const { return m_label5; }
    QLabel* Label6() const { return m_label6; }
    QLabel* label7() const { return m_label7; }
    QPushButton* cmdOK() const { return m_cmdOK; }

    // "edizione professionale - versione 3.04.05   1999- 2011" from the identity texts.
    static QString editionLine(const QString& version, const QString& versionDate, const QString& build);

public Q_SLOTS:
    void cmdOK_Click();

private:
    void Form_Load();

    ModuloPondra& m_module;
    QLabel* m_icon = nullptr;
    QLabel* m_label1 = nullptr;
    QLabel* m_label2 = nullptr;
    QLabel* m_label3 = nullptr;
    QLabel* m_label4 = nullptr;
    QLabel* m_label5 = nullptr;
    QLabel* m_label6 = nullptr;
    QLabel* m_label7 = nullptr;
    QPushButton* m_cmdOK = nullptr;
};

} // namespace pondra
