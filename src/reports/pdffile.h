#pragma once

#include <QByteArray>
#include <QString>

#include <map>
#include <vector>

class QDateTime;

namespace pondra {

// A PDF file written object by object: numbers handed out first, objects written in any order,
// the cross-reference stream at the end. Objects other than streams are gathered in compressed
// object streams: a tagged document has an element object for every paragraph and cell.
//
// Objects of one kind (the cells of a long table) can be written as rows: every line of theirs is
// padded to one width and stored as its difference from the line above, the PNG "up" predictor.
// Their numbers then differ from the line above only in a digit or two, so tens of thousands of
// them cost about a byte each instead of a dozen.
class PdfFile {
public:
    PdfFile();

    // A new object number, to refer to before the object is written.
    int reserve();
    // The object numbered so, a dictionary, array or other value in PDF syntax.
    void write(int object, const QByteArray& value);
    // The same, gathered with the objects of its kind; a line break in it starts a new row, so
    // it must not fall inside a literal string.
    void writeRows(int object, const QByteArray& value, const QByteArray& kind);
    // A stream object: the dictionary's entries without << >>, the data compressed with Flate.
    void writeStream(int object, const QByteArray& entries, const QByteArray& data, bool compress = true);
    // The end of the file; the trailer names the catalog and information dictionaries.
    QByteArray finish(int catalog, int info, const QByteArray& id);

private:
    using Pending = std::vector<std::pair<int, QByteArray>>;
    void flushObjects(Pending& objects);
    void flushRows(Pending& objects);
    // The objects, their index first bytes of the data (decoded as the decoding says), in one
    // stream; the list is emptied.
    void writeObjectStream(Pending& objects, const QByteArray& data, qsizetype first,
                           const QByteArray& decoding);

    struct Entry {
        // 1: at the offset; 2: the index-th of the object stream numbered offset.
        int type = 0;
        qint64 offset = 0;
        int index = 0;
    };
    QByteArray m_bytes;
    std::vector<Entry> m_entries;
    Pending m_pending;
    std::map<QByteArray, Pending> m_rows;
};

// Numbers as PDF writes them: no exponent, at most the decimals given, no trailing zeros.
QByteArray pdfNumber(double value, int decimals = 3);
void appendNumber(QByteArray& out, double value, int decimals = 3);
QByteArray pdfReference(int object);
// A text string: UTF-16 with its byte order mark, in hexadecimal.
QByteArray pdfText(const QString& text);
// A date string, "D:20261208005813Z".
QByteArray pdfDate(const QDateTime& time);

} // namespace pondra
