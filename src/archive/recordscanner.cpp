#include "recordscanner.h"

#include "model/textrules.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace pondra {

namespace {

// A number as the data file writes it, with a point. Whole values that fit 16 bits come back
// as 16-bit integers however they were written, so a save and a reopen keep every kind.
bool parseFileNumber(QByteArrayView text, Value& value)
{
    if (numberPrefixLength(text, u'.') != text.size()) {
        return false;
    }
    // from_chars takes no leading plus sign.
    const char* first = text.data() + (text.front() == '+' ? 1 : 0);
    double v = 0.0;
    const auto [end, error] = std::from_chars(first, text.data() + text.size(), v);
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(v)) {
        return false;
    }
    if (v == std::floor(v) && v >= -32768.0 && v <= 32767.0) {
        value = Value::integer(qint16(v));
    } else {
        value = Value::number(v);
    }
    return true;
}

} // namespace

bool RecordScanner::fail(const QString& what)
{
    m_error = QStringLiteral("riga %1: %2").arg(m_line).arg(what);
    return false;
}

void RecordScanner::skipBlanks()
{
    while (!atEnd() && (peek() == ' ' || peek() == '\t')) {
        ++m_pos;
    }
}

bool RecordScanner::atLineEnd() const
{
    return atEnd() || peek() == '\r' || peek() == '\n';
}

void RecordScanner::consumeLineEnd()
{
    if (atEnd()) {
        return;
    }
    if (peek() == '\r') {
        ++m_pos;
    }
    if (!atEnd() && peek() == '\n') {
        ++m_pos;
    }
    ++m_line;
}

bool RecordScanner::next(std::vector<Value>& fields)
{
    fields.clear();
    while (true) {
        Value value;
        if (!readField(value)) {
            return false;
        }
        fields.push_back(std::move(value));
        if (atLineEnd()) {
            consumeLineEnd();
            return true;
        }
        ++m_pos; // the comma
        if (atEnd()) {
            return fail(QStringLiteral("il file finisce subito dopo una virgola: sembra troncato."));
        }
    }
}

bool RecordScanner::readField(Value& value)
{
    skipBlanks();
    if (!atEnd() && peek() == '"') {
        return readQuoted(value);
    }
    return readUnquoted(value);
}

bool RecordScanner::readQuoted(Value& value)
{
    const int startLine = m_line;
    ++m_pos;
    QByteArray bytes;
    while (true) {
        // Copy up to the next quote in one piece, counting the line ends it holds.
        const qsizetype quote = m_data.indexOf('"', m_pos);
        const qsizetype stop = quote < 0 ? m_data.size() : quote;
        const QByteArrayView piece = m_data.sliced(m_pos, stop - m_pos);
        m_line += int(piece.count('\n')) + int(piece.count('\r')) - int(piece.count("\r\n"));
        bytes.append(piece.data(), piece.size());
        m_pos = stop;
        if (quote < 0) {
            m_line = startLine;
            return fail(QStringLiteral("un testo tra virgolette non è chiuso."));
        }
        ++m_pos;
        if (!atEnd() && peek() == '"') {
            bytes += '"';
            ++m_pos;
            continue;
        }
        break;
    }
    skipBlanks();
    if (!atLineEnd() && peek() != ',') {
        return fail(QStringLiteral("dopo un testo tra virgolette ci può essere solo una virgola."));
    }
    value = Value::text(decodeText(bytes, m_encoding));
    return true;
}

bool RecordScanner::readUnquoted(Value& value)
{
    const qsizetype start = m_pos;
    while (!atLineEnd() && peek() != ',') {
        if (peek() == '"') {
            return fail(QStringLiteral("virgolette fuori posto."));
        }
        ++m_pos;
    }
    const QByteArrayView text = m_data.sliced(start, m_pos - start).trimmed();
    if (text.isEmpty()) {
        value = Value();
        return true;
    }
    if (!parseFileNumber(text, value)) {
        const QByteArrayView shown = text.first(std::min<qsizetype>(text.size(), 40));
        return fail(
            QStringLiteral("«%1» non è un numero.").arg(printableText(decodeText(shown, m_encoding))));
    }
    return true;
}

} // namespace pondra
