#pragma once

#include <QString>

namespace pondra {

// The program's identity texts and the titles of its messages.
struct IdentityTexts {
    QString ProgramName; // "Pondra " with its trailing blank
    QString ProgramDescription;
    QString ProgramVersion;
    QString ProgramDate;
    QString ProgramBuild;      // build date; its last two characters are the year
    QString CheckTitle;        // title of every data-check message
    QString HelpTitle;         // title of the guided help and of the help questions
    QString DeleteDialogTitle; // title of the delete command's file dialog
};

IdentityTexts InitGlobals();

} // namespace pondra
