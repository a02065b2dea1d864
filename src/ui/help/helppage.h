#pragma once

#include <QWidget>

#include <memory>

class QLabel;
class QPushButton;
class QScrollArea;

namespace pondra {

class ModuloPondra;
class clsResize;

// One page of the on-line help: a title, one paragraph of text and three buttons. Every page
// is its own class below, so the module keeps at most one of each; closing a page unloads it.
class HelpPage : public QWidget {
    Q_OBJECT

public:
    ~HelpPage() override;

    // 1 for the quick manual, up to 7 for the Title-page window, as in the help contents.
    int topic() const { return m_topic; }

    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    // Holds Label2, so a long text scrolls rather than being cut at any window size.
    QScrollArea* textArea = nullptr;
    QPushButton* cmdstampa = nullptr;
    QPushButton* cmdchiudi = nullptr;
    QPushButton* cmdSommario = nullptr;

public Q_SLOTS:
    void cmdstampa_Click();
    void cmdchiudi_Click();
    void cmdSommario_Click();

Q_SIGNALS:
    // Back to the help contents.
    void contentsRequested();

protected:
    HelpPage(ModuloPondra& module, int topic);

    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    ModuloPondra& m_module;
    int m_topic;
    std::unique_ptr<clsResize> m_resize;
};

class manuale : public HelpPage {
    Q_OBJECT
public:
    explicit manuale(ModuloPondra& module) : HelpPage(module, 1) {}
};

class guidafunzionamento : public HelpPage {
    Q_OBJECT
public:
    explicit guidafunzionamento(ModuloPondra& module) : HelpPage(module, 2) {}
};

class guidaarchivio : public HelpPage {
    Q_OBJECT
public:
    explicit guidaarchivio(ModuloPondra& module) : HelpPage(module, 3) {}
};

class guidastampa : public HelpPage {
    Q_OBJECT
public:
    explicit guidastampa(ModuloPondra& module) : HelpPage(module, 4) {}
};

class guidacaratteristiche : public HelpPage {
    Q_OBJECT
public:
    explicit guidacaratteristiche(ModuloPondra& module) : HelpPage(module, 5) {}
};

class guidagraduatoria : public HelpPage {
    Q_OBJECT
public:
    explicit guidagraduatoria(ModuloPondra& module) : HelpPage(module, 6) {}
};

class guidafrontespizio : public HelpPage {
    Q_OBJECT
public:
    explicit guidafrontespizio(ModuloPondra& module) : HelpPage(module, 7) {}
};

class guidaconfronto : public HelpPage {
    Q_OBJECT
public:
    explicit guidaconfronto(ModuloPondra& module) : HelpPage(module, 8) {}
};

} // namespace pondra
