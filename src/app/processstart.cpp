#include "processstart.h"

#include <QtGlobal>

#ifdef Q_OS_WIN
#include <cstdio>

#include <windows.h>

#include <shellapi.h>
#endif

namespace pondra {

QStringList programArguments(int argc, char* argv[])
{
    QStringList arguments;
#ifdef Q_OS_WIN
    Q_UNUSED(argc);
    Q_UNUSED(argv);
    int count = 0;
    if (LPWSTR* words = ::CommandLineToArgvW(::GetCommandLineW(), &count)) {
        for (int i = 0; i < count; ++i) {
            arguments << QString::fromWCharArray(words[i]);
        }
        ::LocalFree(words);
    }
#else
    for (int i = 0; i < argc; ++i) {
        arguments << QString::fromLocal8Bit(argv[i]);
    }
#endif
    return arguments;
}

void connectToConsole()
{
#ifdef Q_OS_WIN
    // Output already sent to a file or a pipe stays there; only where it goes nowhere is the
    // console of the command prompt that started the program taken.
    const auto nowhere = [](DWORD which) {
        const HANDLE handle = ::GetStdHandle(which);
        return handle == nullptr || handle == INVALID_HANDLE_VALUE;
    };
    if ((nowhere(STD_OUTPUT_HANDLE) || nowhere(STD_ERROR_HANDLE)) && ::AttachConsole(ATTACH_PARENT_PROCESS)) {
        if (nowhere(STD_OUTPUT_HANDLE) ||
            ::GetFileType(::GetStdHandle(STD_OUTPUT_HANDLE)) == FILE_TYPE_CHAR) {
            std::freopen("CONOUT$", "w", stdout);
        }
        if (nowhere(STD_ERROR_HANDLE) || ::GetFileType(::GetStdHandle(STD_ERROR_HANDLE)) == FILE_TYPE_CHAR) {
            std::freopen("CONOUT$", "w", stderr);
        }
    }
    ::SetConsoleOutputCP(CP_UTF8);
#endif
}

} // namespace pondra
