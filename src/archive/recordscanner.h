#pragma once

#include "model/value.h"
#include "textencoding.h"

#include <QByteArrayView>
#include <QString>

#include <vector>

namespace pondra {

// Splits data-file bytes into records: one line of comma-separated fields each. A quoted
// field is a text (a doubled quote inside stands for one quote, line ends inside are kept),
// an empty field is nothing, anything else must be a number written with a point. A file that
// ends right after a comma has been cut short and is refused.
class RecordScanner {
public:
    // `data` starts after any byte-order mark; texts are decoded as `encoding` says.
    RecordScanner(QByteArrayView data, TextEncoding encoding) : m_data(data), m_encoding(encoding) {}

    bool atEnd() const { return m_pos >= m_data.size(); }
    // What is left to read.
    QByteArrayView rest() const { return m_data.sliced(m_pos); }
    // The line the next record starts on, from 1.
    int line() const { return m_line; }

    // Reads the next record; false with errorString() set when a field cannot be read.
    bool next(std::vector<Value>& fields);
    const QString& errorString() const { return m_error; }

private:
    bool readField(Value& value);
    bool readQuoted(Value& value);
    bool readUnquoted(Value& value);
    bool fail(const QString& what);
    void skipBlanks();
    bool atLineEnd() const;
    void consumeLineEnd();
    char peek() const { return m_data[m_pos]; }

    QByteArrayView m_data;
    TextEncoding m_encoding;
    qsizetype m_pos = 0;
    int m_line = 1;
    QString m_error;
};

} // namespace pondra
