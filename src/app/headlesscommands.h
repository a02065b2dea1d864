#pragma once

#include "reports/printouts.h"

#include <QString>
#include <QStringList>

class QTextStream;

namespace pondra {

// Exit codes of the headless commands.
enum HeadlessExit { ExitPassed = 0, ExitCheckFailed = 1, ExitUnreadable = 2 };

// Opens the file as the program does at start (Data window on hypothesis 1), runs the data
// check and prints its message.
int runCheckCommand(const QString& path, QTextStream& out, QTextStream& err);

// The same check, then the ranking: one line per position, tab-separated.
int runRankingCommand(const QString& path, QTextStream& out, QTextStream& err);

// The check and the ranking as the ranking command makes them, then, for every hypothesis from
// the second on, the least changes of judgement that would bring it level with the first:
// position, name, changes needed and the rows to change, tab-separated.
int runAnalysisCommand(const QString& path, QTextStream& out, QTextStream& err);

// The check and the ranking as the ranking command makes them, then one line per
// characteristic, the most critical first: name, weight today (the mean, marked "variabile" when
// the hypotheses weigh it differently), the lowest and highest weight that keep the first, and
// the hypothesis first below and above them ("-" where none), tab-separated.
int runSensitivityCommand(const QString& path, QTextStream& out, QTextStream& err);

// The printout KIND of the study in FILE, written in the format of OUT's extension, after the
// check its window command makes; the report has the sections the options ask for, whatever the
// windows remember. Exit 2 also for an unknown kind or a file not written.
int runPrintCommand(const QString& kind, const QString& path, const QString& output,
                    const ReportOptions& options, QTextStream& out, QTextStream& err);

// The ranking and the data of every hypothesis of the study in FILE, for a spreadsheet, after
// the data check; exit 1 on a failed check, 2 when the file cannot be read or OUT not written.
int runSpreadsheetCommand(const QString& path, const QString& output, QTextStream& err);

// The weights and the consistency of a pairwise comparison typed as text: rows apart by ";",
// entries by blanks, each a whole number, a decimal (comma or point) or a fraction such as 1/3.
// One line per row, "i, weight in % to one decimal, whole percent", then lambda max, the
// consistency index and ratio to three decimals, tab-separated. Exit 2, with the reason, for a
// matrix that is not square, not reciprocal, off the 1/9..9 scale or not 2..15 rows.
int runPairwiseCommand(const QString& matrix, QTextStream& out, QTextStream& err);

// The kinds --print knows.
QStringList printKinds();

} // namespace pondra
