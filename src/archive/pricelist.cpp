#include "pricelist.h"

#include "recordscanner.h"
#include "regularfile.h"

#include <QFile>
#include <QIODevice>

#include <cmath>

namespace pondra {

namespace {

// A catalogue of a hundred programs is a few kilobytes; anything far larger is not a price list.
constexpr qint64 MaxFileSize = 1024 * 1024;

void setError(QString* error, const QString& text)
{
    if (error) {
        *error = text;
    }
}

// Hands out the fields one at a time across line ends, scanning a line only when its first
// field is wanted, so whatever follows the last entry is never looked at.
class FieldStream {
public:
    FieldStream(QByteArrayView data, TextEncoding encoding) : m_scanner(data, encoding) {}

    // False at the end of the file (error stays empty) or on a field that cannot be read.
    bool next(Value& value, int& line)
    {
        while (m_index >= m_fields.size()) {
            if (m_scanner.atEnd()) {
                return false;
            }
            m_line = m_scanner.line();
            if (!m_scanner.next(m_fields)) {
                error = m_scanner.errorString();
                return false;
            }
            m_index = 0;
            // A blank line holds no field.
            if (m_fields.size() == 1 && m_fields.front().isNothing()) {
                m_fields.clear();
            }
        }
        value = m_fields[m_index++];
        line = m_line;
        return true;
    }

    // The line the file ends on, for a list cut short.
    int endLine() const { return m_scanner.line(); }
    QString error;

private:
    RecordScanner m_scanner;
    std::vector<Value> m_fields;
    std::size_t m_index = 0;
    int m_line = 1;
};

class Reader {
public:
    Reader(QByteArrayView data, TextEncoding encoding) : m_stream(data, encoding) {}

    bool run(PriceList& list);
    QString error;

private:
    bool field(Value& value, const QString& what);
    bool text(QString& out, const QString& what);
    bool price(double& out, const QString& what);
    bool fail(const QString& what)
    {
        error = QStringLiteral("riga %1: %2").arg(m_line).arg(what);
        return false;
    }

    FieldStream m_stream;
    int m_line = 1;
};

bool Reader::field(Value& value, const QString& what)
{
    if (m_stream.next(value, m_line)) {
        return true;
    }
    if (!m_stream.error.isEmpty()) {
        error = m_stream.error;
    } else {
        error = QStringLiteral("il file finisce alla riga %1, dove si attendeva %2.")
                    .arg(m_stream.endLine())
                    .arg(what);
    }
    return false;
}

// Names and subjects are texts; a plain number is taken as its display text.
bool Reader::text(QString& out, const QString& what)
{
    Value value;
    if (!field(value, what)) {
        return false;
    }
    out = value.toDisplayText();
    return true;
}

bool Reader::price(double& out, const QString& what)
{
    Value value;
    if (!field(value, what)) {
        return false;
    }
    if (!value.isNumeric()) {
        return fail(QStringLiteral("%1 deve essere un numero.").arg(what));
    }
    out = *value.toNumber();
    return true;
}

bool Reader::run(PriceList& list)
{
    Value heading;
    if (!field(heading, QStringLiteral("l'intestazione del listino"))) {
        return false;
    }
    list.heading = heading.toDisplayText();

    Value count;
    if (!field(count, QStringLiteral("il numero dei prodotti"))) {
        return false;
    }
    const std::optional<double> n = count.isNumeric() ? count.toNumber() : std::nullopt;
    // The list has room for a hundred entries: more is refused rather than cut, so the window
    // and the printout never show a catalogue silently shortened.
    if (!n || *n != std::floor(*n) || *n < 0 || *n > MaxPriceEntries) {
        return fail(QStringLiteral("il numero dei prodotti deve essere un numero intero da 0 a %1.")
                        .arg(MaxPriceEntries));
    }
    const int entries = int(*n);
    list.entries.resize(std::size_t(entries));
    for (int k = 1; k <= entries; ++k) {
        PriceEntry& e = list.entries[std::size_t(k - 1)];
        if (!text(e.name, QStringLiteral("il nome del prodotto n. %1").arg(k)) ||
            !text(e.subject, QStringLiteral("l'argomento del prodotto n. %1").arg(k)) ||
            !price(e.netPrice, QStringLiteral("il costo netto del prodotto n. %1").arg(k)) ||
            !price(e.internetPrice, QStringLiteral("il prezzo via internet del prodotto n. %1").arg(k))) {
            return false;
        }
    }
    return true;
}

} // namespace

bool readPriceList(QIODevice* device, PriceList& list, QString* error)
{
    if (!device || !device->isReadable()) {
        setError(error, QStringLiteral("il file non è leggibile."));
        return false;
    }
    // Read in pieces so a device that fails part way says so instead of looking short.
    QByteArray data;
    char piece[16384];
    while (data.size() <= MaxFileSize) {
        const qint64 got = device->read(piece, sizeof piece);
        if (got < 0) {
            setError(error, QStringLiteral("la lettura del file non è riuscita."));
            return false;
        }
        if (got == 0) {
            break;
        }
        data.append(piece, got);
    }
    if (data.size() > MaxFileSize) {
        setError(error, QStringLiteral("il file è troppo grande per essere un listino."));
        return false;
    }
    const DetectedEncoding detected = detectEncoding(data);
    if (detected.encoding == TextEncoding::Utf16) {
        setError(error, utf16RefusalText());
        return false;
    }
    if (const int line = firstLineLongerThan(data, MaxLineCharacters)) {
        setError(error, longLineText(line));
        return false;
    }
    Reader reader(QByteArrayView(data).sliced(detected.markLength), detected.encoding);
    PriceList fresh;
    if (!reader.run(fresh)) {
        setError(error, reader.error);
        return false;
    }
    list = std::move(fresh);
    return true;
}

bool loadPriceList(const QString& path, PriceList& list, QString* error)
{
    const QString prefix = QStringLiteral("Il listino «%1» non si può leggere: ").arg(shownFileName(path));
    QFile file(path);
    QString reason;
    if (!openRegularFile(file, &reason)) {
        setError(error, prefix + reason);
        return false;
    }
    QString why;
    if (!readPriceList(&file, list, &why)) {
        setError(error, prefix + why);
        return false;
    }
    return true;
}

} // namespace pondra
