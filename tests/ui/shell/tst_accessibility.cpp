#include "model/standing.h"
#include "reports/standingcolours.h"
#include "support/isolatedsettings.h"
#include "support/scriptedmodule.h"
#include "support/studybuilder.h"
#include "support/windowcontrols.h"
#include "ui/core/contrast.h"
#include "ui/extra/documentwindow.h"
#include "ui/extra/frmsplash.h"
#include "ui/extra/frmtip.h"
#include "ui/extra/informa.h"
#include "ui/extra/licenza.h"
#include "ui/extra/midiplayer.h"
#include "ui/extra/prodotti.h"
#include "ui/extra/supportoclienti.h"
#include "ui/help/helppage.h"
#include "ui/help/sommario.h"
#include "ui/main/colours.h"
#include "ui/shell/navigation.h"
#include "ui/shell/shell.h"

#include <QAccessible>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>

#include <cmath>
#include <functional>

using namespace pondra;
using namespace Qt::StringLiterals;
using testsupport::controls;

namespace {

// The roles of what a user acts on; a label or a frame needs no name of its own.
bool isInteractive(QAccessible::Role role)
{
    switch (role) {
    case QAccessible::PushButton:
    case QAccessible::CheckBox:
    case QAccessible::RadioButton:
    case QAccessible::ComboBox:
    case QAccessible::SpinBox:
    case QAccessible::ScrollBar:
    case QAccessible::Slider:
    case QAccessible::Dial:
    case QAccessible::ButtonMenu:
    case QAccessible::ButtonDropDown:
    case QAccessible::MenuItem:
    case QAccessible::PageTab:
    case QAccessible::Link:
    case QAccessible::EditableText:
    case QAccessible::Table:
    case QAccessible::List:
    case QAccessible::Tree:
        return true;
    default:
        return false;
    }
}

// Every control a user can act on or reach with the keyboard that a screen reader would find
// without a name, as "class objectName (role)".
void collectUnnamed(QAccessibleInterface* node, QStringList& unnamed)
{
    if (!node || node->state().invisible) {
        return;
    }
    QWidget* widget = qobject_cast<QWidget*>(node->object());
    const bool reachable =
        widget && !widget->isWindow() && (widget->focusPolicy() & Qt::TabFocus) && !widget->focusProxy();
    const bool editable = node->role() == QAccessible::EditableText ||
                          (node->role() == QAccessible::StaticText && node->state().editable);
    if ((isInteractive(node->role()) || reachable || editable) &&
        node->text(QAccessible::Name).trimmed().isEmpty()) {
        const QObject* object = node->object();
        unnamed << QStringLiteral("%1 %2 (%3)")
                       .arg(object ? QString::fromLatin1(object->metaObject()->className())
                                   : QStringLiteral("?"),
                            object ? object->objectName() : QString())
                       .arg(int(node->role()), 0, 16);
    }
    for (int i = 0; i < node->childCount(); ++i) {
        collectUnnamed(node->child(i), unnamed);
    }
}

using Opener = std::function<QWidget*(ModuloPondra&)>;

// What a window looks like in the name of the focus chain: the combo box, not its text box.
QWidget* control(QWidget* widget)
{
    QWidget* parent = widget->parentWidget();
    return parent && parent->focusProxy() == widget ? parent : widget;
}

} // namespace

Q_DECLARE_METATYPE(Opener)

// Each window as a screen reader and a keyboard find it, with a study open.
class TestAccessibility : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_settings;
    std::unique_ptr<testsupport::ScriptedModule> scripted;

    ModuloPondra& module() { return *scripted->module; }

