#include "headlesscommands.h"

#include "archive/datafile.h"
#include "archive/pricelist.h"
#include "model/datacheck.h"
#include "model/fairness.h"
#include "model/pairwisecomparison.h"
#include "model/ranking.h"
#include "model/robustness.h"
#include "model/scoring.h"
#include "model/textrules.h"
#include "model/weightsensitivity.h"
#include "reports/documentexport.h"
#include "reports/helppages.h"
#include "reports/pagelayout.h"
#include "reports/pricelistprintout.h"
#include "reports/printouts.h"
#include "reports/robustnessprintout.h"
#include "reports/spreadsheetexport.h"
#include "reports/termsofuse.h"
#include "reports/textdocumentbuilder.h"
#include "settings/installation.h"
#include "settings/programfiles.h"
#include "settings/settings.h"

#include <QRegularExpression>
#include <QTextStream>

#include <cmath>
#include <memory>

namespace pondra {

namespace {

struct CheckedStudy {
    std::unique_ptr<Study> study = std::make_unique<Study>();
    TitlePage titlePage;
    DataCheckResult check;
};

// Loads the file and checks it as the Data window does right after opening it: hypothesis 1
// shown, and so scored.
std::optional<CheckedStudy> openAndCheck(const QString& path, QTextStream& err)
{
    CheckedStudy result;
    QString error;
    if (!loadStudyFile(path, *result.study, result.titlePage, &error)) {
        err << error << Qt::endl;
        return std::nullopt;
    }
    Recalculate(*result.study, 1);
    result.check = CheckData(*result.study, 1);
    return result;
}

// The ranking as the ranking command prints it. Nothing when the file cannot be read or its
// data fail the check, which has been said, with the exit code in exit.
std::optional<CheckedStudy> printRankingOf(const QString& path, QTextStream& out, QTextStream& err, int& exit)
{
    std::optional<CheckedStudy> checked = openAndCheck(path, err);
    if (!checked) {
        exit = ExitUnreadable;
        return std::nullopt;
    }
    if (!checked->check.passed) {
        err << checked->check.message.text << Qt::endl;
        exit = ExitCheckFailed;
        return std::nullopt;
    }
    Ranking ranking;
    ordina(*checked->study, ranking);
    const RankingPlaces places = placesOf(ranking);
    for (int position = 1; position <= checked->study->countNamedHypotheses(); ++position) {
        const RankingEntry& entry = ranking[std::size_t(position)];
        // A tab or a line end inside a text must not add a field or a row.
        out << places[std::size_t(position)].number << '\t' << printableText(entry.name.toDisplayText())
            << '\t' << printableText(entry.evaluation.toDisplayText()) << '\t'
            << printableText(entry.overallJudgement.toDisplayText()) << '\n';
    }
    out.flush();
    exit = ExitPassed;
    return checked;
}

// A matrix entry: a whole number, a decimal with comma or point, or one of those over another.
std::optional<double> parseEntry(const QString& text)
{
    static const QRegularExpression number(QStringLiteral("^(\\d+([.,]\\d*)?|[.,]\\d+)$"));
    const auto value = [](const QString& piece) -> std::optional<double> {
        if (!number.match(piece).hasMatch()) {
            return std::nullopt;
        }
        QString point = piece;
        point.replace(u',', u'.');
        return point.toDouble();
    };
    const qsizetype slash = text.indexOf(u'/');
    if (slash < 0) {
        return value(text);
    }
    const std::optional<double> over = value(text.left(slash));
    const std::optional<double> under = value(text.mid(slash + 1));
    if (!over || !under || !(*under > 0)) {
        return std::nullopt;
    }
    return *over / *under;
}

// The square reciprocal matrix the text holds, row by row; nothing, with the reason in err,
// for any other text.
std::optional<std::vector<double>> parsePairwiseMatrix(const QString& text, int& n, QTextStream& err)
{
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    const QStringList rows = text.split(u';');
    n = int(rows.size());
    QList<QStringList> entriesOf;
    for (int i = 0; i < n; ++i) {
        entriesOf << rows.at(i).split(blanks, Qt::SkipEmptyParts);
        if (entriesOf.last().isEmpty()) {
            err << QStringLiteral("La riga %1 della matrice è vuota.").arg(i + 1) << Qt::endl;
            return std::nullopt;
        }
    }
    std::vector<double> a;
    for (int i = 0; i < n; ++i) {
        const QStringList& entries = entriesOf.at(i);
        if (entries.size() != n) {
            err << QStringLiteral("La matrice non è quadrata: la riga %1 ha %2 valori, le righe sono %3.")
                       .arg(i + 1)
                       .arg(entries.size())
                       .arg(n)
                << Qt::endl;
            return std::nullopt;
        }
        for (int j = 0; j < n; ++j) {
            const std::optional<double> v = parseEntry(entries.at(j));
            if (!v) {
                err << QStringLiteral("Riga %1, colonna %2: «%3» non è un numero, un decimale o una "
                                      "frazione come 1/3.")
                           .arg(i + 1)
                           .arg(j + 1)
                           .arg(printableText(entries.at(j)))
                    << Qt::endl;
                return std::nullopt;
            }
            a.push_back(*v);
        }
    }
    if (n < MinCompared || n > MaxCompared) {
        err << QStringLiteral("La matrice ha %1 righe: se ne confrontano da %2 a %3.")
                   .arg(n)
                   .arg(MinCompared)
                   .arg(MaxCompared)
            << Qt::endl;
        return std::nullopt;
    }
    // 1/9 typed as a fraction lands a rounding away from the end of the scale.
    constexpr double Slack = 1e-9;
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j < n; ++j) {
            const double v = a[std::size_t(i * n + j)];
            if (v < 1. / 9 - Slack || v > 9 + Slack) {
                err << QStringLiteral("Riga %1, colonna %2: %3 è fuori dalla scala da 1/9 a 9.")
                           .arg(i + 1)
                           .arg(j + 1)
                           .arg(generalNumberText(v))
                    << Qt::endl;
                return std::nullopt;
            }
        }
    }
    for (int i = 0; i < n; ++i) {
        if (std::abs(a[std::size_t(i * n + i)] - 1) > 1e-6) {
            err << QStringLiteral("Riga %1, colonna %1: sulla diagonale ci vuole 1.").arg(i + 1) << Qt::endl;
            return std::nullopt;
        }
    }
    for (int i = 0; i < n; ++i) {
        for (int j = i + 1; j < n; ++j) {
            if (std::abs(a[std::size_t(i * n + j)] * a[std::size_t(j * n + i)] - 1) > 1e-6) {
                err << QStringLiteral("La matrice non è reciproca: riga %1, colonna %2 per riga %2, "
                                      "colonna %1 non dà 1.")
                           .arg(i + 1)
                           .arg(j + 1)
                    << Qt::endl;
                return std::nullopt;
            }
        }
    }
    return a;
}

} // namespace

