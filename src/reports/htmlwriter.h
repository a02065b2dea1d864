#pragma once

#include <QByteArray>
#include <QString>

namespace pondra {

struct PagedDocument;

// The document as a standalone HTML5 page in UTF-8: the texts with their sizes, weights, colours
// and alignments at the font's normal line height, blank lines kept, tables with the columns of
// the pages and their look, and the pages' breaks and keeps for printing from a browser.
QByteArray htmlPage(const PagedDocument& pages, const QString& title);

} // namespace pondra
