#pragma once

#include <QString>

namespace pondra {

// The technical studio (or the technician) that owns the installation and signs its reports.
// Set by the user; nothing is shipped, so a fresh installation signs in no one's name.
struct OwnerData {
    QString OwnerStudioName;    // the studio's or the technician's name
    QString OwnerQualification; // professional title and register entry
    QString OwnerAddress;
    QString OwnerTelephone;
    QString OwnerEmail;

    // Only a name makes a signature.
    bool isSet() const { return !OwnerStudioName.trimmed().isEmpty(); }
    // Telephone and e-mail on one line, "tel. … - e-mail …", either left out when missing.
    QString contactLine() const;

    bool operator==(const OwnerData&) const = default;
};

} // namespace pondra
