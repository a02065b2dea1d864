#pragma once

#include "documentbuilder.h"

#include "model/identity.h"

#include <QList>
#include <QString>

namespace pondra {

// One page of the on-line help: the window it lives in, its title and its one paragraph.
struct HelpPageText {
    QString window;
    QString title;
    QString text;
};

constexpr int HelpPageCount = 8;

// The help pages: the seven of the help contents, in its order, from the quick manual (topic 1)
// to the Title-page window (topic 7), then that of the "Pesi a confronto" window (topic 8),
// opened from its window.
const QList<HelpPageText>& helpPages();

// Page of topic 1..8; any other topic gives the quick manual.
const HelpPageText& helpPage(int topic);

// One help page, under the program's standard heading.
void printHelpPage(DocumentBuilder& b, const IdentityTexts& identity, const QString& title,
                   const QString& text);

// All the help pages, one to a sheet.
void printHelpContents(DocumentBuilder& b, const IdentityTexts& identity);

} // namespace pondra
