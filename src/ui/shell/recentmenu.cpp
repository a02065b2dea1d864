#include "recentmenu.h"

#include "archive/regularfile.h"
#include "archivecommands.h"
#include "ui/core/modulopondra.h"
#include "ui/core/plaintext.h"

#include <QFileInfo>
#include <QMainWindow>
#include <QMenu>

namespace pondra {

namespace {

void openRecent(ModuloPondra& module, QMainWindow& from, const QString& path)
{
    // Said before the question: a gone file replaces nothing.
    if (!QFileInfo(path).isFile()) {
        module.recentFiles().remove(path);
        module.showMessage(
            &from,
            {QStringLiteral("Il file «%1» non esiste più: è stato tolto dall'elenco dei file recenti.")
                 .arg(shownFileName(path)),
             MessageIcon::Exclamation},
            ArchiveTitle(module));
        return;
    }
    if (MayReplaceStudy(module, &from)) {
        OpenStudyFile(module, &from, path);
    }
}

} // namespace

void addRecentFilesMenu(ModuloPondra& module, QMainWindow& window, QMenu* file)
{
    QMenu* recent = file->addMenu(QStringLiteral("File &recenti"));
    recent->setObjectName(QStringLiteral("recenti"));
    recent->setToolTipsVisible(true);
    QObject::connect(file, &QMenu::aboutToShow, recent, [&module, &window, recent] {
        recent->clear();
        const QStringList paths = module.recentFiles().paths();
        recent->setEnabled(!paths.isEmpty());
        for (int i = 0; i < paths.size(); ++i) {
            const QString& path = paths.at(i);
            QAction* entry = recent->addAction(RecentFiles::menuText(i + 1, path));
            entry->setToolTip(plainToolTip(shownFileName(path)));
            QObject::connect(entry, &QAction::triggered, &window,
                             [&module, &window, path] { openRecent(module, window, path); });
        }
    });
}

} // namespace pondra
