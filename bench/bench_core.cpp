// Times the operations a full-size study puts under load: writing and reading its data file,
// scoring one hypothesis, the data check followed by the ranking, and the figures of a pairwise
// comparison of the most characteristics, importing a full spreadsheet. It prints figures only;
// the targets are printed alongside for the reader to compare, nothing here fails on time.

#include "archive/datafilereader.h"
#include "archive/datafilewriter.h"
#include "archive/sheetimport.h"
#include "model/datacheck.h"
#include "model/judgementscale.h"
#include "model/pairwisecomparison.h"
#include "model/ranking.h"
#include "model/scoring.h"
#include "model/study.h"
#include "model/textrules.h"
#include "model/titlepage.h"
#include "model/vocabulary.h"

#include "fullstudy.h"
#include "measure.h"

#include <QBuffer>
#include <QByteArray>
#include <QDate>
#include <QRandomGenerator>

#include <cstdio>
#include <cstdlib>
#include <memory>

using namespace pondra;
using bench::Figures;
using bench::fullStudy;
using bench::fullTitlePage;
using bench::measure;
using bench::report;

namespace {

[[noreturn]] void giveUp(const char* what, const QString& why)
{
    std::fprintf(stderr, "%s: %s\n", what, qPrintable(why));
    std::exit(1);
}

} // namespace

int main()
{
    const std::unique_ptr<Study> study = fullStudy();
    const TitlePage page = fullTitlePage();

    DataFileWriter writer;
    const std::optional<QByteArray> file = writer.compose(*study, page);
    if (!file) {
        giveUp("composizione del file", writer.errorString());
    }
    std::printf("file di dati (100 ipotesi x 100 caratteristiche): %lld byte\n",
                static_cast<long long>(file->size()));

    // The file must read back as the same study, or the read figure would time something else.
    {
        Study back;
        TitlePage backPage;
        QBuffer buffer;
        buffer.setData(*file);
        DataFileReader reader;
        if (!reader.read(&buffer, back, backPage)) {
            giveUp("lettura del file", reader.errorString());
        }
        if (!(back == *study) || !(backPage == page)) {
            giveUp("lettura del file", QStringLiteral("lo studio riletto non è quello scritto"));
        }
    }

    constexpr int fileRepetitions = 200;

    {
        QByteArray out;
        QBuffer buffer(&out);
        const Figures f = measure(
            fileRepetitions,
            [&](int) {
                buffer.close();
                out.clear();
                buffer.open(QIODevice::WriteOnly | QIODevice::Truncate);
            },
            [&] {
                if (!writer.write(&buffer, *study, page)) {
                    giveUp("scrittura del file", writer.errorString());
                }
            });
        report("scrittura file (100x100)", f, fileRepetitions, 10);
    }

    {
        // A fresh study each time, as opening a file reads into one; building the empty study
        // is timed apart below, since it costs the same whatever the file holds.
        std::unique_ptr<Study> fresh;
        TitlePage freshPage;
        QBuffer buffer;
        buffer.setData(*file);
        DataFileReader reader;
        const Figures f = measure(
            fileRepetitions,
            [&](int) {
                fresh = std::make_unique<Study>();
                freshPage = TitlePage();
                buffer.close();
                buffer.open(QIODevice::ReadOnly);
            },
            [&] {
                if (!reader.read(&buffer, *fresh, freshPage)) {
                    giveUp("lettura del file", reader.errorString());
                }
            });
        report("lettura file (100x100)", f, fileRepetitions, 10);

        const Figures g = measure(
            fileRepetitions, [&](int) { fresh.reset(); }, [&] { fresh = std::make_unique<Study>(); });
        report("creazione di uno studio vuoto (esclusa dalla lettura)", g, fileRepetitions, 0);
    }

    {
        // Scoring writes the same figures back each time, so one copy serves every repetition.
        Study scored = *study;
        constexpr int repetitions = 2000;
        const Figures f = measure(
            repetitions, [](int) {}, [&] { Recalculate(scored, 50); });
        report("Recalculate (1 ipotesi, 100 caratteristiche)", f, repetitions, 0);
    }

    {
        // A passed check leaves every figure as it found it; starting from the first hypothesis
        // makes each repetition check everything again.
        Study checked = *study;
        auto ranking = std::make_unique<Ranking>();
        DataCheckResult result;
        constexpr int repetitions = 200;
        const Figures f = measure(
            repetitions, [&](int) {},
            [&] {
                result = CheckData(checked, 1);
                ordina(checked, *ranking);
            });
        if (!result.passed) {
            giveUp("verifica dei dati", result.message.text);
        }
        report("verifica dati + graduatoria (100x100)", f, repetitions, 20);
    }

    {
        // Judgements drawn at random contradict each other: the ratio is over 0,10, so the search
        // for the judgement to revise, the costly step, runs too.
        constexpr int n = MaxCompared;
        QRandomGenerator random(15);
        std::vector<double> a(std::size_t(n * n), 1.0);
        for (int i = 0; i < n; ++i) {
            for (int j = i + 1; j < n; ++j) {
                a[std::size_t(i * n + j)] = stepValue(random.bounded(-MaxStep, MaxStep + 1));
                a[std::size_t(j * n + i)] = 1 / a[std::size_t(i * n + j)];
            }
        }
        PairwiseFigures figures;
        constexpr int repetitions = 500;
        const Figures f = measure(
            repetitions, [](int) {}, [&] { figures = pairwiseFigures(a, n); });
        if (figures.reviseFirst < 0) {
            giveUp("confronto a coppie", QStringLiteral("la matrice di prova risulta coerente"));
        }
        std::printf("confronto a coppie 15x15: CR %.3f\n", figures.consistencyRatio);
        report("pesi e coerenza del confronto a coppie (15x15, incoerente)", f, repetitions, 1);
    }

    {
        // The full study as a technician's sheet: 100 characteristics down, 100 hypotheses across.
        QString sheet = QStringLiteral("caratteristica");
        for (int h = 1; h <= MaxHypotheses; ++h) {
            sheet += u';' + study->hypothesis(h).name.toDisplayText() + QStringLiteral(";peso");
        }
        for (int r = 1; r <= MaxRows; ++r) {
            sheet += QStringLiteral("\r\n") + study->row(1, r).name.toDisplayText();
            for (int h = 1; h <= MaxHypotheses; ++h) {
                sheet += u';' + study->row(h, r).judgement.toDisplayText() + u';' +
                         study->row(h, r).weight.toDisplayText();
            }
        }
        const QByteArray bytes = sheet.toUtf8();
        if (const SheetImport check = importSheet(bytes); !check.study) {
            giveUp("importazione del foglio", check.error);
        }
        constexpr int repetitions = 20;
        const Figures f = measure(
            repetitions, [](int) {}, [&] { importSheet(bytes); });
        std::printf("foglio di calcolo 100x100: %lld byte\n", static_cast<long long>(bytes.size()));
        report("importazione da foglio di calcolo (100x100)", f, repetitions, 1000);
    }
    return 0;
}
