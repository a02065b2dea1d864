#pragma once

#include "ui/extra/confronto.h"
#include "ui/extra/solidita.h"
#include "ui/main/classifica.h"
#include "ui/main/clickablelabel.h"
#include "ui/main/frontespizio.h"
#include "ui/main/requisiti.h"
#include "ui/main/weightarrows.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSlider>
#include <QTableWidget>

#include <array>

// The controls of the Data, Results, Title-page and Solidità windows, found as a screen reader
// finds them, by their object names, and called by the names the windows give them (the cells
// of the Results window by their old names: Label1 the name, Label2 the evaluation, Label5 the
// overall judgement). A control that is not there stops the test, naming it.
namespace testsupport {

namespace detail {

// A window's widgets by object name; the first one found wins.
class NamedWidgets {
public:
    explicit NamedWidgets(const QWidget* window) : m_window(window)
    {
        for (QWidget* widget : window->findChildren<QWidget*>()) {
            if (!widget->objectName().isEmpty() && !m_widgets.contains(widget->objectName())) {
                m_widgets.insert(widget->objectName(), widget);
            }
        }
    }

    // The control of that name, of the target's type.
    template <class T> void get(T*& target, const QString& name) const
    {
        target = qobject_cast<T*>(m_widgets.value(name));
        if (!target) {
            qFatal("%s has no %s named \"%s\"", m_window->metaObject()->className(),
                   T::staticMetaObject.className(), qUtf8Printable(name));
        }
    }

    // Controls name_1 .. name_{N-1}; element 0 stays empty, as the windows index them from 1.
    template <class T, std::size_t N> void getAll(std::array<T*, N>& controls, const char* name) const
    {
        for (std::size_t i = 1; i < N; ++i) {
            get(controls[i], QStringLiteral("%1_%2").arg(QLatin1StringView(name)).arg(i));
        }
    }

    // A label without a name, found by what it says.
    QLabel* labelSaying(const QString& text) const
    {
        for (QLabel* label : m_window->findChildren<QLabel*>()) {
            if (label->text() == text) {
                return label;
            }
        }
        qFatal("%s has no label saying \"%s\"", m_window->metaObject()->className(), qUtf8Printable(text));
    }

private:
    const QWidget* m_window;
    QHash<QString, QWidget*> m_widgets;
};

} // namespace detail

struct DataControls {
    static constexpr std::size_t Slots = pondra::requisiti::Slots + 1;

    std::array<QCheckBox*, Slots> Check{};
    std::array<pondra::ClickableLabel*, Slots> numero{};
    std::array<QComboBox*, Slots> requisito{};
    std::array<QLabel*, Slots> giudizio{};
    std::array<QLabel*, Slots> valore{};
    std::array<QLabel*, Slots> coefficiente{};
    std::array<QLineEdit*, Slots> percentuale{};
    std::array<pondra::WeightArrows*, Slots> scroll{};
    std::array<QPushButton*, 12> scala{}; // steps 1..11
    QScrollBar* VScroll1 = nullptr;
    QScrollBar* HScroll1 = nullptr;
    QLabel* Label9 = nullptr; // "Ipotesi n. 3"
    QLineEdit* ipotesi = nullptr;
    QLabel* media = nullptr;
    QLabel* resto = nullptr;
    QLabel* ponderata = nullptr;
    QLabel* passo = nullptr;
    QPushButton* aiuto = nullptr;
    QPushButton* avanti = nullptr;
    QPushButton* cmdstampa = nullptr;
    QPushButton* cmdGuida = nullptr;
    QPushButton* cmdesci = nullptr;
    QPushButton* cmdconfronto = nullptr;
    QGroupBox* Frame1 = nullptr;

