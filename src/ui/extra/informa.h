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

    QLabel* icon() const { return m_icon; }
    QLabel* programName() const { return m_programName; }
    QLabel* description() const { return m_description; }
    QLabel* brand() const { return m_brand; }
    QLabel* copyrightNotice() const { return m_copyrightNotice; }
    QLabel* systemInfo() const { return m_systemInfo; }
    QLabel* edition() const { return m_edition; }
    QLabel* musicCredit() const { return m_musicCredit; }
    QPushButton* cmdOK() const { return m_cmdOK; }

    // "edizione professionale - versione 3.04.05   1999- 2011" from the identity texts.
    static QString editionLine(const QString& version, const QString& versionDate, const QString& build);

public Q_SLOTS:
    void cmdOK_Click();

private:
    void Form_Load();

    ModuloPondra& m_module;
    QLabel* m_icon = nullptr;
    QLabel* m_programName = nullptr;
    QLabel* m_description = nullptr;
    QLabel* m_brand = nullptr;
    QLabel* m_copyrightNotice = nullptr;
    QLabel* m_systemInfo = nullptr;
    QLabel* m_edition = nullptr;
    QLabel* m_musicCredit = nullptr;
    QPushButton* m_cmdOK = nullptr;
};

} // namespace pondra
