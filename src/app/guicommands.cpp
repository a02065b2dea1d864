#include "guicommands.h"

#include "headlesscommands.h"
#include "reports/helppages.h"
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
#include "ui/shell/archivecommands.h"
#include "ui/shell/recoveryoffer.h"
#include "ui/shell/shell.h"

#include <QApplication>
#include <QPixmap>
#include <QTextStream>

#include <functional>
#include <map>

namespace pondra {

int runWindows(const QString& file)
{
    identifyOnDesktop();
    ModuloPondra module;
    installShell(module);
    module.recovery().start();
    QString recovered;
    if (OfferRecovery(module, &recovered)) {
        // The recovered study instead of the splash or the file asked for: it is the one at risk.
        requisiti* data = module.window<requisiti>();
        data->show();
        data->showStep(recovered);
    } else if (file.isEmpty()) {
        module.window<frmSplash>()->show();
    } else {
        // As the open command would: the study, its title page and its name, so that a save
        // writes back to the same file.
        requisiti* data = module.window<requisiti>();
        data->show();
        OpenStudyFile(module, data, file);
    }
    OfferOwnerData(module);
    return QApplication::exec();
}

int runScreenshot(const QString& window, const QString& output, const QString& file)
{
    QTextStream err(stderr);
    identifyOnDesktop();
    ModuloPondra module;
    installShell(module);
    std::map<QString, std::function<QWidget*()>> windows{
        {QStringLiteral("frmSplash"), [&] { return module.window<frmSplash>(); }},
        {QStringLiteral("requisiti"), [&] { return module.window<requisiti>(); }},
        {QStringLiteral("classifica"),
         [&] {
             auto* window = module.window<classifica>();
             // With a file the picture shows its ranking, made as showing the results makes it.
             if (!file.isEmpty() && module.document().checkData().passed) {
                 module.document().rank();
             }
             return window;
         }},
        {QStringLiteral("frontespizio"), [&] { return module.window<frontespizio>(); }},
        {QStringLiteral("informa"), [&] { return module.window<informa>(); }},
        {QStringLiteral("prodotti"), [&] { return module.window<prodotti>(); }},
        {QStringLiteral("supportoclienti"), [&] { return module.window<supportoclienti>(); }},
        {QStringLiteral("frmTip"), [&] { return module.window<frmTip>(); }},
        {QStringLiteral("licenza"), [&] { return module.window<licenza>(); }},
        {QStringLiteral("sommario"), [&] { return module.window<sommario>(); }},
        {QStringLiteral("confronto"),
         [&] {
             auto* window = module.window<confronto>();
             // With a file, judgements that agree with the weights it has, so the figures say
             // something.
             if (!file.isEmpty() && window->Carica()) {
                 const Study& study = module.study();
                 const int h = module.document().shownHypothesis();
                 const std::vector<int>& rows = window->comparison().rows;
                 const int n = int(rows.size());
                 for (int i = 0; i < n; ++i) {
                     for (int j = i + 1; j < n; ++j) {
                         const double a = study.row(h, rows[std::size_t(i)]).weight.toLeadingNumber();
                         const double b = study.row(h, rows[std::size_t(j)]).weight.toLeadingNumber();
                         if (a > 0 && b > 0) {
                             window->Giudica(PairwiseComparison::pairIndex(n, i, j), stepOf(a / b));
                         }
                     }
                 }
             }
             return window;
         }},
        {QStringLiteral("solidita"),
         [&] {
             auto* window = module.window<solidita>();
             if (!file.isEmpty() && module.document().checkData().passed) {
                 window->Aggiorna();
             }
             return window;
         }},
    };
    // The help pages by their window names, as the help contents opens them.
    for (int topic = 1; topic <= HelpPageCount; ++topic) {
        windows.emplace(helpPage(topic).window, [&module, topic] { return loadHelpPage(module, topic); });
    }
    const auto found = windows.find(window);
    if (found == windows.end()) {
        QStringList names;
        for (const auto& entry : windows) {
            names << entry.first;
        }
        err << QStringLiteral("Finestra sconosciuta: %1. Finestre disponibili: %2.")
                   .arg(window, names.join(QStringLiteral(", ")))
            << Qt::endl;
        return ExitUnreadable;
    }
    if (!file.isEmpty()) {
        QString error;
        if (!module.document().open(file, &error)) {
            err << error << Qt::endl;
            return ExitUnreadable;
        }
        // As opening does in the program: the study is shown in the Data window.
        module.window<requisiti>();
    }
    QWidget* shown = found->second();
    shown->show();
    QApplication::processEvents();
    if (!shown->grab().save(output, "PNG")) {
        err << QStringLiteral("Impossibile scrivere l'immagine «%1».").arg(output) << Qt::endl;
        return ExitUnreadable;
    }
    return ExitPassed;
}

} // namespace pondra
