#pragma once

#include "model/study.h"
#include "model/titlepage.h"

#include <QByteArray>
#include <QString>

#include <optional>

class QIODevice;

namespace pondra {

// The first field of the line after the title line that opens the pairwise comparisons.
inline constexpr char ComparisonHeading[] = "confronto a coppie";

// Writes a study as a data file: Windows-1252, CR LF, texts quoted with inner quotes doubled,
// numbers with a point, nothing as an empty field.
class DataFileWriter {
public:
    // The whole file is composed before the device is touched, so a text the code page cannot
    // hold leaves the device as it was.
    bool write(QIODevice* device, const Study& study, const TitlePage& titlePage);
    // Hypotheses 1 to `hypotheses` go into the file: by default slotsToWrite().
    void setHypothesisCount(int hypotheses) { m_hypotheses = hypotheses; }
    // Texts in UTF-8, which holds every character: for the program's own files, never for a
    // data file the user saves.
    void setUtf8(bool utf8) { m_utf8 = utf8; }

    // The slots a file holds: every one up to the last in use (named, with a row that holds
    // anything or with a pairwise comparison), so that a hypothesis after a free slot and the rows of a slot
    // not yet named are kept. Named hypotheses without gaps are written as they always were.
    static int slotsToWrite(const Study& study);
    // The rows of slot h a file holds: up to its last named row, or on to the last row that holds
    // anything (a row ticked, or weighed, before it is named).
    static int rowsToWrite(const Study& study, int h);
    // Italian; a refused text names its field.
    QString errorString() const { return m_error; }

    // The bytes of the file, or nothing with errorString() set.
    std::optional<QByteArray> compose(const Study& study, const TitlePage& titlePage);

private:
    QString m_error;
    std::optional<int> m_hypotheses;
    bool m_utf8 = false;
};

} // namespace pondra
