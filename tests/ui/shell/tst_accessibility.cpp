#include "reports/standingcolours.h"
#include "support/contrast.h"
#include "support/isolatedsettings.h"
#include "support/scriptedmodule.h"
#include "support/studybuilder.h"
#include "support/windowcontrols.h"
#include "ui/core/announcer.h"
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
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>

#include <functional>

using namespace pondra;
using namespace testsupport;
using namespace Qt::StringLiterals;
using testsupport::controls;

using Opener = std::function<QWidget*(ModuloPondra&)>;
Q_DECLARE_METATYPE(Opener)

namespace {

// What a user acts on, and what the keyboard reaches, needs a name a screen reader can say.
void collectUnnamed(QAccessibleInterface* node, QStringList& unnamed)
{
    static const QSet<QAccessible::Role> acted{
        QAccessible::PushButton, QAccessible::CheckBox,  QAccessible::RadioButton,  QAccessible::ComboBox,
        QAccessible::SpinBox,    QAccessible::ScrollBar, QAccessible::Slider,       QAccessible::MenuItem,
        QAccessible::PageTab,    QAccessible::Link,      QAccessible::EditableText, QAccessible::Table};
    if (!node || node->state().invisible) {
        return;
    }
    auto* widget = qobject_cast<QWidget*>(node->object());
    const bool reached =
        widget && !widget->isWindow() && (widget->focusPolicy() & Qt::TabFocus) && !widget->focusProxy();
    if ((acted.contains(node->role()) || reached || node->state().editable) &&
        node->text(QAccessible::Name).trimmed().isEmpty()) {
        unnamed << QStringLiteral("%1 %2").arg(QString::fromLatin1(node->object()->metaObject()->className()),
                                               node->object()->objectName());
    }
    for (int i = 0; i < node->childCount(); ++i) {
        collectUnnamed(node->child(i), unnamed);
    }
}

template <class T> Opener opener()
{
    return [](ModuloPondra& m) -> QWidget* { return m.window<T>(); };
}

QString accessible(QWidget* w, QAccessible::Text text)
{
    return QAccessible::queryAccessibleInterface(w)->text(text);
}

// The table a window shows a screen reader.
QAccessibleInterface* tableIn(QAccessibleInterface* node)
{
    if (!node || node->role() == QAccessible::Table) {
        return node;
    }
    for (int i = 0; i < node->childCount(); ++i) {
        if (QAccessibleInterface* table = tableIn(node->child(i))) {
            return table;
        }
    }
    return nullptr;
}

// The price list read from a file of n programs, "Programma 1" on; none readable for n < 0.
Opener priceList(const QTemporaryDir& dir, int n)
{
    return [path = dir.filePath(u"listino-%1.txt"_s.arg(n)), n](ModuloPondra& m) -> QWidget* {
        QFile file(path);
        if (n >= 0 && file.open(QIODevice::WriteOnly)) {
            file.write(u"\"2026\",%1\r\n"_s.arg(n).toLatin1());
            for (int k = 1; k <= n; ++k) {
                file.write(
                    u"\"Programma %1\",\"argomento %1\",%2,%3.5\r\n"_s.arg(k).arg(100 * k).arg(k).toLatin1());
            }
        }
        file.close();
        auto* list = m.window<prodotti>();
        list->loadFrom(path);
        return list;
    };
}

} // namespace

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
        qputenv(MidiPlayer::PlayerVariable, QByteArray()); // the splash without its music
        QAccessible::setActive(true);
    }

    void init()
    {
        scripted = std::make_unique<testsupport::ScriptedModule>();
        installShell(module());
        Study& study = testsupport::studyOf(module());
        testsupport::nameHypothesis(study, 1, u"Caldaia"_s);
        testsupport::enterRow(study, 1, 1, u"costo"_s, 3, 30);
        testsupport::enterRow(study, 1, 2, u"rumore"_s, 9, 70);
        testsupport::nameHypothesis(study, 2, u"Stufa"_s);
        testsupport::enterRow(study, 2, 1, u"costo"_s, 1, 100);
        module().window<requisiti>()->show();
        // Each shown once, so each is scored, as entering them does.
        controls(module().window<requisiti>()).HScroll1->setValue(2);
        controls(module().window<requisiti>()).HScroll1->setValue(1);
    }
    void cleanup() { scripted.reset(); }

    void everyControl_hasAName_data()
    {
        QTest::addColumn<Opener>("open");
        QTest::newRow("Dati") << opener<requisiti>();
        QTest::newRow("Risultati") << opener<classifica>();
        QTest::newRow("Frontespizio") << opener<frontespizio>();
        QTest::newRow("Pesi a confronto") << opener<confronto>();
        QTest::newRow("Solidità") << opener<solidita>();
        QTest::newRow("Suggerimenti") << opener<frmTip>();
        QTest::newRow("Licenza") << opener<licenza>();
        QTest::newRow("Informazioni") << opener<informa>();
        QTest::newRow("Prodotti") << opener<prodotti>();
        QTest::newRow("Assistenza") << opener<supportoclienti>();
        QTest::newRow("Presentazione") << opener<frmSplash>();
        QTest::newRow("Sommario") << opener<sommario>();
        for (int topic = 1; topic <= 8; ++topic) {
            QTest::newRow(qPrintable(u"Guida %1"_s.arg(topic)))
                << Opener([topic](ModuloPondra& m) -> QWidget* { return loadHelpPage(m, topic); });
        }
        QTest::newRow("Relazione") << Opener([](ModuloPondra& m) -> QWidget* {
            auto* window = new DocumentWindow(m, std::make_unique<QTextDocument>(u"prova"_s), u"Relazione"_s);
            m.adoptDocumentWindow(window);
            return window;
        });
    }

    void everyControl_hasAName()
    {
        QFETCH(Opener, open);
        QWidget* window = open(module());
        QVERIFY(window);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        QStringList unnamed;
        collectUnnamed(QAccessible::queryAccessibleInterface(window), unnamed);
        QVERIFY2(unnamed.isEmpty(), qPrintable(u"senza nome: "_s + unnamed.join(u", ")));
    }

    void dataWindow_tabFollowsTheRows_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QStringList>("steps");
        // Rows 1 and 2 ticked: tick, name, judgement (the row number), weight; an unticked row
        // only its tick and its row number.
        QTest::newRow("dal nome dell'ipotesi")
            << u"ipotesi"_s << QStringList{u"HScroll1"_s,      u"Check_1"_s, u"requisito_1"_s, u"numero_1"_s,
                                           u"percentuale_1"_s, u"Check_2"_s, u"requisito_2"_s, u"numero_2"_s,
                                           u"percentuale_2"_s, u"Check_3"_s, u"numero_3"_s,    u"Check_4"_s};
        QTest::newRow("dall'ultima riga ai tasti")
            << u"numero_10"_s << QStringList{u"VScroll1"_s,  u"cmdconfronto"_s, u"aiuto"_s,  u"avanti"_s,
                                             u"cmdstampa"_s, u"cmdGuida"_s,     u"cmdesci"_s};
    }

    void dataWindow_tabFollowsTheRows()
    {
        QFETCH(QString, from);
        QFETCH(QStringList, steps);
        requisiti* data = module().window<requisiti>();
        QVERIFY(QTest::qWaitForWindowExposed(data));
        QWidget* at = data->findChild<QWidget*>(from);
        QStringList taken;
        // As Tab goes: the next in the chain that takes the focus from the keyboard, a combo box
        // for its text box.
        for (QWidget* w = at->nextInFocusChain(); w != at && taken.size() < steps.size();
             w = w->nextInFocusChain()) {
            if ((w->focusPolicy() & Qt::TabFocus) && w->isEnabled() && w->isVisible() && !w->focusProxy()) {
                QWidget* parent = w->parentWidget();
                const QString name = (parent && parent->focusProxy() == w ? parent : w)->objectName();
                if (taken.isEmpty() || taken.last() != name) {
                    taken << name;
                }
            }
        }
        QCOMPARE(taken, steps);
    }

    void dataRow_tickKeepsTheFocus_keypadDecimalTypesTheComma()
    {
        requisiti* data = module().window<requisiti>();
        data->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(data));
        const auto c = controls(data);
        auto* told = data->findChild<Announcer*>(u"annuncio"_s);
        c.Check[3]->setFocus();
        QTest::keyClick(c.Check[3], Qt::Key_Space);
        QVERIFY(c.Check[3]->isChecked());
        QVERIFY(c.Check[3]->hasFocus());
        QTRY_VERIFY(
            told->said().startsWith(u"riga 3 aperta: con Tab si passa al nome della caratteristica."_s));
        QTest::keyClick(c.Check[3], Qt::Key_Tab);
        QVERIFY(c.requisito[3]->hasFocus());

        c.percentuale[1]->setFocus();
        c.percentuale[1]->selectAll();
        QTest::keyClicks(c.percentuale[1], u"12"_s);
        QTest::keyClick(c.percentuale[1], Qt::Key_Period, Qt::KeypadModifier);
        QTest::keyClick(c.percentuale[1], Qt::Key_5, Qt::KeypadModifier);
        QCOMPARE(c.percentuale[1]->text(), u"12,5"_s);
    }

    void dataRow_isReadWholeAndKeptUpToDate()
    {
        const auto c = controls(module().window<requisiti>());
        auto* told =
            qobject_cast<Announcer*>(module().window<requisiti>()->findChild<QWidget*>(u"annuncio"_s));
        QVERIFY(told);
        QCOMPARE(QAccessible::queryAccessibleInterface(told)->role(), QAccessible::Notification);
        QTest::qWait(0);
        QCOMPARE(accessible(c.requisito[1], QAccessible::Description),
                 u"caratteristica n. 1, costo: buono, valore 3, coefficiente 0,8, peso 30 %"_s);
        QCOMPARE(accessible(c.HScroll1, QAccessible::Name), u"barra delle ipotesi: ipotesi 1 di 2"_s);
        // A weight changed, the rows scrolled: the row and the figures are read anew.
        module().document().typeRowWeight(1, Decimal::fromTenths(125));
        QCOMPARE(accessible(c.requisito[1], QAccessible::Description),
                 u"caratteristica n. 1, costo: buono, valore 3, coefficiente 0,8, peso 12,5 %"_s);
        QCOMPARE(accessible(c.resto, QAccessible::Name), u"resto da assegnare: 17,5 %"_s);
        // Heard with the focus elsewhere too, as a notification.
        QTRY_COMPARE(accessible(told, QAccessible::Name), u"resto da assegnare: 17,5 %"_s);
        c.VScroll1->setValue(2);
        QCOMPARE(accessible(c.Check[1], QAccessible::Name), u"spunta della caratteristica n. 2"_s);
    }

    void resultsRow_isReadWholeInColoursThatRead()
    {
        ShowResults(module());
        const auto c = controls(module().window<classifica>());
        QVERIFY(accessible(c.Label1[1], QAccessible::Name)
                    .startsWith(u"posizione 1, ipotesi «Stufa», valutazione "_s));
        for (std::size_t i = 1; i < c.Label2.size(); ++i) {
            const QPalette p = c.Label2[i]->palette();
            QVERIFY(contrastRatio(p.color(QPalette::Window), p.color(QPalette::WindowText)) >=
                    ReadableContrast);
        }
    }

    void tables_readTheRowsShown_data()
    {
        QTest::addColumn<Opener>("open");
        QTest::addColumn<int>("added"); // hypotheses named while the window is open
        QTest::addColumn<QStringList>("headers");
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("spokenColumn"); // the row's Tab stop, read as the whole row
        const Opener results = [](ModuloPondra& m) -> QWidget* {
            ShowResults(m);
            return m.window<classifica>();
        };
        const QStringList ranking{u"num."_s, u"denominazione dell'ipotesi"_s, u"valutaz. in %"_s,
                                  u"giudizio complessivo"_s};
        QTest::newRow("Risultati, 2 ipotesi") << results << 0 << ranking << 2 << 1;
        QTest::newRow("Risultati, 4 ipotesi, 2 date a finestra aperta") << results << 2 << ranking << 4 << 1;
        const QStringList list{u"num."_s, u"nome programma"_s, u"argomento trattato"_s,
                               u"costo netto in euro"_s, u"via internet a euro"_s};
        QTest::newRow("Prodotti, 3") << priceList(m_settings, 3) << 0 << list << 3 << -1;
        QTest::newRow("Prodotti, 12, 10 in vista") << priceList(m_settings, 12) << 0 << list << 10 << -1;
        QTest::newRow("Prodotti, listino illeggibile") << priceList(m_settings, -1) << 0 << list << 0 << -1;
    }

    void tables_readTheRowsShown()
    {
        QFETCH(Opener, open);
        QFETCH(int, added);
        QFETCH(QStringList, headers);
        QFETCH(int, rows);
        QFETCH(int, spokenColumn);
        QWidget* window = open(module());
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        Study& study = testsupport::studyOf(module());
        for (int h = 3; h < 3 + added; ++h) {
            testsupport::nameHypothesis(study, h, u"Ipotesi %1"_s.arg(h));
            testsupport::enterRow(study, h, 1, u"costo"_s, h, 100);
            controls(module().window<requisiti>()).HScroll1->setValue(h);
        }
        module().document().rank();

        QAccessibleInterface* table = tableIn(QAccessible::queryAccessibleInterface(window));
        QVERIFY(table && table->tableInterface());
        QAccessibleTableInterface* grid = table->tableInterface();
        QCOMPARE(grid->columnCount(), headers.size());
        QCOMPARE(grid->rowCount(), rows);
        QCOMPARE(table->childCount(), headers.size() * (rows + 1));
        QVERIFY(!grid->cellAt(rows, 0));
        for (int c = 0; c < headers.size(); ++c) {
            QCOMPARE(grid->columnDescription(c), headers[c]);
            QCOMPARE(table->child(c)->role(), QAccessible::ColumnHeader);
            QCOMPARE(table->child(c)->text(QAccessible::Name), headers[c]);
        }
        for (int r = 0; r < rows; ++r) {
            const QString number = grid->cellAt(r, 0)->text(QAccessible::Name);
            QCOMPARE(number, QString::number(r + 1));
            for (int c = 0; c < headers.size(); ++c) {
                QAccessibleInterface* cell = grid->cellAt(r, c);
                QVERIFY(cell && cell->tableCellInterface());
                QCOMPARE(cell->role(), QAccessible::Cell);
                // As AT-SPI finds it: by its place among the table's children, with its header.
                QCOMPARE(table->child(table->indexOfChild(cell)), cell);
                QCOMPARE(cell->tableCellInterface()->rowIndex(), r);
                QCOMPARE(cell->tableCellInterface()->columnIndex(), c);
                QCOMPARE(cell->tableCellInterface()->columnHeaderCells().value(0), table->child(c));
                // Read after every row, a tooltip would only repeat what the column is.
                QCOMPARE(cell->text(QAccessible::Description), QString());
                auto* label = qobject_cast<QLabel*>(cell->object());
                QVERIFY(label && label->isVisible() && !label->text().isEmpty());
                if (c == spokenColumn) {
                    QVERIFY2(cell->text(QAccessible::Name)
                                 .startsWith(u"posizione %1, ipotesi «%2»"_s.arg(number, label->text())),
                             qPrintable(cell->text(QAccessible::Name)));
                } else {
                    QCOMPARE(cell->text(QAccessible::Name), label->text());
                }
            }
        }
        // The headings and cells keep in proportion with the window, as on the window itself.
        QWidget* heading = qobject_cast<QWidget*>(table->child(0)->object());
        const int width = heading->width();
        window->resize(window->size() * 3 / 2);
        QTRY_VERIFY(heading->width() > width * 5 / 4);
    }

    void contrast_data()
    {
        QTest::addColumn<QColor>("background");
        QTest::addColumn<QColor>("text");
        QTest::addColumn<double>("ratio"); // WCAG's, to two decimals; 0: at least 4.5 is enough
        QTest::newRow("giallo su rosso") << QColor(Qt::red) << QColor(Qt::yellow) << 3.72;
        // The colours in use.
        QTest::newRow("numeri di riga") << colours::Cyan << QColor(Qt::black) << 0.0;
        QTest::newRow("numero sotto il puntatore") << colours::Red << QColor(Qt::black) << 0.0;
        QTest::newRow("intestazioni") << colours::Yellow << QColor(Qt::black) << 0.0;
        QTest::newRow("fascia verde") << colours::Green << colours::Yellow << 0.0;
        QTest::newRow("sfondo grigio") << colours::Grey << QColor(Qt::black) << 0.0;
        QTest::newRow("avviso") << QColor(Qt::white) << colours::Warning << 0.0;
        for (const Standing standing : {Standing::Positive, Standing::Negative, Standing::Neither}) {
            const StandingColours c = standingColours(standing);
            QTest::newRow(qPrintable(u"valutazione %1"_s.arg(int(standing))))
                << c.background << c.text << 0.0;
        }
    }

    void contrast()
    {
        QFETCH(QColor, background);
        QFETCH(QColor, text);
        QFETCH(double, ratio);
        const double measured = contrastRatio(background, text);
        QCOMPARE(contrastRatio(text, background), measured);
        if (ratio > 0) {
            QCOMPARE(std::round(measured * 100) / 100, ratio);
        } else {
            QVERIFY2(measured >= ReadableContrast, qPrintable(QString::number(measured, 'f', 2)));
        }
    }
};

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
