#pragma once

#include <QStringList>
#include <QWidget>

#include <array>
#include <functional>
#include <memory>

class QLabel;
class QPushButton;

namespace pondra {

class ClickableLabel;
class HelpPage;
class ModuloPondra;
class clsResize;

// The last three topics of the help contents, after the seven help pages: each opens a window
// of its own.
enum class AncillaryTopic { TipOfTheDay = 8, TermsOfUse = 9, PriceList = 10 };

// The help contents: ten topics, each an arrow button and a label that open the same window.
// Closing only hides it, so it comes back as it was left.
class sommario : public QWidget {
    Q_OBJECT

public:
    static constexpr int TopicCount = 10;

    explicit sommario(ModuloPondra& module);
    ~sommario() override;

    // Caption of topic 1..10, leading blanks included.
    static QString topicCaption(int index);

    QLabel* Label1 = nullptr;
    // Indexed from 1; element 0 stays empty.
    std::array<QPushButton*, TopicCount + 1> puls{};
    std::array<ClickableLabel*, TopicCount + 1> lbl{};
    QPushButton* cmdstampa = nullptr;
    QPushButton* cmdchiudi = nullptr;
    QPushButton* cmduscita = nullptr;

    // The program's exit, set by the application's shell.
    std::function<void()> exitProgram;
    // Opens the window of one of the last three topics; set by the shell.
    std::function<void(AncillaryTopic topic)> openAncillary;
    // Where the contents printout is saved, first usable one wins: the user's documents
    // folder, then the home folder.
    QStringList guideFolders;

    // Topics 1-7 show their help page, 8-10 go to openAncillary; any other index shows the manual.
    void openTopic(int index);

public Q_SLOTS:
    void puls_Click(int index);
    void lbl_MouseDown(int index);
    void lbl_MouseUp(int index);
    void lbl_MouseMove(int index);
    void Form_MouseMove();
    void cmdstampa_Click();
    void cmdchiudi_Click();
    void cmduscita_Click();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void setBold(int index, bool bold);

    ModuloPondra& m_module;
    std::unique_ptr<clsResize> m_resize;
};

// Shows the help contents, created on first use, and brings it forward.
sommario* showHelpContents(ModuloPondra& module);

// The page of topic 1..8 (8 is opened from its window, not from the contents), created if need be but not
// shown; any other topic gives the manual.
HelpPage* loadHelpPage(ModuloPondra& module, int topic);

// Shows the page of topic 1..8 (any other topic: the manual) and brings it forward. The Data,
// Results and Title-page windows have their own pages, topics 5, 6 and 7.
HelpPage* openHelpPage(ModuloPondra& module, int topic);

} // namespace pondra
