#pragma once

#include "model/study.h"
#include "model/titlepage.h"

#include <QByteArray>
#include <QString>

#include <optional>

class QIODevice;

namespace pondra {

// Writes a study as a data file: Windows-1252, CR LF, texts quoted with inner quotes doubled,
// numbers with a point, nothing as an empty field.
class DataFileWriter {
public:
    // The whole file is composed before the device is touched, so a text the code page cannot
    // hold leaves the device as it was.
    bool write(QIODevice* device, const Study& study, const TitlePage& titlePage);
    // Hypotheses 1 to `hypotheses` go into the file: by default as many as are named.
    void setHypothesisCount(int hypotheses) { m_hypotheses = hypotheses; }
    // Texts in UTF-8, which holds every character: for the program's own files, never for a
    // data file the user saves.
    void setUtf8(bool utf8) { m_utf8 = utf8; }
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
