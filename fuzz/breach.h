#pragma once

#include <QString>

#include <cstdio>
#include <cstdlib>

namespace pondra {

// A property a fuzz target checks does not hold: says which on stderr, in the form the replay
// tests look for, and aborts so the fuzzer keeps the input.
[[noreturn]] inline void breach(const char* what, const QString& detail = {})
{
    std::fprintf(stderr, "pondra fuzz: %s%s%s\n", what, detail.isEmpty() ? "" : ": ", qPrintable(detail));
    std::fflush(stderr);
    std::abort();
}

} // namespace pondra
