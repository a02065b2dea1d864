#pragma once

#include <QDialog>
#include <QString>
#include <QStringList>

class QLabel;
class QPushButton;
class QScrollArea;

namespace pondra {

class ModuloPondra;

// One hint about the program at a time, read from the tips file, one hint a line. Closing only
// hides it, so reopening shows the hint that was showing.
class frmTip : public QDialog {
    Q_OBJECT

public:
    static constexpr char TipsFileName[] = "SuggerimentiPondra.TXT";

    // Reads the tips file: the user's own copy, else the installed one.
    explicit frmTip(ModuloPondra& module);
    // Reads the given tips file instead.
    frmTip(ModuloPondra& module, const QString& tipsFile);

    // What the window shows when the tips file cannot be read: it says where the user's copy goes.
    static QString missingFileMessage();

    // Reads the file's lines (UTF-8 when valid as such, else Windows-1252) into TipList and shows the next
    // tip. False when the path is empty or the file cannot be read.
    bool LoadTips(const QString& tipsFile);
    // Shows tip TipIndex, when there is any tip.
    void DisplayCurrentTip();

    // 1-based into TipList; 0 until a file was read.
    int TipIndex() const { return m_tipIndex; }
    const QStringList& TipList() const { return m_tipList; }

    QLabel* Picture1() const { return m_picture1; }
    QLabel* heading() const { return m_heading; }
    QLabel* lblTipText() const { return m_lblTipText; }
    // Holds lblTipText, so a tip longer than the card scrolls.
    QScrollArea* tipArea() const { return m_tipArea; }
    QPushButton* cmdprecedente() const { return m_cmdprecedente; }
    QPushButton* cmdNextTip() const { return m_cmdNextTip; }
    QPushButton* cmdOK() const { return m_cmdOK; }

public Q_SLOTS:
    void cmdNextTip_Click();
    void cmdprecedente_Click();
    void cmdOK_Click();
    // Escape and the title bar's close button press Chiudi too.
    void reject() override;

private:
    void Form_Load(const QString& tipsFile);
    void ShowNextTip();

    QStringList m_tipList;
    int m_tipIndex = 0;
    // Why a tips file that is there could not be read; empty when it is missing.
    QString m_refusal;
    QLabel* m_picture1 = nullptr;
    QLabel* m_heading = nullptr;
    QLabel* m_lblTipText = nullptr;
    QScrollArea* m_tipArea = nullptr;
    QPushButton* m_cmdprecedente = nullptr;
    QPushButton* m_cmdNextTip = nullptr;
    QPushButton* m_cmdOK = nullptr;
};

} // namespace pondra
