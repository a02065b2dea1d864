#pragma once

#include <QString>

namespace pondra {

// The four icons a message box of the program can carry.
enum class MessageIcon { Critical, Question, Exclamation, Information };

// What a check tells the user: the text and the icon of its message box.
struct Message {
    QString text;
    MessageIcon icon = MessageIcon::Information;

    bool operator==(const Message&) const = default;
};

// The answer of every check that finds nothing wrong.
inline QString dataCorrectText()
{
    return QStringLiteral("I dati sono stati immessi correttamente.");
}

// The answer of every check that finds nothing entered.
inline QString noDataText()
{
    return QStringLiteral("Non è stato immesso alcun dato.");
}

} // namespace pondra
