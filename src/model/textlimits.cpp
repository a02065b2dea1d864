#include "textlimits.h"

#include "textrules.h"

namespace pondra {

namespace {

std::optional<QString> lengthProblem(QStringView text, int limit)
{
    if (text.size() <= limit) {
        return std::nullopt;
    }
    return QStringLiteral("supera i %1 caratteri (ne ha %2)").arg(limit).arg(text.size());
}

// Line ends and tabs, allowed or not, are reported by the callers; any other control character
// has no place in a text a person typed.
std::optional<QString> controlProblem(QStringView text, bool linesAllowed)
{
    for (const QChar c : text) {
        if (c.unicode() >= 0x20 && c.unicode() < 0x7F) {
            continue; // printable ASCII, nearly every character of a study
        }
        const bool lineBreak =
            c == u'\r' || c == u'\n' || c == QChar::LineSeparator || c == QChar::ParagraphSeparator;
        if (lineBreak && !linesAllowed) {
            return QStringLiteral("va a capo: deve stare su una riga");
        }
        if (!lineBreak && c != u'\t' && c.category() == QChar::Other_Control) {
            return QStringLiteral("contiene un carattere di controllo (%1)")
                .arg(printableText(QStringView(&c, 1)));
        }
    }
    return std::nullopt;
}

} // namespace

std::optional<QString> nameTextProblem(QStringView text)
{
    if (auto problem = lengthProblem(text, MaxNameLength)) {
        return problem;
    }
    if (text.contains(u'\t')) {
        return QStringLiteral("contiene un carattere di tabulazione");
    }
    return controlProblem(text, false);
}

std::optional<QString> titleFieldProblem(QStringView text)
{
    if (auto problem = lengthProblem(text, MaxTitleFieldLength)) {
        return problem;
    }
    return controlProblem(text, true);
}

} // namespace pondra
