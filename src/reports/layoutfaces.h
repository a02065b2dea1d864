#pragma once

#include "documentcontent.h"

#include <QByteArray>

#include <vector>

namespace pondra {

// A face the pages were laid out in, as a file a document can carry.
struct LayoutFace {
    bool bold = false;
    // A TrueType font file.
    QByteArray data;
};

// Where the pages are laid out in URW Gothic in place of the font the document names, the faces a
// DOCX or a web page carries so that a reader without the named font lays the text out as the
// pages are, rather than in a face of its own choosing: TrueType copies of the system's faces,
// made by tools/make-docx-fonts and installed beside the program. The bold face only where the
// document has bold text; nothing without the regular face, which a bold face alone would leave
// to another font.
std::vector<LayoutFace> layoutFaces(const DocumentContent& content);

// The TrueType copy of URW Gothic's regular or bold face installed beside the program; empty when
// it is missing.
QByteArray layoutFaceData(bool bold);

} // namespace pondra