    explicit DataControls(const pondra::requisiti* window)
    {
        const detail::NamedWidgets named(window);
        named.getAll(Check, "Check");
        named.getAll(numero, "numero");
        named.getAll(requisito, "requisito");
        named.getAll(giudizio, "giudizio");
        named.getAll(valore, "valore");
        named.getAll(coefficiente, "coefficiente");
        named.getAll(percentuale, "percentuale");
        named.getAll(scroll, "scroll");
        named.getAll(scala, "scala");
        named.get(VScroll1, QStringLiteral("VScroll1"));
        named.get(HScroll1, QStringLiteral("HScroll1"));
        named.get(Label9, QStringLiteral("hypothesisNumber"));
        named.get(ipotesi, QStringLiteral("ipotesi"));
        named.get(media, QStringLiteral("media"));
        named.get(resto, QStringLiteral("resto"));
        named.get(ponderata, QStringLiteral("ponderata"));
        named.get(passo, QStringLiteral("passo"));
        named.get(aiuto, QStringLiteral("aiuto"));
        named.get(avanti, QStringLiteral("avanti"));
        named.get(cmdstampa, QStringLiteral("cmdstampa"));
        named.get(cmdGuida, QStringLiteral("cmdGuida"));
        named.get(cmdesci, QStringLiteral("cmdesci"));
        named.get(cmdconfronto, QStringLiteral("cmdconfronto"));
        named.get(Frame1, QStringLiteral("Frame1"));
    }
};

struct ResultsControls {
    static constexpr std::size_t Rows = pondra::classifica::Rows + 1;

    std::array<QLabel*, Rows> numero{};
    std::array<QLabel*, Rows> Label1{}; // name
    std::array<QLabel*, Rows> Label2{}; // evaluation
    std::array<QLabel*, Rows> Label5{}; // overall judgement
    QLabel* Label3 = nullptr;           // banner
    QLabel* Label8 = nullptr;           // the column headings
    QLabel* Label9 = nullptr;
    QLabel* Label10 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* passo = nullptr;
    QScrollBar* VScroll1 = nullptr;
    QGroupBox* Frame2 = nullptr; // the buttons' frame
    QPushButton* aiuto = nullptr;
    QPushButton* cmdGuida = nullptr;
    QPushButton* avanti = nullptr;
    QPushButton* cmdstampa = nullptr;
    QPushButton* cmdesci = nullptr;
    QPushButton* cmdsolidita = nullptr;
    QCheckBox* includiSolidita = nullptr;
    QCheckBox* includiPesi = nullptr;
    QPushButton* cmdrelazione = nullptr;

    explicit ResultsControls(const pondra::classifica* window)
    {
        const detail::NamedWidgets named(window);
        named.getAll(numero, "numero");
        named.getAll(Label1, "nameCell");
        named.getAll(Label2, "evaluationCell");
        named.getAll(Label5, "judgementCell");
        Label3 = named.labelSaying(QStringLiteral("le ipotesi sono elencate in ordine di valutazione"));
        Label8 = named.labelSaying(QStringLiteral("num."));
        Label9 = named.labelSaying(QStringLiteral("denominazione dell'ipotesi"));
        Label10 = named.labelSaying(QStringLiteral("valutaz. in %"));
        Label4 = named.labelSaying(QStringLiteral("giudizio complessivo"));
        named.get(passo, QStringLiteral("passo"));
        named.get(VScroll1, QStringLiteral("VScroll1"));
        named.get(aiuto, QStringLiteral("aiuto"));
        named.get(cmdGuida, QStringLiteral("cmdGuida"));
        named.get(avanti, QStringLiteral("avanti"));
        named.get(cmdstampa, QStringLiteral("cmdstampa"));
        named.get(cmdesci, QStringLiteral("cmdesci"));
        named.get(cmdsolidita, QStringLiteral("cmdsolidita"));
        named.get(includiSolidita, QStringLiteral("includiSolidita"));
        named.get(includiPesi, QStringLiteral("includiPesi"));
        named.get(cmdrelazione, QStringLiteral("cmdrelazione"));
        Frame2 = qobject_cast<QGroupBox*>(aiuto->parentWidget());
        if (!Frame2) {
            qFatal("the Results window's buttons are not in a frame");
        }
    }
};

struct TitleControls {
    QLineEdit* progetto = nullptr;
    QLineEdit* localita = nullptr;
    QLineEdit* tipostudio = nullptr;
    QLineEdit* committente = nullptr;
    QLineEdit* luogo = nullptr;
    QLineEdit* data = nullptr;
    QLineEdit* allegati = nullptr;
    pondra::ClickableLabel* Labelstudio = nullptr;
    pondra::ClickableLabel* labelindirizzo = nullptr;
    QPushButton* aiuto = nullptr;
    QPushButton* cmdGuida = nullptr;
    QPushButton* cmddati = nullptr;
    QPushButton* stampa = nullptr;
    QPushButton* cmdesci = nullptr;
    QLabel* passo = nullptr;

