#pragma once

#include <QString>

class QTextStream;

namespace pondra {

// Exit codes of the headless commands.
enum HeadlessExit { ExitPassed = 0, ExitCheckFailed = 1, ExitUnreadable = 2 };

// Opens the file as the program does at start (Data window on hypothesis 1), runs the data
// check and prints its message.
int runCheckCommand(const QString& path, QTextStream& out, QTextStream& err);

// The same check, then the ranking: one line per position, tab-separated.
int runRankingCommand(const QString& path, QTextStream& out, QTextStream& err);

} // namespace pondra
