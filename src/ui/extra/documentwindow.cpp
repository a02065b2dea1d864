#include "documentwindow.h"

#include "archive/regularfile.h"
#include "reports/documentexport.h"
#include "reports/pagelayout.h"
#include "ui/core/modulopondra.h"
#include "ui/core/pictures.h"
#include "ui/core/plaintext.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMenuBar>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>
#include <QTextDocument>
#include <QTextEdit>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>

namespace pondra {

namespace {

QString fileTitle(const ModuloPondra& module)
{
    return module.identity().ProgramName + QStringLiteral(": documento");
}

// "Pondra-relazione" for the window "Pondra: relazione": letters, digits and dashes only.
QString handoffName(const QString& title)
{
    QString name;
    for (const QChar c : title.left(80)) {
        name += c.isLetterOrNumber() ? c : u'-';
    }
    name = name.split(u'-', Qt::SkipEmptyParts).join(u'-');
    return name.isEmpty() ? QStringLiteral("documento") : name;
}

} // namespace

DocumentWindow::DocumentWindow(ModuloPondra& module, std::unique_ptr<QTextDocument> document,
                               const QString& title)
    : m_module(module), m_document(std::move(document)), m_editor(new QTextEdit(this))
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(plainWindowTitle(title));
    // The document is shown only once it is complete: editing a shown document while it is
    // built is far slower.
    m_editor->setDocument(m_document.get());
    m_editor->setAcceptRichText(false);
    m_editor->setAccessibleName(QStringLiteral("testo del documento"));
    setCentralWidget(m_editor);
    // The text has the keyboard when the window opens, so that the reader starts at the document.
    m_editor->setFocus();

    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    QToolBar* toolbar = addToolBar(QStringLiteral("Documento"));
    toolbar->setMovable(false);
    toolbar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    auto add = [&](const QString& text, const QIcon& icon, QKeySequence key, void (DocumentWindow::*slot)()) {
        QAction* action = file->addAction(icon, text, this, slot);
        action->setShortcut(key);
        toolbar->addAction(action);
    };
    // The program's own pictures, the same as on the main windows' toolbar, with or without an
    // icon theme.
    add(QStringLiteral("&Stampa..."), svgIcon(toolbarIconPath(6)), QKeySequence::Print,
        &DocumentWindow::print);
    add(QStringLiteral("Salva &come..."), svgIcon(toolbarIconPath(3)), QKeySequence::SaveAs,
        &DocumentWindow::saveAs);
    add(QStringLiteral("&Apri con..."), svgIcon(toolbarIconPath(1)), QKeySequence(),
        &DocumentWindow::openWith);
    file->addSeparator();
    file->addAction(QStringLiteral("&Chiudi"), QKeySequence::Close, this, &QWidget::close);
    // No taller than the screen leaves free, title bar included.
    const QRect available = screen()->availableGeometry();
    const int titleBar = style()->pixelMetric(QStyle::PM_TitleBarHeight) +
                         2 * style()->pixelMetric(QStyle::PM_DefaultFrameWidth);
    resize(std::min(820, available.width()), std::min(900, available.height() - titleBar));
}

DocumentWindow::~DocumentWindow()
{
    // The editor goes before the document it shows.
    delete m_editor;
}

QTextDocument* DocumentWindow::document() const
{
    return m_document.get();
}

bool DocumentWindow::printOn(QPrinter& printer)
{
    // The sheet's corner is the pages' origin: the margins are theirs.
    printer.setFullPage(true);
    if (printDocument(*m_document, printer)) {
        return true;
    }
    const std::shared_ptr<const PagedDocument> pages = pagesOf(*m_document);
    const QString problem = layoutProblem(*pages);
    m_module.showMessage(
        this,
        {problem.isEmpty()
             ? QStringLiteral("La stampa non è riuscita: la stampante non accetta il documento.")
             : QStringLiteral("Il documento non si può stampare: ") + problem,
         MessageIcon::Critical},
        fileTitle(m_module));
    return false;
}

void DocumentWindow::print()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setFullPage(true);
    QPrintPreviewDialog preview(&printer, this);
    preview.setWindowTitle(QStringLiteral("Anteprima di stampa"));
    connect(&preview, &QPrintPreviewDialog::paintRequested, this,
            [this](QPrinter* target) { printOn(*target); });
    // Qt's preview has no key for printing and its toolbar takes no focus: both are given, so
    // that the pages are printed without the mouse.
    const QString printText = QCoreApplication::translate("QPrintPreviewDialog", "Print");
    for (QAction* action : preview.findChildren<QAction*>()) {
        if (action->text() == printText) {
            action->setShortcut(QKeySequence::Print);
        }
    }
    for (QToolButton* button : preview.findChildren<QToolButton*>()) {
        button->setFocusPolicy(Qt::TabFocus);
    }
    preview.exec();
}

void DocumentWindow::saveAs()
{
    const QStringList filters = exportFilters();
    QString filter = filters.value(0);
    const QString name =
        m_suggestedName.isEmpty() ? windowTitle().section(u':', -1).trimmed() : m_suggestedName;
    QString path = m_module.dialogs().saveFileName(this, QStringLiteral("Salva il documento come"),
                                                   filters.join(QStringLiteral(";;")), &filter,
                                                   name + u'.' + filterExtension(filter));
    if (path.isEmpty()) {
        return;
    }
    // A name given without an extension is written in the format chosen beside it.
    if (QFileInfo(path).suffix().isEmpty() && !filterExtension(filter).isEmpty()) {
        path += u'.' + filterExtension(filter);
    }
    QString error;
    if (!exportDocument(*m_document, path, &error)) {
        m_module.showMessage(this, {error, MessageIcon::Critical}, fileTitle(m_module));
        return;
    }
    statusBar()->showMessage(QStringLiteral("archiviato in «%1»").arg(QDir::toNativeSeparators(path)));
}

void DocumentWindow::openWith()
{
    const QString folder = m_module.handoffFolder();
    QString path;
    if (!folder.isEmpty()) {
        // Named after the printout; the name is taken by creating the file, never by finding an
        // old one there, so a copy the desktop still has open is not overwritten.
        const QString name = handoffName(windowTitle());
        for (int n = 1; n <= 100 && path.isEmpty(); ++n) {
            const QString candidate = QDir(folder).filePath(
                n == 1 ? name + QStringLiteral(".docx") : QStringLiteral("%1-%2.docx").arg(name).arg(n));
            QFile reserved(candidate);
            if (reserved.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
                path = candidate;
            }
        }
    }
    if (path.isEmpty()) {
        m_module.showMessage(
            this,
            {QStringLiteral("Non si può preparare la copia del documento da aprire: la cartella "
                            "temporanea non si può scrivere."),
             MessageIcon::Critical},
            fileTitle(m_module));
        return;
    }
    QString error;
    if (!exportDocument(*m_document, path, &error)) {
        QFile::remove(path);
        m_module.showMessage(this, {error, MessageIcon::Critical}, fileTitle(m_module));
        return;
    }
    if (!m_module.environment().openUrl(QUrl::fromLocalFile(path))) {
        m_module.showMessage(
            this,
            {QStringLiteral("Nessun programma del sistema apre il documento «%1».").arg(shownFileName(path)),
             MessageIcon::Exclamation},
            fileTitle(m_module));
    }
}

DocumentWindow* showDocument(ModuloPondra& module, std::unique_ptr<QTextDocument> document,
                             const QString& title)
{
    auto* window = new DocumentWindow(module, std::move(document), title);
    module.adoptDocumentWindow(window);
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}

} // namespace pondra
