#pragma once

#include <QByteArray>
#include <QString>

#include <vector>

class QDateTime;

namespace pondra {

// A PDF file written object by object: numbers handed out first, objects written in any order,
// the cross-reference stream at the end. Objects other than streams are gathered in compressed
// object streams: a tagged document has an element object for every paragraph and cell.
class PdfFile {
public:
    PdfFile();

    // A new object number, to refer to before the object is written.
    int reserve();
    // The object numbered so, a dictionary, array or other value in PDF syntax.
    void write(int object, const QByteArray& value);
    // A stream object: the dictionary's entries without << >>, the data compressed with Flate.
    void writeStream(int object, const QByteArray& entries, const QByteArray& data, bool compress = true);
    // The end of the file; the trailer names the catalog and information dictionaries.
    QByteArray finish(int catalog, int info, const QByteArray& id);

private:
    void flushObjects();

    struct Entry {
        // 1: at the offset; 2: the index-th of the object stream numbered offset.
        int type = 0;
        qint64 offset = 0;
        int index = 0;
    };
    QByteArray m_bytes;
    std::vector<Entry> m_entries;
    std::vector<std::pair<int, QByteArray>> m_pending;
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
