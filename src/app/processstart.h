#pragma once

#include <QStringList>

namespace pondra {

// The program's arguments as the user typed them: on Windows from the wide command line, so
// that a file name in any script survives, elsewhere decoded from the locale's bytes.
QStringList programArguments(int argc, char* argv[]);

// On Windows the program is a windowed one: a command typed in a console writes its answers
// there, in UTF-8, as it does on Linux; a window started from the Start menu opens no console.
void connectToConsole();

} // namespace pondra
