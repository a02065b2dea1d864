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

} // namespace

QList<QCommandLineOption> CommandLine::all() const
{
    return {help,       version,   check,       ranking, analysis,  sensitivity, pairwise,
            print,      robustness, weighting, spreadsheet, output,  screenshot};
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

QString CommandLine::errorText(const QCommandLineParser& parser)
{
    const auto quoted = [](const QStringList& names) {
        QStringList list;
        for (const QString& name : names) {
            list << QStringLiteral("«") + (name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) +
                        name + QStringLiteral("»");
        }
        return list.join(QStringLiteral(", "));
    };
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
    return QStringLiteral("pondra: ") + reason +
           QStringLiteral("\nPer l'elenco delle opzioni: pondra --help\n");
}

} // namespace pondra
