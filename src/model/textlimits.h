#pragma once

#include <QString>
#include <QStringView>

#include <optional>

namespace pondra {

// Limits no real study reaches, so that a file from elsewhere can neither hang the program nor
// break a one-line field. The windows' fields take no more; the file reader and writer refuse more.

// Names of hypotheses and characteristics, and judgement adjectives: one line.
constexpr int MaxNameLength = 200;
// Each of the seven title-page fields.
constexpr int MaxTitleFieldLength = 1000;

// Why the text cannot be a name (too long, on more than one line, a control character);
// nothing when it can. The reason reads after the name of the field: "supera i 200 caratteri".
std::optional<QString> nameTextProblem(QStringView text);
// The same for a title-page field, which may span lines.
std::optional<QString> titleFieldProblem(QStringView text);

} // namespace pondra
