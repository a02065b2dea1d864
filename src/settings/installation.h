#pragma once

#include "model/ownerdata.h"

#include <QString>

namespace pondra {

class Settings;

// The maker of the program, as its windows and messages present it.
struct MakerData {
    QString Brand;       // "software BOREALIS", the brand on the windows
    QString CompanyName; // "Software Borealis", the name used in messages
    QString Address;     // postal address on one line
    QString Telephone;
    QString Fax;
    QString Email;
    QString WebSite;      // without the scheme: www.example...
    QString CatalogueUrl; // the web page of the catalogue, with its scheme
    QString PurchaseUrl;  // the web page the programs are bought from, with its scheme
    QString OfficeHours;  // when the telephone line answers on working days
    QString StartYear;    // the year the maker started business
    QString MusicCredit;  // credit line for the start-up music
};

// The installation as the settings hold it, the shipped defaults filling what they lack.
MakerData makerData(const Settings& settings);
OwnerData ownerData(const Settings& settings);
// The studio's data as the user set them, for every later run.
void setOwnerData(Settings& settings, const OwnerData& owner);

} // namespace pondra
