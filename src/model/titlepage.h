#pragma once

#include "message.h"

#include <QString>

#include <array>

namespace pondra {

// The seven heading fields of a study, in screen and file order.
struct TitlePage {
    QString progetto; // perizia
    QString localita;
    QString tipostudio;
    QString committente;
    QString luogo; // luogo elaborazione
    QString data;  // data elaborazione, as text
    QString allegati;

    static constexpr int FieldCount = 7;
    // Field i (0..6) in file order, and the caption that names it in messages.
    QString& field(int i);
    const QString& field(int i) const;
    static QString fieldCaption(int i);

    bool operator==(const TitlePage&) const = default;
};

// The title-page check: nothing entered, all entered, or some fields missing.
Message CheckTitlePage(const TitlePage& page);

} // namespace pondra