private Q_SLOTS:
    void initTestCase()
    {
        testsupport::keepSettingsIn(m_settings);
        // The splash without its music.
        qputenv(MidiPlayer::PlayerVariable, QByteArray());
        QAccessible::setActive(true);
    }

    void init()
    {
        scripted = std::make_unique<testsupport::ScriptedModule>();
        installShell(module());
        Study& study = testsupport::studyOf(module());
        testsupport::nameHypothesis(study, 1, QStringLiteral("Caldaia"));
        testsupport::enterRow(study, 1, 1, QStringLiteral("costo"), 3, 30);
        testsupport::enterRow(study, 1, 2, QStringLiteral("rumore"), 9, 70);
        testsupport::nameHypothesis(study, 2, QStringLiteral("Stufa"));
        testsupport::enterRow(study, 2, 1, QStringLiteral("costo"), 1, 100);
        module().window<requisiti>()->show();
        // Each shown once, so each is scored, as entering them does.
        controls(module().window<requisiti>()).HScroll1->setValue(2);
        controls(module().window<requisiti>()).HScroll1->setValue(1);
    }
    void cleanup() { scripted.reset(); }

    void everyControl_hasAName_data()
    {
        QTest::addColumn<Opener>("open");
        QTest::newRow("Dati") << Opener([](ModuloPondra& m) -> QWidget* { return m.window<requisiti>(); });
        QTest::newRow("Risultati") << Opener(
            [](ModuloPondra& m) -> QWidget* { return m.window<classifica>(); });
        QTest::newRow("Frontespizio")
            << Opener([](ModuloPondra& m) -> QWidget* { return m.window<frontespizio>(); });
        QTest::newRow("Pesi a confronto")
            << Opener([](ModuloPondra& m) -> QWidget* { return m.window<confronto>(); });
        QTest::newRow("Solidità") << Opener([](ModuloPondra& m) -> QWidget* { return m.window<solidita>(); });
        QTest::newRow("Suggerimenti")
            << Opener([](ModuloPondra& m) -> QWidget* { return m.window<frmTip>(); });
        QTest::newRow("Licenza") << Opener([](ModuloPondra& m) -> QWidget* { return m.window<licenza>(); });
        QTest::newRow("Informazioni")
            << Opener([](ModuloPondra& m) -> QWidget* { return m.window<informa>(); });
        QTest::newRow("Prodotti") << Opener([](ModuloPondra& m) -> QWidget* { return m.window<prodotti>(); });
        QTest::newRow("Assistenza") << Opener(
            [](ModuloPondra& m) -> QWidget* { return m.window<supportoclienti>(); });
        QTest::newRow("Presentazione")
            << Opener([](ModuloPondra& m) -> QWidget* { return m.window<frmSplash>(); });
        QTest::newRow("Sommario") << Opener([](ModuloPondra& m) -> QWidget* { return m.window<sommario>(); });
        for (int topic = 1; topic <= 8; ++topic) {
            QTest::newRow(qPrintable(QStringLiteral("Guida %1").arg(topic)))
                << Opener([topic](ModuloPondra& m) -> QWidget* { return loadHelpPage(m, topic); });
        }
        QTest::newRow("Documento") << Opener([](ModuloPondra& m) -> QWidget* {
            auto* window = new DocumentWindow(m, std::make_unique<QTextDocument>(QStringLiteral("prova")),
                                              QStringLiteral("Relazione"));
            window->setAttribute(Qt::WA_DeleteOnClose);
            m.adoptDocumentWindow(window);
            return window;
        });
    }

    void everyControl_hasAName()
    {
        QFETCH(Opener, open);
        QWidget* window = open(module());
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        QStringList unnamed;
        collectUnnamed(QAccessible::queryAccessibleInterface(window), unnamed);
        QVERIFY2(unnamed.isEmpty(), qPrintable(QStringLiteral("senza nome: ") + unnamed.join(u", ")));
    }

    void dataWindow_tabFollowsTheRows_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QStringList>("steps");
        // Rows 1 and 2 ticked: tick, name, judgement, weight; an unticked row only its tick and
        // its judgement (the row number, which opens it again).
        QTest::newRow("dal nome dell'ipotesi")
            << QStringLiteral("ipotesi")
            << QStringList{u"HScroll1"_s,      u"Check_1"_s, u"requisito_1"_s, u"numero_1"_s,
                           u"percentuale_1"_s, u"Check_2"_s, u"requisito_2"_s, u"numero_2"_s,
                           u"percentuale_2"_s, u"Check_3"_s, u"numero_3"_s,    u"Check_4"_s};
        QTest::newRow("dall'ultima riga ai tasti")
            << QStringLiteral("numero_10")
            << QStringList{u"VScroll1"_s,  u"cmdconfronto"_s, u"aiuto"_s,  u"avanti"_s,
                           u"cmdstampa"_s, u"cmdGuida"_s,     u"cmdesci"_s};
    }

    void dataWindow_tabFollowsTheRows()
    {
        QFETCH(QString, from);
        QFETCH(QStringList, steps);
        requisiti* data = module().window<requisiti>();
        QVERIFY(QTest::qWaitForWindowExposed(data));
        QWidget* at = data->findChild<QWidget*>(from);
        QVERIFY(at);
        QStringList taken;
        // As Tab goes: the next in the chain that takes the focus from the keyboard.
        for (QWidget* w = at->nextInFocusChain(); w != at && taken.size() < steps.size();
             w = w->nextInFocusChain()) {
            if (w->window() == data && (w->focusPolicy() & Qt::TabFocus) && w->isEnabled() &&
                w->isVisible() && !w->focusProxy()) {
                const QString name = control(w)->objectName();
                if (taken.isEmpty() || taken.last() != name) {
                    taken << name;
                }
            }
        }
        QCOMPARE(taken, steps);
    }

    void dataRow_isReadWholeAndKeptUpToDate()
    {
        requisiti* data = module().window<requisiti>();
        const auto c = controls(data);
        const auto description = [](QWidget* w) {
            return QAccessible::queryAccessibleInterface(w)->text(QAccessible::Description);
        };
        const auto name = [](QWidget* w) {
            return QAccessible::queryAccessibleInterface(w)->text(QAccessible::Name);
        };
        QCOMPARE(description(c.requisito[1]),
                 u"caratteristica n. 1, costo: buono, valore 3, coefficiente 0,8, peso 30 %"_s);
        QCOMPARE(name(c.HScroll1), u"barra delle ipotesi: ipotesi 1 di 2"_s);
        QCOMPARE(name(c.resto), u"resto da assegnare: 0 %"_s);
        // A weight changed, the rows scrolled: the row and the figures are read anew.
        module().document().typeRowWeight(1, Decimal::fromTenths(125));
        QCOMPARE(description(c.requisito[1]),
                 u"caratteristica n. 1, costo: buono, valore 3, coefficiente 0,8, peso 12,5 %"_s);
        QCOMPARE(name(c.resto), u"resto da assegnare: 17,5 %"_s);
        c.VScroll1->setValue(2);
        QCOMPARE(name(c.Check[1]), u"spunta della caratteristica n. 2"_s);
        QVERIFY(
            description(c.numero[1]).contains(u"rumore: pessimo, valore 9, coefficiente 0,2, peso 70 %"_s));
    }

    void colours_readAtAA_data()
    {
        QTest::addColumn<QColor>("background");
        QTest::addColumn<QColor>("text");
        const QColor black(Qt::black);
        QTest::newRow("numeri di riga") << colours::Cyan << black;
        QTest::newRow("numero sotto il puntatore") << colours::Red << black;
        QTest::newRow("intestazioni") << colours::Yellow << black;
        QTest::newRow("fascia verde") << colours::Green << colours::Yellow;
        QTest::newRow("sfondo grigio") << colours::Grey << black;
        QTest::newRow("avviso") << QColor(Qt::white) << colours::Warning;
        for (const auto& [name, standing] : {std::pair{"valutazione positiva", Standing::Positive},
                                             std::pair{"valutazione negativa", Standing::Negative},
                                             std::pair{"valutazione neutra", Standing::Neither}}) {
            const StandingColours c = standingColours(standing);
            QTest::newRow(name) << readableBackground(c.background, c.text) << c.text;
        }
    }

    void colours_readAtAA()
    {
        QFETCH(QColor, background);
        QFETCH(QColor, text);
        QVERIFY2(contrastRatio(background, text) >= ReadableContrast,
                 qPrintable(QString::number(contrastRatio(background, text), 'f', 2)));
    }

    void contrastRatio_asWcagGivesIt_data()
    {
        QTest::addColumn<QColor>("a");
        QTest::addColumn<QColor>("b");
        QTest::addColumn<double>("ratio");
        QTest::newRow("nero su bianco") << QColor(Qt::black) << QColor(Qt::white) << 21.0;
        QTest::newRow("uguali") << QColor(Qt::red) << QColor(Qt::red) << 1.0;
        QTest::newRow("grigio #777 su bianco") << QColor(0x77, 0x77, 0x77) << QColor(Qt::white) << 4.48;
        QTest::newRow("giallo su rosso") << QColor(Qt::yellow) << QColor(Qt::red) << 3.72;
    }

    void contrastRatio_asWcagGivesIt()
    {
        QFETCH(QColor, a);
        QFETCH(QColor, b);
        QFETCH(double, ratio);
        QCOMPARE(std::round(contrastRatio(a, b) * 100) / 100, ratio);
        QCOMPARE(std::round(contrastRatio(b, a) * 100) / 100, ratio);
    }

    void splash_ctrlOneOpensTheDataWindow()
    {
        module().window<requisiti>()->hide();
        frmSplash* splash = module().window<frmSplash>();
        splash->show();
        splash->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(splash));
        QTest::keyClick(splash, Qt::Key_1, Qt::ControlModifier);
        QVERIFY(module().window<requisiti>()->isVisible());
        QVERIFY(module().loadedWindow<frmSplash>());
    }

    void resultsRow_isReadWhole()
    {
        ShowResults(module());
        classifica* results = module().window<classifica>();
        QVERIFY(QTest::qWaitForWindowExposed(results));
        const auto c = controls(results);
        QAccessibleInterface* first = QAccessible::queryAccessibleInterface(c.Label1[1]);
        QVERIFY2(first->text(QAccessible::Name)
                     .startsWith(QStringLiteral("posizione 1, ipotesi «Stufa», valutazione ")),
                 qPrintable(first->text(QAccessible::Name)));
        // The red of a negative evaluation deepened to read; the hue kept.
        for (std::size_t i = 1; i < c.Label2.size(); ++i) {
            const QPalette p = c.Label2[i]->palette();
            QVERIFY(contrastRatio(p.color(QPalette::Window), p.color(QPalette::WindowText)) >=
                    ReadableContrast);
        }
    }
};

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
