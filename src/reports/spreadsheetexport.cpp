#include "spreadsheetexport.h"

#include "documentexport.h"

#include "model/ranking.h"
#include "model/scoring.h"
#include "model/textrules.h"
#include "model/weight.h"

#include <memory>

namespace pondra {

namespace {

// One sheet of semicolon-separated cells: texts always quoted, numbers bare with the comma.
class Sheet {
public:
    void text(const QString& t)
    {
        separate();
        m_out += u'"';
        // A spreadsheet would run a text that starts like a formula, even after blanks, or after
        // a tab or CR it drops; the apostrophe keeps it text.
        qsizetype first = 0;
        while (first < t.size() && (t[first] == u' ' || t[first] == QChar(0xA0))) {
            ++first;
        }
        if (first < t.size() && QStringView(u"=+-@\t\r").contains(t[first])) {
            m_out += u'\'';
        }
        for (const QChar c : t) {
            m_out += c;
            if (c == u'"') {
                m_out += u'"';
            }
        }
        m_out += u'"';
    }

    void number(double value)
    {
        separate();
        m_out += generalNumberText(value);
    }

    void empty() { separate(); }

    // A cell that holds a figure: a number as the spreadsheet's own number when it reads as
    // one, any other text as it is.
    void figure(const Value& value)
    {
        if (value.isEmpty()) {
            empty();
        } else if (const std::optional<double> n = value.toNumber()) {
            number(*n);
        } else {
            text(value.toDisplayText());
        }
    }

    void figure(const QString& shown) { figure(Value::text(shown)); }

    void endRow()
    {
        m_out += QStringLiteral("\r\n");
        m_cells = 0;
    }

    void row(std::initializer_list<QString> texts)
    {
        for (const QString& t : texts) {
            text(t);
        }
        endRow();
    }

    QByteArray bytes() const { return QByteArrayLiteral("\xEF\xBB\xBF") + m_out.toUtf8(); }

private:
    void separate()
    {
        if (m_cells++ > 0) {
            m_out += u';';
        }
    }

    QString m_out;
    int m_cells = 0;
};

} // namespace

QByteArray composeSpreadsheet(const Study& original, const TitlePage& titlePage,
                              const IdentityTexts& identity)
{
    // Scoring and ranking write into the study, so they work on a copy.
    auto study = std::make_unique<Study>(original);
    const int count = study->countNamedHypotheses();
    std::vector<ScoreFigures> figures(std::size_t(count) + 1);
    for (int h = 1; h <= count; ++h) {
        figures[std::size_t(h)] = Recalculate(*study, h);
    }
    auto ranking = std::make_unique<Ranking>();
    ordina(*study, *ranking);

    Sheet sheet;
    sheet.row({identity.ProgramName.trimmed() + QStringLiteral(" - ") + identity.ProgramDescription});
    for (int i = 0; i < TitlePage::FieldCount; ++i) {
        sheet.row({TitlePage::fieldCaption(i), titlePage.field(i)});
    }

    sheet.endRow();
    sheet.row({QStringLiteral("Classifica delle ipotesi")});
    sheet.row({QStringLiteral("posizione"), QStringLiteral("denominazione dell'ipotesi"),
               QStringLiteral("valutazione in %"), QStringLiteral("giudizio complessivo")});
    const RankingPlaces places = placesOf(*ranking);
    for (int position = 1; position <= count; ++position) {
        const RankingEntry& entry = (*ranking)[std::size_t(position)];
        sheet.number(places[std::size_t(position)].number);
        sheet.text(entry.name.toDisplayText());
        sheet.figure(entry.evaluation);
        sheet.text(entry.overallJudgement.toDisplayText());
        sheet.endRow();
    }

    sheet.endRow();
    sheet.row({QStringLiteral("Dati delle ipotesi")});
    sheet.row({QStringLiteral("ipotesi n."), QStringLiteral("denominazione dell'ipotesi"),
               QStringLiteral("n."), QStringLiteral("caratteristiche considerate"), QStringLiteral("giudizi"),
               QStringLiteral("valori"), QStringLiteral("coefficienti"), QStringLiteral("pesi in %")});
    for (int h = 1; h <= count; ++h) {
        const QString name = study->hypothesis(h).name.toDisplayText();
        for (int r = 1; r <= study->lastNamedRowOf(h); ++r) {
            const CharacteristicEntry& row = study->row(h, r);
            if (!row.holdsData()) {
                continue;
            }
            sheet.number(h);
            sheet.text(name);
            sheet.number(r);
            sheet.text(row.name.toDisplayText());
            sheet.text(row.judgement.toDisplayText());
            sheet.figure(row.judgementNumber);
            sheet.figure(row.coefficient);
            // With the comma, so that a weight of 12.5 is a number to the spreadsheet too.
            sheet.figure(shownWeightText(row.weight));
            sheet.endRow();
        }
    }

    sheet.endRow();
    sheet.row({QStringLiteral("Riepilogo delle ipotesi")});
    sheet.row({QStringLiteral("ipotesi n."), QStringLiteral("denominazione dell'ipotesi"),
               QStringLiteral("media dei coefficienti"), QStringLiteral("coefficiente ponderato"),
               QStringLiteral("valutazione in %"), QStringLiteral("giudizio complessivo")});
    for (int h = 1; h <= count; ++h) {
        const Hypothesis& hyp = study->hypothesis(h);
        sheet.number(h);
        sheet.text(hyp.name.toDisplayText());
        sheet.figure(figures[std::size_t(h)].media);
        sheet.figure(figures[std::size_t(h)].ponderata);
        sheet.figure(hyp.EvaluationPercent);
        sheet.text(hyp.OverallJudgement.toDisplayText());
        sheet.endRow();
    }
    return sheet.bytes();
}

bool exportSpreadsheet(const QString& path, const Study& study, const TitlePage& titlePage,
                       const IdentityTexts& identity, QString* error)
{
    return writeWholeFile(composeSpreadsheet(study, titlePage, identity), path, error);
}

} // namespace pondra