    explicit TitleControls(const pondra::frontespizio* window)
    {
        const detail::NamedWidgets named(window);
        named.get(progetto, QStringLiteral("progetto"));
        named.get(localita, QStringLiteral("localita"));
        named.get(tipostudio, QStringLiteral("tipostudio"));
        named.get(committente, QStringLiteral("committente"));
        named.get(luogo, QStringLiteral("luogo"));
        named.get(data, QStringLiteral("data"));
        named.get(allegati, QStringLiteral("allegati"));
        named.get(Labelstudio, QStringLiteral("Labelstudio"));
        named.get(labelindirizzo, QStringLiteral("labelindirizzo"));
        named.get(aiuto, QStringLiteral("aiuto"));
        named.get(cmdGuida, QStringLiteral("cmdGuida"));
        named.get(cmddati, QStringLiteral("cmddati"));
        named.get(stampa, QStringLiteral("stampa"));
        named.get(cmdesci, QStringLiteral("cmdesci"));
        named.get(passo, QStringLiteral("passo"));
    }
};

struct ComparisonControls {
    QLabel* Domanda = nullptr;
    QLabel* Coppia = nullptr;
    QSlider* Scala = nullptr;
    QLabel* Giudizio = nullptr;
    QPushButton* cmdavanti = nullptr;
    QPushButton* cmdindietro = nullptr;
    QTableWidget* Matrice = nullptr;
    QTableWidget* Pesi = nullptr;
    QLabel* Indici = nullptr;
    QLabel* Coerenza = nullptr;
    QCheckBox* AncheAltre = nullptr;
    QPushButton* cmdapplica = nullptr;
    QPushButton* cmdchiudi = nullptr;
    QPushButton* cmdguida = nullptr;

    explicit ComparisonControls(const pondra::confronto* window)
    {
        const detail::NamedWidgets named(window);
        named.get(Domanda, QStringLiteral("Domanda"));
        named.get(Coppia, QStringLiteral("Coppia"));
        named.get(Scala, QStringLiteral("Scala"));
        named.get(Giudizio, QStringLiteral("Giudizio"));
        named.get(cmdavanti, QStringLiteral("cmdavanti"));
        named.get(cmdindietro, QStringLiteral("cmdindietro"));
        named.get(Matrice, QStringLiteral("Matrice"));
        named.get(Pesi, QStringLiteral("Pesi"));
        named.get(Indici, QStringLiteral("Indici"));
        named.get(Coerenza, QStringLiteral("Coerenza"));
        named.get(AncheAltre, QStringLiteral("AncheAltre"));
        named.get(cmdapplica, QStringLiteral("cmdapplica"));
        named.get(cmdchiudi, QStringLiteral("cmdchiudi"));
        named.get(cmdguida, QStringLiteral("cmdguida"));
    }
};

struct RobustnessControls {
    QLabel* Sintesi = nullptr;
    pondra::ChartView* Grafico = nullptr;
    QTableWidget* Tabella = nullptr;
    QLabel* Confronto = nullptr;
    QPushButton* cmdstampa = nullptr;
    QPushButton* cmdchiudi = nullptr;

    explicit RobustnessControls(const pondra::solidita* window)
    {
        const detail::NamedWidgets named(window);
        named.get(Sintesi, QStringLiteral("Sintesi"));
        named.get(Grafico, QStringLiteral("Grafico"));
        named.get(Tabella, QStringLiteral("Tabella"));
        named.get(Confronto, QStringLiteral("Confronto"));
        named.get(cmdstampa, QStringLiteral("cmdstampa"));
        named.get(cmdchiudi, QStringLiteral("cmdchiudi"));
    }
};

inline DataControls controls(const pondra::requisiti* window)
{
    return DataControls(window);
}
inline ResultsControls controls(const pondra::classifica* window)
{
    return ResultsControls(window);
}
inline TitleControls controls(const pondra::frontespizio* window)
{
    return TitleControls(window);
}
inline ComparisonControls controls(const pondra::confronto* window)
{
    return ComparisonControls(window);
}
inline RobustnessControls controls(const pondra::solidita* window)
{
    return RobustnessControls(window);
}

} // namespace testsupport
