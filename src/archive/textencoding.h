#pragma once

#include <QByteArrayView>
#include <QString>

namespace pondra {

// How the text files the program reads are encoded. The program writes Windows-1252; other
// editors save UTF-8, with or without a byte-order mark, and some UTF-16.
enum class TextEncoding { Windows1252, Utf8, Utf16 };

struct DetectedEncoding {
    TextEncoding encoding = TextEncoding::Windows1252;
    // Bytes of the byte-order mark at the start, to be skipped.
    qsizetype markLength = 0;
};

// A UTF-8 byte-order mark, or bytes beyond ASCII that are all valid UTF-8, make UTF-8 (a real
// Windows-1252 text is never valid UTF-8 by chance); a UTF-16 mark or a NUL among the first two
// bytes makes UTF-16; anything else is Windows-1252.
DetectedEncoding detectEncoding(QByteArrayView bytes);

// Windows-1252 or UTF-8 bytes as text (UTF-16 is never decoded: it is refused).
QString decodeText(QByteArrayView bytes, TextEncoding encoding);

// A line of a text file the user keeps for the program (tips, price list) holds at most this
// many characters: a longer one takes the text layout seconds, or all the memory.
inline constexpr qsizetype MaxLineCharacters = 4000;

// The number (from 1) of the first line with more than `maxCharacters` characters, each UTF-8
// sequence counted once; 0 when there is none.
int firstLineLongerThan(QByteArrayView bytes, qsizetype maxCharacters);

// "la riga N supera i 4.000 caratteri.", for the message after the file's name.
QString longLineText(int line);

// Why a file in this encoding cannot be read, for the message after the file's name.
QString utf16RefusalText();

} // namespace pondra
