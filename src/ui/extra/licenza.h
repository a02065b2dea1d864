#pragma once

#include <QWidget>

#include <functional>
#include <memory>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace pondra {

class DocumentBuilder;
class ModuloPondra;
class clsResize;

// The program's terms of use, shown and printed. Closing only hides it, so the text box keeps
// its scroll position.
class licenza : public QWidget {
    Q_OBJECT

public:
    static constexpr int DesignWidth = 5640;  // twips
    static constexpr int DesignHeight = 6825; // twips
    static constexpr int DesignLeft = 5467;   // twips

    explicit licenza(ModuloPondra& module);
    ~licenza() override;

    QLabel* programName() const { return m_programName; }
    QPlainTextEdit* Text1() const { return m_text1; }
    QPushButton* cmdchiudi() const { return m_cmdchiudi; }
    QPushButton* cmdstampa() const { return m_cmdstampa; }
    QPushButton* cmdSommario() const { return m_cmdSommario; }

    // Shows the help contents; set by whoever owns the help windows. Unset, Sommario does nothing.
    std::function<void()> showContents;

    // The printout of the terms as the text box holds them now.
    void printTerms(DocumentBuilder& builder) const;

public Q_SLOTS:
    void cmdchiudi_Click();
    // Opens the printout in a document window.
    void cmdstampa_Click();
    void cmdSommario_Click();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void Form_Load();

    ModuloPondra& m_module;
    std::unique_ptr<clsResize> m_resize;
    QLabel* m_programName = nullptr;
    QPlainTextEdit* m_text1 = nullptr;
    QPushButton* m_cmdchiudi = nullptr;
    QPushButton* m_cmdstampa = nullptr;
    QPushButton* m_cmdSommario = nullptr;
};

} // namespace pondra
