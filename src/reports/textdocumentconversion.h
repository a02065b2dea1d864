#pragma once

#include "documentcontent.h"

#include <memory>

class QTextDocument;

namespace pondra {

struct PagedDocument;

// The content as a QTextDocument for the document window: every text and look, table columns
// in the proportions of the pages, and what the pages need to be laid out again after the user
// has edited it (the page-count field, the paragraphs kept with the next one, the table look).
std::unique_ptr<QTextDocument> toTextDocument(const PagedDocument& pages);

// The content of a document, edited or not, for laying it out in pages.
std::shared_ptr<DocumentContent> fromTextDocument(const QTextDocument& document);

// Keeps the pages a document was made from with it, for printing and exporting it as long as
// nobody edits it: it is then laid out once only.
void attachPages(QTextDocument& document, std::unique_ptr<PagedDocument> pages);
// The pages attached to the document, or none once it has been edited since.
const PagedDocument* attachedPages(const QTextDocument& document);

} // namespace pondra
