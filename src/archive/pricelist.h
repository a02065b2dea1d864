#pragma once

#include <QString>

#include <vector>

class QIODevice;

namespace pondra {

// One program of the maker's catalogue.
struct PriceEntry {
    QString name;
    QString subject;
    double netPrice = 0.0;
    double internetPrice = 0.0;
};

// The maker's catalogue as the price-list file holds it.
struct PriceList {
    // The list's heading (its year), as the file writes it: a text, or a number's display text.
    QString heading;
    std::vector<PriceEntry> entries;
};

// A list holds at most this many entries; a file announcing more is refused.
constexpr int MaxPriceEntries = 100;

// Reads the price-list format: comma-separated fields that run on across line ends, in
// Windows-1252 or UTF-8 (UTF-16 is refused). Field 1 is the heading, field 2 the number N of entries, then N
// times name, subject, net price, internet price (numbers with a point). Only a whole, valid list fills
// `list`: N outside 0..100, a list cut short, a price that is no number or a field that cannot
// be read leave it untouched and `error` names the line. Fields after the N-th entry are ignored.
bool readPriceList(QIODevice* device, PriceList& list, QString* error);

// Opens the file and reads it as above; `error` names the file when it is missing or unreadable,
// or not a regular file (a FIFO or a device, refused before it is opened).
bool loadPriceList(const QString& path, PriceList& list, QString* error);

} // namespace pondra
