#include "headlesscommands.h"

#include "archive/datafile.h"
#include "model/datacheck.h"
#include "model/ranking.h"
#include "model/scoring.h"

#include <QTextStream>

#include <memory>

namespace pondra {

namespace {

struct CheckedStudy {
    std::unique_ptr<Study> study = std::make_unique<Study>();
    DataCheckResult check;
};

// Loads the file into a study freshly set up as the Data window sets it up, shows hypothesis 1
// (which scores it and counts the names again) and checks the data.
std::optional<CheckedStudy> openAndCheck(const QString& path, QTextStream& err)
{
    CheckedStudy result;
    TitlePage titlePage;
    QString error;
    if (!loadStudyFile(path, *result.study, titlePage, &error)) {
        err << error << Qt::endl;
        return std::nullopt;
    }
    ShowHypothesis(*result.study, 1);
    result.check = CheckData(*result.study);
    return result;
}

} // namespace

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
    std::optional<CheckedStudy> checked = openAndCheck(path, err);
    if (!checked) {
        return ExitUnreadable;
    }
    if (!checked->check.passed) {
        err << checked->check.message.text << Qt::endl;
        return ExitCheckFailed;
    }
    Ranking ranking;
    ordina(*checked->study, ranking);
    for (int position = 1; position <= checked->study->HypothesisCount; ++position) {
        const RankingEntry& entry = ranking[std::size_t(position)];
        out << position << '\t' << entry.name.toDisplayText() << '\t' << entry.evaluation.toDisplayText() << '\t'
            << entry.overallJudgement.toDisplayText() << '\n';
    }
    out.flush();
    return ExitPassed;
}

} // namespace pondra