int runPairwiseCommand(const QString& matrix, QTextStream& out, QTextStream& err)
{
    int n = 0;
    const std::optional<std::vector<double>> a = parsePairwiseMatrix(matrix, n, err);
    if (!a) {
        return ExitUnreadable;
    }
    const PairwiseFigures f = pairwiseFigures(*a, n);
    const std::vector<int> whole = wholePercents(f.weights);
    for (int i = 0; i < n; ++i) {
        out << i + 1 << '\t' << fixedPatternText(100 * f.weights[std::size_t(i)], u"0.0") << '\t'
            << whole[std::size_t(i)] << '\n';
    }
    out << QStringLiteral("lambda\t") << fixedPatternText(f.lambdaMax, u"0.000") << '\n'
        << QStringLiteral("CI\t") << fixedPatternText(f.consistencyIndex, u"0.000") << '\n'
        << QStringLiteral("CR\t") << fixedPatternText(f.consistencyRatio, u"0.000") << '\n';
    out.flush();
    return ExitPassed;
}

int runCheckCommand(const QString& path, QTextStream& out, QTextStream& err)
{
    const std::optional<CheckedStudy> checked = openAndCheck(path, err);
    if (!checked) {
        return ExitUnreadable;
    }
    out << checked->check.message.text << Qt::endl;
    return checked->check.passed ? ExitPassed : ExitCheckFailed;
}

int runRankingCommand(const QString& path, QTextStream& out, QTextStream& err)
{
    int exit = ExitPassed;
    printRankingOf(path, out, err, exit);
    return exit;
}

int runAnalysisCommand(const QString& path, QTextStream& out, QTextStream& err)
{
    int exit = ExitPassed;
    const std::optional<CheckedStudy> checked = printRankingOf(path, out, err, exit);
    if (!checked) {
        return exit;
    }
    for (const Challenge& c : analyseRobustness(*checked->study).challenges) {
        out << c.position << '\t' << printableText(c.name) << '\t'
            << (c.changesNeeded ? QString::number(*c.changesNeeded) : QStringLiteral("-")) << '\t'
            << printableText(c.rowsText) << '\n';
    }
    // A study weighed alike everywhere prints nothing more.
    const QStringList notes = fairnessNotes(*checked->study);
    if (!notes.isEmpty()) {
        out << QStringLiteral("Confronto alla pari:") << '\n';
        for (const QString& note : notes) {
            out << printableText(note) << '\n';
        }
    }
    out.flush();
    return ExitPassed;
}

