#pragma once

#include <QByteArray>
#include <QString>

namespace pondra {

struct PagedDocument;

// The document as a standalone HTML5 page in UTF-8, in our pages: each page of the layout a sheet
// holding what it holds, with the texts' sizes, weights, colours, alignments and line heights, the
// tables with the columns of the pages and their look. Printed from a browser it gives our pages,
// so the page count a report states holds there too.
QByteArray htmlPage(const PagedDocument& pages, const QString& title);

} // namespace pondra
