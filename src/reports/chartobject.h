#pragma once

#include "evaluationchart.h"

#include <QTextImageFormat>

#include <optional>
#include <vector>

class QTextDocument;

namespace pondra {

// A chart of the evaluations inside a text document. It stands as an image, whose picture is a
// resource of the document (what an editor without the chart's painter, a web page or a word
// processor shows), and it carries its bars, from which the page layout paints it as lines and
// text, sharp at any size and as vector in a PDF.

// The format of a chart of that width and of the height it asks for, in points; its picture is
// added to the document.
QTextImageFormat chartImageFormat(QTextDocument& document, const std::vector<ChartBar>& bars,
                                  const QStringList& families, double widthPoints);

// The bars of a chart's format; nothing for any other format.
std::optional<std::vector<ChartBar>> chartBarsOf(const QTextFormat& format);

// From now on the document's layout paints its charts from their bars. Harmless to repeat.
void paintChartsAsVector(QTextDocument& document);

} // namespace pondra
