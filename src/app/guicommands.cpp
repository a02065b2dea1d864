#include "guicommands.h"

#include "archive/datafile.h"
#include "headlesscommands.h"
#include "ui/core/modulopondra.h"
#include "ui/extra/frmsplash.h"
#include "ui/extra/informa.h"
#include "ui/extra/supportoclienti.h"
#include "ui/main/requisiti.h"

#include <QApplication>
#include <QPixmap>
#include <QTextStream>

#include <functional>
#include <map>

namespace pondra {

namespace {

// Opens the file as the Data window's open does: only a whole, valid file replaces the study,
// then the hypothesis on display is shown afresh.
bool openIntoDataWindow(ModuloPondra& module, const QString& file, QString* error)
{
    requisiti* data = module.window<requisiti>();
    TitlePage titlePage;
    if (!loadStudyFile(file, module.study(), titlePage, error)) {
        return false;
    }
    data->HScroll1_Change();
    return true;
}

} // namespace

int runWindows(const QString& file)
{
    ModuloPondra module;
    if (file.isEmpty()) {
        module.window<frmSplash>()->show();
    } else {
        requisiti* data = module.window<requisiti>();
        data->show();
        QString error;
        if (!openIntoDataWindow(module, file, &error)) {
            module.showMessage(data, {error, MessageIcon::Critical}, module.identity().ProgramName.trimmed());
        }
    }
    return QApplication::exec();
}

int runScreenshot(const QString& window, const QString& output, const QString& file)
{
    QTextStream err(stderr);
    ModuloPondra module;
    const std::map<QString, std::function<QWidget*()>> windows{
        {QStringLiteral("frmSplash"), [&] { return module.window<frmSplash>(); }},
        {QStringLiteral("requisiti"), [&] { return module.window<requisiti>(); }},
        {QStringLiteral("informa"), [&] { return module.window<informa>(); }},
        {QStringLiteral("supportoclienti"), [&] { return module.window<supportoclienti>(); }},
    };
    const auto found = windows.find(window);
    if (found == windows.end()) {
        QStringList names;
        for (const auto& entry : windows) {
            names << entry.first;
        }
        err << QStringLiteral("Finestra sconosciuta: %1. Finestre disponibili: %2.").arg(window, names.join(QStringLiteral(", ")))
            << Qt::endl;
        return ExitUnreadable;
    }
    if (!file.isEmpty()) {
        QString error;
        if (!openIntoDataWindow(module, file, &error)) {
            err << error << Qt::endl;
            return ExitUnreadable;
        }
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
