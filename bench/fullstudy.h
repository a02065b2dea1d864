#pragma once

// The largest study the program takes (100 hypotheses of 100 characteristics), filled as a
// user would, and its title page: the load the benchmarks time.

#include "model/judgementscale.h"
#include "model/scoring.h"
#include "model/study.h"
#include "model/textrules.h"
#include "model/titlepage.h"
#include "model/vocabulary.h"

#include <QDate>
#include <QStringList>

#include <memory>

namespace bench {

using namespace pondra;

// Every hypothesis named, every row named, ticked and judged, the weights of each hypothesis
// adding up to exactly 100, so that the data check walks every row and scores every hypothesis.
inline std::unique_ptr<Study> fullStudy()
{
    auto study = std::make_unique<Study>();
    const QStringList& words = CharacteristicVocabulary();
    for (int h = 1; h <= MaxHypotheses; ++h) {
        Hypothesis& hyp = study->hypothesis(h);
        const QString& word = words.at((h - 1) % words.size());
        hyp.name = Value::text(QStringLiteral("Ipotesi %1 \u2013 sede \"%2\"").arg(h).arg(word));
        int weightSum = 0;
        for (int r = 1; r <= MaxRows; ++r) {
            CharacteristicEntry& row = hyp.rows.at(std::size_t(r));
            const int step = 1 + (h * 7 + r * 3) % JudgementSteps;
            // 0, 1 and 2 in turn over 99 rows make 99; the last row takes what is left.
            const int weight = r < MaxRows ? (r - 1 + h) % 3 : 100 - weightSum;
            weightSum += weight;
            row.ticked = Value::integer(1);
            row.name = Value::text(QStringLiteral("%1 %2").arg(words.at((r - 1) % words.size())).arg(r));
            row.judgement = Value::text(JudgementScale::adjective(step));
            row.judgementNumber = Value::integer(qint16(step));
            row.coefficient = Value::text(JudgementScale::coefficientText(step));
            row.weight = Value::text(QString::number(weight));
        }
        hyp.LastNamedRow = Value::integer(MaxRows);
        // Score it as the Data window would, so the file carries evaluations and judgements.
        Recalculate(*study, h);
    }
    return study;
}

inline TitlePage fullTitlePage()
{
    TitlePage page;
    page.progetto = QStringLiteral("Scelta della nuova sede dello studio");
    page.localita = QStringLiteral("Provincia di Bologna");
    page.tipostudio = QStringLiteral("ipotesi situazione di progetto");
    page.committente = QStringLiteral("Studio associato Rossi & Bianchi");
    page.luogo = QStringLiteral("Bologna");
    page.data = italianLongDate(QDate(2026, 12, 7));
    page.allegati = QStringLiteral("planimetrie, foto, \"relazione tecnica\"");
    return page;
}

} // namespace bench
