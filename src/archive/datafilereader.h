#pragma once

#include "model/study.h"
#include "model/titlepage.h"

#include <QString>

class QIODevice;

namespace pondra {

// Reads a data file: the hypothesis count, each hypothesis with its rows, the title line.
// Values come back with the kind they were written with. Neither scores nor checks, but takes
// only what the program could have written: numbers on their scales, names and title fields
// within their limits. Windows-1252 or UTF-8 (a file from another editor); UTF-16 is refused.
class DataFileReader {
public:
    // Fills study and titlePage. On failure they hold what was read before the fault: read
    // into fresh ones and adopt them only when this returns true.
    bool read(QIODevice* device, Study& study, TitlePage& titlePage);
    // Italian, naming the line at fault.
    QString errorString() const { return m_error; }

private:
    QString m_error;
};

} // namespace pondra
