#pragma once

#include "archivalpdf.h"

#include <QByteArray>
#include <QString>

#include <vector>

namespace pondra {

struct PagedDocument;

// A tagged PDF of the laid-out pages, written by the program itself since Qt's PDF writer cannot
// mark content: PDF/A-2b for archiving and PDF/UA-1 for readers that speak or reflow the text.
// The faces are those the pages are laid out in (URW Gothic beside the program, and a system
// face for a character it lacks), embedded cut down to the glyphs shown; text, shading, rules and
// the chart stand where PagePainter paints them. Headings (the outline's paragraphs), body
// paragraphs, tables with their header cells and the chart (with its values as alternative text)
// are tagged in reading order; the shading and rules of tables, and header rows a new page
// repeats, are artifacts.
struct TaggedPdf {
    QByteArray bytes;
    // PdfStructure::outline(), when asked for: the elements by depth, for checking.
    QString structure;
};

// Nothing when a face the pages show cannot be embedded (it has no TrueType outlines, or its
// licence forbids embedding): the caller then writes the pages another way.
TaggedPdf taggedPdf(const PagedDocument& pages, const ArchivalInfo& info,
                    const std::vector<PdfBookmark>& outline, bool withStructure = false);

} // namespace pondra
