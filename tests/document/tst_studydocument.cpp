#include "document/studydocument.h"
#include "model/scoring.h"
#include "support/studybuilder.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <map>

using namespace pondra;

namespace {

using Edit = std::function<void(StudyDocument&)>;

// The signals of a document, counted by name.
struct Signals {
    explicit Signals(StudyDocument& d)
    {
        const auto count = [&](const char* name, auto signal) {
            m_spies.emplace(QString::fromLatin1(name), std::make_unique<QSignalSpy>(&d, signal));
        };
        count("shown", &StudyDocument::shownHypothesisChanged);
        count("figures", &StudyDocument::figuresChanged);
        count("row", &StudyDocument::rowChanged);
        count("name", &StudyDocument::hypothesisNameChanged);
        count("cleared", &StudyDocument::hypothesisCleared);
        count("title", &StudyDocument::titlePageChanged);
        count("file", &StudyDocument::fileNameChanged);
        count("replaced", &StudyDocument::studyReplaced);
        count("edited", &StudyDocument::edited);
    }
    // The names of the signals sent, each once, in alphabetical order.
    QStringList sent() const
    {
        QStringList names;
        for (const auto& [name, spy] : m_spies) {
            if (!spy->isEmpty()) {
                names << name;
            }
        }
        return names;
    }

private:
    std::map<QString, std::unique_ptr<QSignalSpy>> m_spies;
};

} // namespace

Q_DECLARE_METATYPE(Edit)

// The study document: every edit is one undo step that says what it changed, and what is no
// edit changes nothing.
class TestStudyDocument : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<StudyDocument> document;

    // Hypothesis 1 named, row 1 ticked, named, judged and weighed, as the Data window leaves it.
    void enterHypothesis()
    {
        document->nameHypothesis(QStringLiteral("Casa"));
        document->tickRow(1, true);
        document->nameRow(1, QStringLiteral("costo"));
        document->judgeRow(1, 3);
        document->weighRow(1, 100);
    }