int runSensitivityCommand(const QString& path, QTextStream& out, QTextStream& err)
{
    int exit = ExitPassed;
    const std::optional<CheckedStudy> checked = printRankingOf(path, out, err, exit);
    if (!checked) {
        return exit;
    }
    for (const CharacteristicSensitivity& c : analyseWeightSensitivity(*checked->study).characteristics) {
        const auto nameOf = [&](int slot) {
            return slot ? printableText(checked->study->hypothesis(slot).name.toDisplayText())
                        : QStringLiteral("-");
        };
        out << printableText(c.name) << '\t' << c.weightToday.text()
            << (c.variable ? QStringLiteral(" variabile") : QString()) << '\t'
            << (c.keepsFirst ? c.keepsFirst->from.text() : QStringLiteral("-")) << '\t'
            << (c.keepsFirst ? c.keepsFirst->to.text() : QStringLiteral("-")) << '\t' << nameOf(c.firstBelow)
            << '\t' << nameOf(c.firstAbove) << '\n';
    }
    out.flush();
    return ExitPassed;
}

int runSpreadsheetCommand(const QString& path, const QString& output, QTextStream& err)
{
    if (output.isEmpty()) {
        err << QStringLiteral("Manca il file da scrivere (-o FILE.csv).") << Qt::endl;
        return ExitUnreadable;
    }
    const std::optional<CheckedStudy> checked = openAndCheck(path, err);
    if (!checked) {
        return ExitUnreadable;
    }
    if (!checked->check.passed) {
        err << checked->check.message.text << Qt::endl;
        return ExitCheckFailed;
    }
    QString error;
    if (!exportSpreadsheet(output, *checked->study, checked->titlePage, InitGlobals(), &error)) {
        err << error << Qt::endl;
        return ExitUnreadable;
    }
    return ExitPassed;
}

QStringList printKinds()
{
    return {QStringLiteral("relazione"), QStringLiteral("dati"),         QStringLiteral("classifica"),
            QStringLiteral("modello"),   QStringLiteral("frontespizio"), QStringLiteral("guida"),
            QStringLiteral("listino"),   QStringLiteral("licenza"),      QStringLiteral("solidita")};
}

int runPrintCommand(const QString& kind, const QString& path, const QString& output,
                    const ReportOptions& options, QTextStream& out, QTextStream& err)
{
    if (!printKinds().contains(kind)) {
        err << QStringLiteral("Stampa sconosciuta: %1. Stampe disponibili: %2.")
                   .arg(kind, printKinds().join(QStringLiteral(", ")))
            << Qt::endl;
        return ExitUnreadable;
    }
    if (output.isEmpty()) {
        err << QStringLiteral("Manca il file da scrivere (-o FILE.pdf, .docx o .html).") << Qt::endl;
        return ExitUnreadable;
    }
    TextDocumentBuilder builder;
    const IdentityTexts identity = InitGlobals();
    int reportPages = -1;
    if (kind == QStringLiteral("modello")) {
        printTemplate(builder, identity, ownerData(Settings()).OwnerStudioName);
    } else if (kind == QStringLiteral("guida")) {
        printHelpContents(builder, identity);
    } else if (kind == QStringLiteral("licenza")) {
        printTermsOfUse(builder, identity, termsOfUseText(startupMusicInstalled()));
    } else if (kind == QStringLiteral("listino")) {
        PriceList list;
        QString error;
        if (!loadPriceList(programFile(QStringLiteral("listino.txt")), list, &error)) {
            err << error << Qt::endl;
            return ExitUnreadable;
        }
        printPriceList(builder, list, makerData(Settings()).PurchaseUrl);
    } else {
        std::optional<CheckedStudy> checked = openAndCheck(path, err);
        if (!checked) {
            return ExitUnreadable;
        }
        // The title-page data are printed without looking at the hypotheses.
        const bool checks = kind != QStringLiteral("frontespizio");
        if (checks && !checked->check.passed) {
            err << checked->check.message.text << Qt::endl;
            return ExitCheckFailed;
        }
        Study& study = *checked->study;
        Ranking ranking;
        ordina(study, ranking);
        const PrintSource source{identity, study, ranking, checked->titlePage, ownerData(Settings())};
        if (kind == QStringLiteral("relazione")) {
            reportPages = printReport(builder, source, options);
        } else if (kind == QStringLiteral("dati")) {
            printHypothesesData(builder, source);
        } else if (kind == QStringLiteral("classifica")) {
            printRanking(builder, source);
        } else if (kind == QStringLiteral("solidita")) {
            printRobustness(builder, source);
        } else {
            printTitlePageData(builder, source);
        }
    }
    // Laid out once: the page count stated, the PDF and the DOCX all come from the same pages.
    QString error;
    if (!exportPages(builder.pages(), output, &error)) {
        err << error << Qt::endl;
        return ExitUnreadable;
    }
    if (reportPages >= 0) {
        out << QStringLiteral("pagine: ") << reportPages << Qt::endl;
    }
    return ExitPassed;
}

} // namespace pondra
