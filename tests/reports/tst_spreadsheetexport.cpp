#include "model/identity.h"
#include "reports/spreadsheetexport.h"
#include "support/csvreader.h"
#include "support/studybuilder.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace pondra;
using testsupport::enterRow;
using testsupport::nameHypothesis;
using testsupport::readCsv;

namespace {

// Two hypotheses in the order opposite to their ranking, texts with quotes, semicolons and
// accents, and a cleared row after the named ones.
std::unique_ptr<Study> sampleStudy()
{
    auto study = std::make_unique<Study>();
    nameHypothesis(*study, 1, QStringLiteral("Sede \"nuova\"; centro"));
    enterRow(*study, 1, 1, QStringLiteral("costo"), 2, 65);
    enterRow(*study, 1, 2, QString::fromUtf16(u"qualità"), 7, 35);
    nameHypothesis(*study, 2, QStringLiteral("Ampliamento"));
    enterRow(*study, 2, 1, QStringLiteral("costo"), 1, 80);
    enterRow(*study, 2, 2, QStringLiteral("sicurezza"), 11, 20);
    enterRow(*study, 2, 3, QStringLiteral("vincoli"), 3, 0);
    study->row(2, 3) = {Value::integer(0), Value::text({}), Value::text({}),
                        Value::text({}),   Value::text({}), Value::text({})};
    return study;
}

TitlePage samplePage()
{
    return {QStringLiteral("Ampliamento \"sede\""),
            QStringLiteral("Centro; nord"),
            QStringLiteral(" \t=1+2"),
            QStringLiteral("=1+1"),
            QStringLiteral("Roma"),
            QString::fromUtf16(u"lunedì, 7 dic 2026"),
            QStringLiteral("  \r@A1")};
}

QStringList cells(std::initializer_list<const char16_t*> list)
{
    QStringList out;
    for (const char16_t* c : list) {
        out << QString::fromUtf16(c);
    }
    return out;
}

} // namespace

class TestSpreadsheetExport : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void compose_readsBackCellByCell()
    {
        const auto study = sampleStudy();
        const auto before = std::make_unique<Study>(*study);
        const QByteArray bytes = composeSpreadsheet(*study, samplePage(), InitGlobals());
        QVERIFY(bytes.startsWith("\xEF\xBB\xBF"));
        QVERIFY(bytes.endsWith("\r\n"));

        const QList<QStringList> expected{
            cells({u"T:Pondra - valutazioni qualsiasi mediante confronto"}),
            cells({u"T:perizia", u"T:Ampliamento \"sede\""}),
            cells({u"T:località", u"T:Centro; nord"}),
            cells({u"T:tipologia di studio", u"T:' \t=1+2"}),
            cells({u"T:committente", u"T:'=1+1"}),
            cells({u"T:luogo elaborazione", u"T:Roma"}),
            cells({u"T:data elaborazione", u"T:lunedì, 7 dic 2026"}),
            cells({u"T:allegati alla relazione", u"T:'  \r@A1"}),
            {},
            cells({u"T:Classifica delle ipotesi"}),
            cells({u"T:posizione", u"T:denominazione dell'ipotesi", u"T:valutazione in %",
                   u"T:giudizio complessivo"}),
            cells({u"N:1", u"T:Ampliamento", u"N:80", u"T:buono"}),
            cells({u"N:2", u"T:Sede \"nuova\"; centro", u"N:72,5", u"T:discreto"}),
            {},
            cells({u"T:Dati delle ipotesi"}),
            cells({u"T:ipotesi n.", u"T:denominazione dell'ipotesi", u"T:n.",
                   u"T:caratteristiche considerate", u"T:giudizi", u"T:valori", u"T:coefficienti",
                   u"T:pesi in %"}),
            cells({u"N:1", u"T:Sede \"nuova\"; centro", u"N:1", u"T:costo", u"T:ottimo", u"N:2", u"N:0,9",
                   u"N:65"}),
            cells({u"N:1", u"T:Sede \"nuova\"; centro", u"N:2", u"T:qualità", u"T:scadente", u"N:7", u"N:0,4",
                   u"N:35"}),
            cells({u"N:2", u"T:Ampliamento", u"N:1", u"T:costo", u"T:eccellente", u"N:1", u"N:1", u"N:80"}),
            cells({u"N:2", u"T:Ampliamento", u"N:2", u"T:sicurezza", u"T:nullo", u"N:11", u"N:0", u"N:20"}),
            {},
            cells({u"T:Riepilogo delle ipotesi"}),
            cells({u"T:ipotesi n.", u"T:denominazione dell'ipotesi", u"T:media dei coefficienti",
                   u"T:coefficiente ponderato", u"T:valutazione in %", u"T:giudizio complessivo"}),
            cells({u"N:1", u"T:Sede \"nuova\"; centro", u"N:0,65", u"N:0,725", u"N:72,5", u"T:discreto"}),
            cells({u"N:2", u"T:Ampliamento", u"N:0,5", u"N:0,8", u"N:80", u"T:buono"}),
        };
        const QList<QStringList> read = readCsv(bytes);
        QCOMPARE(read.size(), expected.size());
        for (qsizetype i = 0; i < read.size(); ++i) {
            QCOMPARE(read.at(i), expected.at(i));
        }
        // Scored and ranked on a copy.
        QVERIFY(*study == *before);
    }

    void export_writesTheFile_orSaysWhy()
    {
        QTemporaryDir dir;
        const auto study = sampleStudy();
        const QString path = dir.filePath(QStringLiteral("studio.csv"));
        QString error;
        QVERIFY(exportSpreadsheet(path, *study, samplePage(), InitGlobals(), &error));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), composeSpreadsheet(*study, samplePage(), InitGlobals()));

        const QString nowhere = dir.filePath(QStringLiteral("manca/studio.csv"));
        QVERIFY(!exportSpreadsheet(nowhere, *study, samplePage(), InitGlobals(), &error));
        QVERIFY2(error.contains(QStringLiteral("non si può scrivere")), qPrintable(error));
    }
};

QTEST_GUILESS_MAIN(TestSpreadsheetExport)
#include "tst_spreadsheetexport.moc"
