#include "shell.h"

#include "archivecommands.h"
#include "exitcommand.h"
#include "exportcommands.h"
#include "importcommands.h"
#include "navigation.h"
#include "pairwisecommands.h"
#include "printcommands.h"
#include "recentmenu.h"
#include "recoveryoffer.h"
#include "ui/core/modulopondra.h"
#include "ui/core/pictures.h"
#include "ui/extra/confronto.h"
#include "ui/extra/datistudio.h"
#include "ui/extra/frmsplash.h"
#include "ui/extra/frmtip.h"
#include "ui/extra/informa.h"
#include "ui/extra/licenza.h"
#include "ui/extra/prodotti.h"
#include "ui/extra/solidita.h"
#include "ui/extra/supportoclienti.h"
#include "ui/help/helppage.h"
#include "ui/help/sommario.h"
#include "ui/main/classifica.h"
#include "ui/main/frontespizio.h"
#include "ui/main/requisiti.h"
#include "undocommands.h"

#include <QAction>
#include <QDialog>
#include <QMenuBar>
#include <QShortcut>
#include <QToolBar>
#include <QToolButton>

#include <array>
#include <functional>
#include <vector>

namespace pondra {

namespace {

using Command = std::function<void()>;

// The keys every desktop program has, alike in the three main windows and shown in their menus.
constexpr QKeyCombination OpenKey = Qt::CTRL | Qt::Key_O;
constexpr QKeyCombination SaveKey = Qt::CTRL | Qt::Key_S;
constexpr QKeyCombination SaveAsKey = Qt::CTRL | Qt::SHIFT | Qt::Key_S;
constexpr QKeyCombination PrintKey = Qt::CTRL | Qt::Key_P;
constexpr QKeyCombination WindowHelpKey = QKeyCombination(Qt::Key_F1);
constexpr QKeyCombination ExitKey = Qt::CTRL | Qt::Key_Q;

QAction* withKey(QAction* action, QKeyCombination key)
{
    action->setShortcut(QKeySequence(key));
    return action;
}

// A menu entry or toolbar button; without a command it is shown disabled, as the commands
// that the program does not offer yet.
struct Entry {
    QString text;
    Command command;
    bool checked = false;
};

QAction* addEntry(QMenu* menu, const Entry& entry)
{
    QAction* action = menu->addAction(entry.text);
    if (entry.checked) {
        action->setCheckable(true);
        action->setChecked(true);
    }
    if (entry.command) {
        QObject::connect(action, &QAction::triggered, menu, [command = entry.command, action] {
            // A check mark marks the window itself; choosing the entry does not take it away.
            if (action->isCheckable()) {
                action->setChecked(true);
            }
            command();
        });
    } else {
        action->setEnabled(false);
    }
    return action;
}

// The commands each window gives its toolbar, by button number; the rest is the same everywhere.
struct WindowCommands {
    int number = 1;
    QString checkTooltip;
    QString clearTooltip;
    QString printTooltip;
    std::array<Command, 22> buttons{};
};

void addToolbar(QMainWindow& window, const WindowCommands& commands)
{
    const std::array<QString, 22> tooltips{
        QString(),
        QStringLiteral("apri file"),
        QStringLiteral("salva file"),
        QStringLiteral("salva file con nome"),
        QStringLiteral("elimina file"),
        QString(),
        commands.printTooltip,
        QString(),
        QStringLiteral("visualizza finestra 'Dati'"),
        QStringLiteral("visualizza finestra 'Risultati'"),
        QStringLiteral("visualizza finestra 'Frontespizio'"),
        QString(),
        QStringLiteral("colore di sfondo"),
        QString(),
        QStringLiteral("guida in linea"),
        QStringLiteral("suggerimenti"),
        QStringLiteral("supporto prodotto"),
        QStringLiteral("informazioni su Pondra"),
        QString(),
        commands.checkTooltip,
        commands.clearTooltip,
        QStringLiteral("uscita da Pondra"),
    };
    auto* toolbar = new QToolBar(QStringLiteral("Barra degli strumenti"), &window);
    toolbar->setObjectName(QStringLiteral("Toolbar1"));
    toolbar->setMovable(false);
    toolbar->setIconSize(QSize(20, 20));
    window.addToolBar(Qt::TopToolBarArea, toolbar);
    for (int b = 1; b <= 21; ++b) {
        if (tooltips[std::size_t(b)].isEmpty()) {
            toolbar->addSeparator();
            continue;
        }
        QAction* action = toolbar->addAction(svgIcon(toolbarIconPath(b)), tooltips[std::size_t(b)]);
        action->setObjectName(QStringLiteral("Toolbar1_%1").arg(b));
        const Command& command = commands.buttons[std::size_t(b)];
        action->setEnabled(bool(command));
        if (command) {
            QObject::connect(action, &QAction::triggered, toolbar, command);
        }
    }
}

// Each main window's own help page, and how its question names the window.
struct WindowHelp {
    int topic;
    const char16_t* name;
};
constexpr std::array<WindowHelp, 4> windowHelp{
    {{0, u""}, {5, u"Dati"}, {6, u"Risultati"}, {7, u"Frontespizio"}}};

// The window-number title at the right end of the menu bar opens the window's help page. Its
// letter works with Alt unless a menu of the bar already answers to it.
void addWindowNumber(ModuloPondra& module, QMainWindow& window, int number, const QString& name,
                     const QString& text)
{
    QString shown = text;
    const QKeySequence key = QKeySequence::mnemonic(text);
    for (const QAction* menu : window.menuBar()->actions()) {
        if (!key.isEmpty() && QKeySequence::mnemonic(menu->text()) == key) {
            shown.remove(u'&');
        }
    }
    auto* button = new QToolButton(window.menuBar());
    button->setObjectName(name);
    button->setAutoRaise(true);
    button->setText(shown);
    QObject::connect(button, &QToolButton::clicked, &window,
                     [&module, number] { openHelpPage(module, windowHelp[std::size_t(number)].topic); });
    window.menuBar()->setCornerWidget(button, Qt::TopRightCorner);
}

// The entry of the window itself in "&Visualizza" offers its help page.
Command askForOwnHelp(ModuloPondra& module, QMainWindow& window, int number)
{
    return [&module, &window, number] {
        const WindowHelp& help = windowHelp[std::size_t(number)];
        const QString question =
            QStringLiteral("È questa la finestra '%1': si vuole la guida della finestra?")
                .arg(QString::fromUtf16(help.name));
        if (module.ask(&window, question, module.identity().HelpTitle, MessageIcon::Question) !=
            MessageAnswer::No) {
            openHelpPage(module, help.topic);
        }
    };
}

// The menus the three windows share: the "&Visualizza" entries, returned for the toolbar, and
// the "&?" menu.
std::array<QAction*, 3> addViewAndHelpMenus(ModuloPondra& module, QMainWindow& window, int number)
{
    QMenu* view = window.menuBar()->addMenu(QStringLiteral("&Visualizza"));
    const Command own = askForOwnHelp(module, window, number);
    const std::array<Entry, 3> windows{{
        {QStringLiteral("Finestra Dati"), number == 1 ? own : Command([&module] { ShowDataWindow(module); })},
        {QStringLiteral("Finestra Risultati"), number == 2 ? own
                                               : number == 1
                                                   ? Command([&module] { ShowResults(module); })
                                                   : Command([&module] { ShowResultsWindow(module); })},
        {QStringLiteral("Finestra Frontespizio"),
         number == 3 ? own : Command([&module] { ShowTitlePageRanked(module); })},
    }};
    std::array<QAction*, 3> viewEntries{};
    for (int i = 0; i < 3; ++i) {
        Entry entry = windows[std::size_t(i)];
        entry.checked = i + 1 == number;
        viewEntries[std::size_t(i)] = addEntry(view, entry);
        viewEntries[std::size_t(i)]->setShortcut(QKeySequence(Qt::CTRL | Qt::Key(Qt::Key_1 + i)));
    }
    QMenu* help = window.menuBar()->addMenu(QStringLiteral("&?"));
    addEntry(help, {QStringLiteral("&Guida in linea"), [&module] { showHelpContents(module); }});
    withKey(
        addEntry(help, {QStringLiteral("Guida della &finestra"),
                        [&module, number] { openHelpPage(module, windowHelp[std::size_t(number)].topic); }}),
        WindowHelpKey);
    addEntry(help, {QStringLiteral("&Suggerimenti..."),
                    [&module] { OpenAncillary(module, AncillaryTopic::TipOfTheDay); }});
    addEntry(help, {QStringLiteral("&Dati dello studio..."), [&module] {
                        datistudio* owner = module.window<datistudio>();
                        owner->Form_Load();
                        owner->show();
                        owner->raise();
                    }});
    addEntry(help,
             {QStringLiteral("Supporto &prodotto"), [&module] { module.window<supportoclienti>()->show(); }});
    addEntry(help,
             {QStringLiteral("&Informazioni su Pondra"), [&module] { module.window<informa>()->show(); }});
    return viewEntries;
}

// Toolbar buttons 8 to 17 and 21 act alike in every window: 8 to 10 as the view entries.
void setSharedButtons(ModuloPondra& module, QMainWindow& window, const std::array<QAction*, 3>& viewEntries,
                      WindowCommands& c)
{
    for (std::size_t i = 0; i < viewEntries.size(); ++i) {
        c.buttons[8 + i] = [entry = viewEntries[i]] { entry->trigger(); };
    }
    c.buttons[14] = [&module] { showHelpContents(module); };
    c.buttons[15] = [&module] { OpenAncillary(module, AncillaryTopic::TipOfTheDay); };
    c.buttons[12] = [&module, &window, n = c.number] { ChangeBackground(module, window, n != 3); };
    c.buttons[16] = [&module] { module.window<supportoclienti>()->show(); };
    c.buttons[17] = [&module] { module.window<informa>()->show(); };
    c.buttons[21] = [&module, &window] { ExitProgram(module, &window); };
}

// What sets the Data and Title-page windows apart in their shared File and Modifica menus.
struct EditingWindow {
    int number;
    CommandOrigin origin;
    std::array<Entry, 2> printEntries; // the second prints what the window's print button prints
    Command print;                     // the window's print button and toolbar button 6
    QString checkEntry;
    QString clearEntry;
    QString windowNumber;
    QString checkTooltip;
    QString clearTooltip;
    QString printTooltip;
    Command check;
    Command clear;
    Command complete; // only the Data window's rows have weights to complete
    std::vector<Entry> moreEdits = {};
};

// The Data and Title-page windows open, save and delete files, check and clear their own data.
// Returns the exit command for the window's own button.
Command decorateEditingWindow(ModuloPondra& module, QMainWindow& w, const EditingWindow& e)
{
    const Command open = [&module, &w] { OpenStudy(module, w); };
    const Command save = [&module, &w, origin = e.origin] { SaveStudy(module, w, origin, false); };
    const Command saveAs = [&module, &w, origin = e.origin] { SaveStudy(module, w, origin, true); };
    const Command remove = [&module, &w] { DeleteStudyFile(module, w); };
    const Command exit = [&module, &w] { ExitProgram(module, &w); };

    QMenu* file = w.menuBar()->addMenu(QStringLiteral("&File"));
    withKey(addEntry(file, {QStringLiteral("&Apri..."), open}), OpenKey);
    withKey(addEntry(file, {QStringLiteral("&Salva"), save}), SaveKey);
    withKey(addEntry(file, {QStringLiteral("Salva con &nome..."), saveAs}), SaveAsKey);
    addEntry(file, {QStringLiteral("&Elimina..."), remove});
    addEntry(file, {QStringLiteral("Es&porta per foglio di calcolo..."),
                    [&module, &w, origin = e.origin] { ExportSpreadsheet(module, w, origin); }});
    addEntry(file, {QStringLiteral("&Importa da foglio di calcolo..."),
                    [&module, &w] { ImportSpreadsheet(module, w); }});
    file->addSeparator();
    QMenu* print = file->addMenu(QStringLiteral("S&tampa"));
    addEntry(print, e.printEntries[0]);
    withKey(addEntry(print, e.printEntries[1]), PrintKey);
    file->addSeparator();
    addRecentFilesMenu(module, w, file);
    file->addSeparator();
    withKey(addEntry(file, {QStringLiteral("Es&ci"), exit}), ExitKey);
    QMenu* edit = w.menuBar()->addMenu(QStringLiteral("&Modifica"));
    addUndoEntries(module, w, edit);
    // Only the Data window offers grey for all three windows first.
    addEntry(edit, {QStringLiteral("&Colore di sfondo"),
                    [&module, &w, offerGrey = e.number == 1] { ChangeBackground(module, w, offerGrey); }});
    addEntry(edit, {e.checkEntry, e.check});
    addEntry(edit, {e.clearEntry, e.clear});
    if (e.complete) {
        addEntry(edit, {QStringLiteral("Completa a &100"), e.complete})
            ->setObjectName(QStringLiteral("completa"));
    }
    for (const Entry& entry : e.moreEdits) {
        addEntry(edit, entry);
    }
    const auto viewEntries = addViewAndHelpMenus(module, w, e.number);
    addWindowNumber(module, w, e.number, e.number == 1 ? QStringLiteral("fin") : QStringLiteral("finestra"),
                    e.windowNumber);

    WindowCommands c;
    c.number = e.number;
    c.checkTooltip = e.checkTooltip;
    c.clearTooltip = e.clearTooltip;
    c.printTooltip = e.printTooltip;
    c.buttons[1] = open;
    c.buttons[2] = save;
    c.buttons[3] = saveAs;
    c.buttons[4] = remove;
    c.buttons[6] = e.print;
    c.buttons[19] = e.check;
    c.buttons[20] = e.clear;
    setSharedButtons(module, w, viewEntries, c);
    addToolbar(w, c);
    return exit;
}

void decorateData(ModuloPondra& module, requisiti& w)
{
    const Command exit = decorateEditingWindow(
        module, w,
        {1,
         CommandOrigin::DataWindow,
         {Entry{QStringLiteral("&modello di acquisizione dati"), [&module] { PrintTemplate(module); }},
          Entry{QStringLiteral("&dati finestra"), [&module] { PrintHypothesesData(module); }}},
         [&module] { PrintHypothesesData(module); },
         QStringLiteral("Controllo &dati ipotesi"),
         QStringLiteral("C&ancella dati ipotesi visualizzata"),
         QStringLiteral("&Finestra n.1 di 3"),
         QStringLiteral("controllo dati ipotesi"),
         QStringLiteral("cancella dati ipotesi visualizzata"),
         QStringLiteral("stampa dati finestra"),
         [&w] { w.controllodati_Click(); },
         [&w] { w.cancellare_Click(); },
         [&w] { w.completa_Click(); },
         {{QStringLiteral("Pesi a c&onfronto..."), [&module, &w] { ShowPairwiseComparison(module, &w); }},
          {QStringLiteral("Co&pia caratteristiche e pesi nelle altre ipotesi"),
           [&module, &w] { CopyCharacteristicsToOthers(module, &w); }}}});
    QObject::connect(&w, &requisiti::pairwiseComparisonRequested, &w,
                     [&module, &w] { ShowPairwiseComparison(module, &w); });
    QObject::connect(&w, &requisiti::resultsRequested, &w, [&module] { ShowResults(module); });
    QObject::connect(&w, &requisiti::exitRequested, &w, exit);
    QObject::connect(&w, &requisiti::printRequested, &w, [&module] { PrintHypothesesData(module); });
    QObject::connect(&w, &requisiti::helpContentsRequested, &w, [&module] { showHelpContents(module); });
}

void decorateResults(ModuloPondra& module, classifica& w)
{
    const Command exit = [&module, &w] { ExitProgram(module, &w); };
    const Command remove = [&module, &w] { DeleteStudyFile(module, w); };
    const Command saveAs = [&module, &w] { SaveStudy(module, w, CommandOrigin::ResultsWindow, true); };
    // Open and save too, so that their keys work here as in the other two windows.
    const Command open = [&module, &w] { OpenStudy(module, w); };
    const Command save = [&module, &w] { SaveStudy(module, w, CommandOrigin::ResultsWindow, false); };

    QMenu* file = w.menuBar()->addMenu(QStringLiteral("&File"));
    withKey(addEntry(file, {QStringLiteral("Apri"), open}), OpenKey);
    withKey(addEntry(file, {QStringLiteral("Salva"), save}), SaveKey);
    withKey(addEntry(file, {QStringLiteral("Salva con nome..."), saveAs}), SaveAsKey);
    addEntry(file, {QStringLiteral("Elimina..."), remove});
    file->addSeparator();
    const Command print = [&module] { PrintRanking(module); };
    const Command report = [&module] { PrintReport(module); };
    withKey(addEntry(file, {QStringLiteral("Stampa classifica"), print}), PrintKey);
    addEntry(file, {QStringLiteral("Stampa relazione"), report});
    file->addSeparator();
    withKey(addEntry(file, {QStringLiteral("Esci"), exit}), ExitKey);
    QMenu* edit = w.menuBar()->addMenu(QStringLiteral("&Modifica"));
    addEntry(edit,
             {QStringLiteral("Colore di sfondo"), [&module, &w] { ChangeBackground(module, w, true); }});
    addEntry(edit, {QStringLiteral("Controllo dati immessi"), {}});
    addEntry(edit, {QStringLiteral("Cancella dati finestra"), {}});
    const auto viewEntries = addViewAndHelpMenus(module, w, 2);
    const Command robustness = [&module] { ShowRobustness(module); };
    if (auto* view = qobject_cast<QMenu*>(viewEntries[0]->parent())) {
        view->addSeparator();
        addEntry(view, {QStringLiteral("So&lidità della graduatoria"), robustness});
    }
    addWindowNumber(module, w, 2, QStringLiteral("finestra"), QStringLiteral("Fi&nestra n.2 di 3"));
    // Its help text says so: a click on the window gives its help page.
    QObject::connect(&w, &classifica::helpRequested, &w,
                     [&module] { openHelpPage(module, windowHelp[2].topic); });

    WindowCommands c;
    c.number = 2;
    c.checkTooltip = QStringLiteral("controllo dati ipotesi");
    c.clearTooltip = QStringLiteral("cancella dati ipotesi visualizzata");
    c.printTooltip = QStringLiteral("stampa dati finestra");
    // The archive buttons do what the menu's entries do.
    c.buttons[1] = open;
    c.buttons[2] = save;
    c.buttons[3] = saveAs;
    c.buttons[4] = remove;
    c.buttons[6] = print;
    c.buttons[19] = exit;
    c.buttons[20] = exit;
    setSharedButtons(module, w, viewEntries, c);
    addToolbar(w, c);

    QObject::connect(&w, &classifica::titlePageRequested, &w, [&module] { ShowTitlePage(module); });
    QObject::connect(&w, &classifica::robustnessRequested, &w, robustness);
    QObject::connect(&w, &classifica::exitRequested, &w, exit);
    QObject::connect(&w, &classifica::printRequested, &w, print);
    QObject::connect(&w, &classifica::reportRequested, &w, report);
    QObject::connect(&w, &classifica::helpContentsRequested, &w, [&module] { showHelpContents(module); });
}

void decorateTitlePage(ModuloPondra& module, frontespizio& w)
{
    const Command exit = decorateEditingWindow(
        module, w,
        {3,
         CommandOrigin::TitlePageWindow,
         {Entry{QStringLiteral("&dati finestra"), [&module] { PrintTitlePageData(module); }},
          Entry{QStringLiteral("&intera elaborazione"), [&module] { PrintReport(module); }}},
         [&module] { PrintReport(module); },
         QStringLiteral("Controllo &dati immessi"),
         QStringLiteral("C&ancella dati finestra"),
         QStringLiteral("Fi&nestra n.3 di 3"),
         QStringLiteral("controllo dati immessi"),
         QStringLiteral("cancella dati finestra"),
         QStringLiteral("stampa completa dell'elaborazione"),
         [&w] { w.controllodat_Click(); },
         [&w] { w.cancella_Click(); },
         {}});
    QObject::connect(&w, &frontespizio::dataWindowRequested, &w, [&module] { ShowDataWindow(module); });
    QObject::connect(&w, &frontespizio::exitRequested, &w, exit);
    QObject::connect(&w, &frontespizio::printRequested, &w, [&module] { PrintReport(module); });
    QObject::connect(&w, &frontespizio::helpContentsRequested, &w, [&module] { showHelpContents(module); });
}

} // namespace

void installShell(ModuloPondra& module)
{
    installUndo(module);
    // Each move to another hypothesis keeps what was entered in the one left.
    QObject::connect(&module.document(), &StudyDocument::shownHypothesisChanged, &module.document(),
                     [&module] { module.recovery().writeIfChanged(); });
    ReportRecoveryProblems(module);
    module.setExitProcedure([&module](QWidget* from) { ExitProgram(module, from); });
    // The help contents and the windows it leads to reach the rest of the program through here.
    module.setWindowCreatedHandler([&module](QWidget& window) {
        // Every secondary window closes with Esc, as a dialog does; the main windows and the
        // splash give the key a meaning of their own.
        if (!qobject_cast<QMainWindow*>(&window) && !qobject_cast<QDialog*>(&window) &&
            !qobject_cast<frmSplash*>(&window)) {
            auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), &window);
            QObject::connect(escape, &QShortcut::activated, &window, &QWidget::close);
        }
        const Command contents = [&module] { showHelpContents(module); };
        if (auto* help = qobject_cast<sommario*>(&window)) {
            help->exitProgram = [&module, help] { ExitProgram(module, help); };
            help->openAncillary = [&module](AncillaryTopic topic) { OpenAncillary(module, topic); };
        } else if (auto* terms = qobject_cast<licenza*>(&window)) {
            terms->showContents = contents;
        } else if (auto* prices = qobject_cast<prodotti*>(&window)) {
            prices->showContents = contents;
        } else if (auto* comparison = qobject_cast<confronto*>(&window)) {
            QObject::connect(comparison, &confronto::helpRequested, comparison,
                             [&module] { openHelpPage(module, PairwiseHelpTopic); });
        } else if (auto* robustness = qobject_cast<solidita*>(&window)) {
            QObject::connect(robustness, &solidita::printRequested, robustness,
                             [&module] { PrintRobustness(module); });
        } else if (auto* owner = qobject_cast<datistudio*>(&window)) {
            QObject::connect(owner, &datistudio::ownerDataSaved, owner, [&module] {
                if (frontespizio* title = module.loadedWindow<frontespizio>()) {
                    title->ShowOwner();
                }
            });
        }
    });
    module.setMainWindowDecorator([&module](QMainWindow& window) {
        if (auto* data = qobject_cast<requisiti*>(&window)) {
            decorateData(module, *data);
        } else if (auto* results = qobject_cast<classifica*>(&window)) {
            decorateResults(module, *results);
        } else if (auto* title = qobject_cast<frontespizio*>(&window)) {
            decorateTitlePage(module, *title);
        }
        if (auto* main = qobject_cast<MainWindow*>(&window)) {
            main->showDocumentFileName();
        }
    });
}

} // namespace pondra