private Q_SLOTS:
    void init() { document = std::make_unique<StudyDocument>(QDate(2026, 12, 8)); }

    void edit_isOneStep_andSaysWhatChanged_data()
    {
        QTest::addColumn<Edit>("edit");
        QTest::addColumn<QStringList>("sent");
        QTest::addColumn<QString>("step");
        const auto list = [](const char* names) { return QString::fromLatin1(names).split(u' '); };
        QTest::newRow("tick an empty row")
            << Edit([](StudyDocument& d) { d.tickRow(2, true); }) << list("edited row")
            << QStringLiteral("spunta caratteristica n. 2");
        QTest::newRow("untick") << Edit([](StudyDocument& d) { d.tickRow(1, false); })
                                << list("edited figures row")
                                << QStringLiteral("rimozione spunta caratteristica n. 1");
        QTest::newRow("name a row") << Edit([](StudyDocument& d) { d.nameRow(1, QStringLiteral("prezzo")); })
                                    << list("edited row") << QStringLiteral("nome caratteristica n. 1");
        QTest::newRow("judge") << Edit([](StudyDocument& d) { d.judgeRow(1, 1); })
                               << list("edited figures row")
                               << QStringLiteral("giudizio caratteristica n. 1");
        // Another row than the one weighed last: the arrows of one row merge into one step.
        QTest::newRow("weigh") << Edit([](StudyDocument& d) { d.weighRow(2, 40); })
                               << list("edited figures row") << QStringLiteral("peso caratteristica n. 2");
        // Typed in full: a step of its own, though row 1 was weighed by the arrows just before.
        QTest::newRow("type a weight")
            << Edit([](StudyDocument& d) { d.typeRowWeight(1, Decimal::fromTenths(125)); })
            << list("edited figures row") << QStringLiteral("peso caratteristica n. 1");
        QTest::newRow("name the hypothesis")
            << Edit([](StudyDocument& d) { d.nameHypothesis(QStringLiteral("Villa")); })
            << list("edited name") << QStringLiteral("nome ipotesi n. 1");
        QTest::newRow("clear the hypothesis")
            << Edit([](StudyDocument& d) { d.clearShownHypothesis(); }) << list("cleared edited figures")
            << QStringLiteral("cancellazione ipotesi n. 1");
        QTest::newRow("title field") << Edit([](StudyDocument& d) {
            d.setTitleField(0, QStringLiteral("Stima"));
        }) << list("edited title") << QStringLiteral("modifica «perizia»");
        QTest::newRow("clear the title page")
            << Edit([](StudyDocument& d) { d.clearTitlePage(); }) << list("edited title")
            << QStringLiteral("cancellazione frontespizio");
    }

    void edit_isOneStep_andSaysWhatChanged()
    {
        QFETCH(Edit, edit);
        QFETCH(QStringList, sent);
        QFETCH(QString, step);
        enterHypothesis();
        const int steps = document->undoStack().count();
        const quint64 before = document->study().revision();
        const Signals spies(*document);
        edit(*document);
        QCOMPARE(spies.sent(), sent);
        QCOMPARE(document->undoStack().count(), steps + 1);
        QCOMPARE(document->undoStack().undoText(), step);
        QVERIFY(document->isModified());

        // Undone, the study is the one before, unmodified as it was.
        document->undoStack().undo();
        QCOMPARE(document->study().revision(), before);
    }

    void importedStudy_isNewAndUnsaved_oneStepAfterAnEmptyOne()
    {
        enterHypothesis();
        const Study entered = document->study();
        document->setTitleField(0, QStringLiteral("Stima"));
        document->importStudy(entered, std::nullopt);
        QVERIFY(document->study() == entered);
        QCOMPARE(document->titlePage().progetto, QString()); // a sheet without title page keeps a new one
        QVERIFY(document->fileName().isEmpty());
        QVERIFY(document->isModified());
        QCOMPARE(document->undoStack().count(), 1);
        document->undoStack().undo();
        QCOMPARE(document->study().countNamedHypotheses(), 0);
    }

    // Costo from 50 to 33,3: the other rows share 66,7 as 30 : 20, the last tenth to the larger
    // remainder (40 and 26,7), in one step.
    void characteristicWeight_othersShareTheRest_inOneStep()
    {
        enterHypothesis();
        const QList<std::pair<QString, int>> rows{{QStringLiteral("a"), 30}, {QStringLiteral("b"), 20}};
        for (int r = 2; r <= 3; ++r) {
            document->tickRow(r, true);
            document->nameRow(r, rows[r - 2].first);
            document->judgeRow(r, 5);
            document->weighRow(r, rows[r - 2].second);
        }
        document->weighRow(1, 50);
        const int steps = document->undoStack().count();
        document->applyCharacteristicWeight(QStringLiteral("costo"), Decimal::fromTenths(333));
        QStringList weights;
        for (int r = 1; r <= 3; ++r) {
            weights << scoredWeight(document->study().row(1, r)).text();
        }
        QCOMPARE(weights,
                 QStringList({QStringLiteral("33,3"), QStringLiteral("40"), QStringLiteral("26,7")}));
        QCOMPARE(document->undoStack().count(), steps + 1);
        QCOMPARE(document->undoStack().undoText(), QStringLiteral("peso di «costo»"));
    }

    void whatIsNoEdit_changesNoRevision()
    {
        enterHypothesis();
        const quint64 revision = document->study().revision();
        const Signals spies(*document);
        document->showHypothesis(7);
        document->showRowsFrom(200);
        document->checkData();
        document->rank();
        QCOMPARE(document->shownHypothesis(), 7); // data that pass leave the place shown
        QCOMPARE(document->firstShownRow(), StudyDocument::MaxFirstShownRow);
        QCOMPARE(document->study().revision(), revision);
        QVERIFY(!spies.sent().contains(QStringLiteral("edited")));
        QCOMPARE(document->undoStack().count(), 5);
    }

    void check_showsWhereItStopped_once()
    {
        enterHypothesis();
        document->showHypothesis(2);
        document->nameHypothesis(QStringLiteral("Vuota"));
        document->showHypothesis(1);
        QSignalSpy shown(document.get(), &StudyDocument::shownHypothesisChanged);
        const DataCheckResult result = document->checkData();
        QVERIFY(!result.passed);
        QCOMPARE(shown.count(), 1);
        QCOMPARE(shown.first().first().toInt(), 2);
        QCOMPARE(document->shownHypothesis(), 2);
    }

    void openAndSave_roundTrip_damagedFileChangesNothing()
    {
        QTemporaryDir dir;
        enterHypothesis();
        const QString path = dir.filePath(QStringLiteral("Pondra-dati-prova.txt"));
        QString error;
        QVERIFY2(document->save(path, &error), qPrintable(error));
        QCOMPARE(document->fileName(), path);
        QVERIFY(!document->isModified());
        const Study saved = document->study();

        QFile damaged(dir.filePath(QStringLiteral("rotto.txt")));
        QVERIFY(damaged.open(QIODevice::WriteOnly));
        damaged.write("2\r\n\"Una\",1,");
        damaged.close();
        document->nameHypothesis(QStringLiteral("Cambiata"));
        const Signals spies(*document);
        QVERIFY(!document->open(damaged.fileName(), &error));
        QVERIFY(spies.sent().isEmpty());
        QCOMPARE(document->fileName(), path);
        QVERIFY(document->isModified());

        QVERIFY2(document->open(path, &error), qPrintable(error));
        QVERIFY(document->study() == saved);
        QVERIFY(!document->isModified());
        QCOMPARE(document->undoStack().count(), 0);
    }
};

QTEST_MAIN(TestStudyDocument)
#include "tst_studydocument.moc"
