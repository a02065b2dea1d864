#include "commandline.h"

#include "model/identity.h"
#include "settings/installation.h"
#include "settings/settings.h"

#include <QRegularExpression>
#include <QStringList>

namespace pondra {

namespace {

constexpr int Width = 80;
constexpr int DescriptionColumn = 26;

QString optionNames(const QCommandLineOption& option)
{
    QStringList names;
    for (const QString& name : option.names()) {
        names << (name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name;
    }
    QString text = names.join(QStringLiteral(", "));
    if (!option.valueName().isEmpty()) {
        text += u' ' + option.valueName();
    }
    return text;
}

// The text wrapped at blanks into lines that start at the given column.
QString wrapped(const QString& text, int column)
{
    QString result;
    QString line;
    for (const QString& word : text.split(u' ', Qt::SkipEmptyParts)) {
        if (!line.isEmpty() && column + line.size() + 1 + word.size() > Width) {
            result += line + u'\n' + QString(column, u' ');
            line.clear();
        }
        line += (line.isEmpty() ? QString() : QStringLiteral(" ")) + word;
    }
    return result + line + u'\n';
}

// A name and its description, the description at its column or below a name too long for it.
QString entry(const QString& name, const QString& description)
{
    QString head = QStringLiteral("  ") + name;
    head += head.size() + 2 <= DescriptionColumn ? QString(DescriptionColumn - head.size(), u' ')
                                                 : u'\n' + QString(DescriptionColumn, u' ');
    return head + wrapped(description, DescriptionColumn);
}

// Option names as the user types them, each in guillemets.
QString quoted(const QStringList& names)
{
    QStringList list;
    for (const QString& name : names) {
        list << QStringLiteral("«") + (name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name +
                    QStringLiteral("»");
    }
    return list.join(QStringLiteral(", "));
}

} // namespace

QList<QCommandLineOption> CommandLine::all() const
{
    return {help,  version,    check,     ranking,     analysis, sensitivity, pairwise,
            print, robustness, weighting, spreadsheet, sheet,    output,      screenshot};
}

void CommandLine::describe(QCommandLineParser& parser) const
{
    parser.addOptions(all());
}

QString CommandLine::helpText() const
{
    const IdentityTexts identity = InitGlobals();
    QString text = QStringLiteral("Uso: pondra [OPZIONE...] [FILE]\n");
    text += identity.ProgramName + identity.ProgramVersion + QStringLiteral(" - ") +
            identity.ProgramDescription + u'\n';
    text +=
        u'\n' + wrapped(QStringLiteral("Senza opzioni apre le finestre del programma, con il FILE di dati "
                                       "indicato nella finestra Dati. Con una delle opzioni seguenti "
                                       "lavora senza finestre e scrive su standard output."),
                        0);
    text += QStringLiteral("\nOpzioni:\n");
    for (const QCommandLineOption& option : all()) {
        text += entry(optionNames(option), option.description());
    }
    text += QStringLiteral("\nArgomenti:\n");
    text += entry(QStringLiteral("FILE"), QStringLiteral("File di dati da aprire nella finestra Dati."));
    text += QStringLiteral("\nStato di uscita:\n");
    text += entry(QStringLiteral("0"), QStringLiteral("fatto; dati corretti."));
    text += entry(QStringLiteral("1"), QStringLiteral("dati da correggere (il messaggio dice quali)."));
    text += entry(QStringLiteral("2"), QStringLiteral("file illeggibile o non scritto, riga di comando "
                                                      "errata."));
    text += QStringLiteral("\nLa pagina di manuale pondra(1) dice di più.\n");
    return text;
}

QString CommandLine::versionText()
{
    const IdentityTexts identity = InitGlobals();
    const MakerData maker = makerData(Settings());
    return QStringLiteral("pondra " PONDRA_VERSION "\n") + identity.ProgramName + identity.ProgramVersion +
           QStringLiteral(" - ") + identity.ProgramDescription + u'\n' + maker.CompanyName +
           QStringLiteral(" - ") + maker.WebSite + u'\n';
}

QList<QCommandLineOption> CommandLine::actions() const
{
    return {check, ranking, analysis, sensitivity, pairwise, print, spreadsheet, sheet, screenshot};
}

QString CommandLine::misuse(const QCommandLineParser& parser) const
{
    QStringList given;
    for (const QCommandLineOption& action : actions()) {
        if (parser.isSet(action)) {
            given << action.names().constLast();
        }
    }
    if (given.size() > 1) {
        return QStringLiteral("le opzioni %1 non vanno insieme: una sola alla volta.")
            .arg(quoted(given).replace(QStringLiteral(", "), QStringLiteral(" e ")));
    }
    const QString action = given.value(0);
    const bool report =
        action == print.names().constLast() && parser.value(print) == QStringLiteral("relazione");
    for (const QCommandLineOption& section : {robustness, weighting}) {
        if (parser.isSet(section) && !report) {
            return QStringLiteral("l'opzione %1 vale solo con «--print relazione».")
                .arg(quoted({section.names().constLast()}));
        }
    }
    const QStringList writers{print.names().constLast(), spreadsheet.names().constLast(),
                              sheet.names().constLast()};
    if (parser.isSet(output) && !writers.contains(action)) {
        return QStringLiteral("l'opzione «-o» vale solo con %1.").arg(quoted(writers));
    }
    // How many plain arguments each action reads: none for the commands on one study, the
    // study for a printout, the picture and the study for a screenshot, the study for the windows.
    qsizetype most = 1;
    if (action == screenshot.names().constLast()) {
        most = 2;
    } else if (!action.isEmpty() && action != print.names().constLast()) {
        most = 0;
    }
    const QStringList extra = parser.positionalArguments().mid(most);
    if (extra.size() == 1) {
        return QStringLiteral("argomento in più «%1».").arg(extra.constFirst());
    }
    if (!extra.isEmpty()) {
        return QStringLiteral("argomenti in più «%1».").arg(extra.join(QStringLiteral("», «")));
    }
    return {};
}

QString CommandLine::refusal(const QString& reason)
{
    return QStringLiteral("pondra: ") + reason +
           QStringLiteral("\nPer l'elenco delle opzioni: pondra --help\n");
}

QString CommandLine::errorText(const QCommandLineParser& parser)
{
    QString reason;
    const QStringList unknown = parser.unknownOptionNames();
    if (unknown.size() == 1) {
        reason = QStringLiteral("opzione sconosciuta %1.").arg(quoted(unknown));
    } else if (!unknown.isEmpty()) {
        reason = QStringLiteral("opzioni sconosciute %1.").arg(quoted(unknown));
    } else {
        // The parser names the other faults only in its English sentences; these are Qt's own,
        // untranslated while no application exists.
        static const QRegularExpression missing(QStringLiteral("^Missing value after '-*(.+)'\\.$"));
        static const QRegularExpression unexpected(QStringLiteral("^Unexpected value after '-*(.+)'\\.$"));
        const QString english = parser.errorText();
        if (const auto m = missing.match(english); m.hasMatch()) {
            reason = QStringLiteral("manca il valore dell'opzione %1.").arg(quoted({m.captured(1)}));
        } else if (const auto u = unexpected.match(english); u.hasMatch()) {
            reason = QStringLiteral("l'opzione %1 non vuole un valore.").arg(quoted({u.captured(1)}));
        } else {
            reason = QStringLiteral("riga di comando non valida (%1).").arg(english);
        }
    }
    return refusal(reason);
}

} // namespace pondra
