#pragma once

#include <QMainWindow>

#include <memory>

class QPrinter;
class QTextDocument;
class QTextEdit;

namespace pondra {

class ModuloPondra;

// One printout, as a document the user reads, edits, prints or saves; nothing is saved unless
// the user asks. Each printout opens a window of its own.
class DocumentWindow : public QMainWindow {
    Q_OBJECT

public:
    DocumentWindow(ModuloPondra& module, std::unique_ptr<QTextDocument> document, const QString& title);
    ~DocumentWindow() override;

    QTextDocument* document() const;

    // Prints the document's pages on the printer as the PDF holds them: A4 from edge to edge,
    // the pages' own margins and breaks, no page numbers added. Says why when it cannot.
    bool printOn(QPrinter& printer);

    // The name (or path) "Salva come..." proposes, without extension; the extension of the
    // preselected format is added. Without one the window's title names the document.
    void setSuggestedName(const QString& name) { m_suggestedName = name; }

public Q_SLOTS:
    // The print dialog with its preview of the pages.
    void print();
    // Asks where and in which format; says why when the file cannot be written.
    void saveAs();
    // Writes a temporary copy and hands it to the desktop's own program for the format.
    void openWith();

private:
    ModuloPondra& m_module;
    std::unique_ptr<QTextDocument> m_document;
    QTextEdit* m_editor = nullptr;
    QString m_suggestedName;
};

// Opens a printout in a new document window owned by the module.
DocumentWindow* showDocument(ModuloPondra& module, std::unique_ptr<QTextDocument> document,
                             const QString& title);

} // namespace pondra
