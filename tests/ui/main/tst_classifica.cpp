#include "support/scriptedmodule.h"
#include "support/windowcontrols.h"
#include "ui/main/classifica.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

using namespace pondra;

namespace {

const QColor Black(Qt::black);
const QColor Yellow(255, 255, 0);
const QColor Green(0, 128, 0);
// The report's red deepened just enough for yellow figures to read at 4.5:1.
const QColor Red(229, 0, 0);

// What the window paints at the cell's corner, so a colour set but never drawn does not pass.
QColor background(const QLabel* cell)
{
    return cell->parentWidget()->grab(cell->geometry()).toImage().pixelColor(1, 1);
}

QColor textColour(const QLabel* cell)
{
    return cell->palette().color(QPalette::WindowText);
}

} // namespace

class TestClassifica : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<testsupport::ScriptedModule> scripted;
    classifica* w = nullptr;
    std::optional<testsupport::ResultsControls> ui;

    // Positions 1..count named "ipotesi p", the evaluation going down by step from one to the
    // next, the others free. The ranking is made as the program makes it, from hypotheses of the
    // study that are emptied again once ranked: the study stays as it was.
    void fillRanking(int count, double evaluation, double step = 0)
    {
        Study& study = testsupport::studyOf(*scripted->module);
        for (int p = 1; p <= count; ++p) {
            Hypothesis& hypothesis = study.hypothesis(p);
            hypothesis.name = Value::text(QStringLiteral("ipotesi %1").arg(p));
            hypothesis.EvaluationPercent = Value::number(evaluation - (p - 1) * step);
            hypothesis.OverallJudgement = Value::text(QStringLiteral("buono"));
        }
        scripted->module->document().rank();
        for (int p = 1; p <= count; ++p) {
            study.hypothesis(p) = Hypothesis();
        }
    }

    // The four cells of row i, "|" between them.
    QString row(int i) const
    {
        return QStringList{ui->numero[i]->text(), ui->Label1[i]->text(), ui->Label2[i]->text(),
                           ui->Label5[i]->text()}
            .join(u'|');
    }

private Q_SLOTS:
    void init()
    {
        scripted = std::make_unique<testsupport::ScriptedModule>();
        fillRanking(15, 80);
        // A window loaded over an existing ranking waits for a refresh.
        w = scripted->module->window<classifica>();
        ui.emplace(w);
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w));
    }
    void cleanup()
    {
        ui.reset();
        scripted.reset();
    }

    void load_setsUpWithoutFillingRows()
    {
        QCOMPARE(ui->passo->text(),
                 QStringLiteral("la finestra è di sola lettura, visualizzare i risultati"));
        QCOMPARE(row(1), QStringLiteral("|||"));
        QCOMPARE(background(ui->Label2[1]), QColor(0, 255, 255));
        QCOMPARE(background(ui->Label3), Green);
        QCOMPARE(background(ui->Label9), Yellow);
        QCOMPARE(ui->VScroll1->value(), 1);
        const QString tips = QStringLiteral(
            "il numero di graduatoria della ipotesi nella percentuale di valutazione|l'ipotesi secondo la "
            "graduatoria raggiunta|la valutazione in percento dell'ipotesi data|il giudizio complessivo "
            "equiparato alla percentuale di valutazione");
        for (int i = 1; i <= classifica::Rows; ++i) {
            QCOMPARE(QStringList({ui->numero[i]->toolTip(), ui->Label1[i]->toolTip(),
                                  ui->Label2[i]->toolTip(), ui->Label5[i]->toolTip()})
                         .join(u'|'),
                     tips);
        }
    }

    void refresh_showsRankingOfStudy()
    {
        Study& study = testsupport::studyOf(*scripted->module);
        const auto hypothesis = [&](int h, const QString& name, Value evaluation, Value judgement) {
            study.hypothesis(h).name = Value::text(name);
            study.hypothesis(h).EvaluationPercent = evaluation;
            study.hypothesis(h).OverallJudgement = judgement;
        };
        hypothesis(1, QStringLiteral("pellet"), Value::number(31.5),
                   Value::text(QStringLiteral("molto scarso")));
        hypothesis(2, QStringLiteral("metano"), Value::number(85), Value::text(QStringLiteral("ottimo")));
        hypothesis(3, QStringLiteral("legna"), Value(), Value()); // never scored
        scripted->module->document().rank();
        w->VScroll1_Change();
        QCOMPARE(row(1), QStringLiteral("1|metano|85|ottimo"));
        QCOMPARE(row(2), QStringLiteral("2|pellet|31,5|molto scarso"));
        QCOMPARE(row(3), QStringLiteral("3|legna||"));
        QCOMPARE(row(15), QStringLiteral("15|||"));
        QCOMPARE(background(ui->Label2[15]), Yellow);
    }

    void ties_sharePlace_saidBesideTheName()
    {
        Study& study = testsupport::studyOf(*scripted->module);
        const QString longName(120, u'x');
        const double evaluations[] = {60, 80, 80, 60, 40};
        for (int h = 1; h <= 5; ++h) {
            study.hypothesis(h).name = Value::text(h == 3 ? longName : QStringLiteral("s%1").arg(h));
            study.hypothesis(h).EvaluationPercent = Value::number(evaluations[h - 1]);
        }
        scripted->module->document().rank();
        w->VScroll1_Change();
        QCOMPARE(row(1), QStringLiteral("1|s2 (a pari merito)|80|"));
        QCOMPARE(row(3), QStringLiteral("3|s1 (a pari merito)|60|"));
        QCOMPARE(row(4), QStringLiteral("3|s4 (a pari merito)|60|"));
        QCOMPARE(row(5), QStringLiteral("5|s5|40|"));
        QCOMPARE(row(6), QStringLiteral("6|||"));
        // A long name gives way to the note, which stays in its cell.
        const QLabel* cell = ui->Label1[2];
        QVERIFY(cell->text().endsWith(QStringLiteral("… (a pari merito)")));
        QVERIFY(cell->fontMetrics().horizontalAdvance(cell->text()) + cell->indent() < cell->width());
    }

    void evaluationColour_data()
    {
        QTest::addColumn<double>("evaluation");
        QTest::addColumn<QColor>("cell");
        QTest::addColumn<QColor>("text");
        QTest::newRow("51") << 51.0 << Green << Yellow;
        QTest::newRow("50") << 50.0 << Yellow << Black;
        QTest::newRow("50,5") << 50.5 << Yellow << Black;
        QTest::newRow("49,9") << 49.9 << Red << Yellow;
        QTest::newRow("1") << 1.0 << Red << Yellow;
        QTest::newRow("0,5") << 0.5 << Yellow << Black;
        QTest::newRow("0") << 0.0 << Yellow << Black;
    }
    void evaluationColour()
    {
        QFETCH(double, evaluation);
        QFETCH(QColor, cell);
        QFETCH(QColor, text);
        // Coloured the other way first: each refresh must set both colours afresh.
        fillRanking(1, evaluation > 50 ? 10 : 90);
        w->VScroll1_Change();
        fillRanking(1, evaluation); // the same position, with the evaluation to show
        w->VScroll1_Change();
        QCOMPARE(background(ui->Label2[1]), cell);
        QCOMPARE(textColour(ui->Label2[1]), text);
    }

    void scrolling_showsLaterPositionsAndRecolours()
    {
        fillRanking(90, 75, 0.25);
        ui->VScroll1->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        QCOMPARE(row(15), QStringLiteral("16|ipotesi 16|71,25|buono"));
        QCOMPARE(background(ui->Label2[15]), Green);

        ui->VScroll1->setValue(200);
        QCOMPARE(ui->VScroll1->value(), 86);
        QVERIFY(row(1).startsWith(QStringLiteral("86|")));
        QCOMPARE(row(5), QStringLiteral("90|ipotesi 90|52,75|buono"));
        // Position 100 is free: the cell that was green is yellow with black text again.
        QCOMPARE(row(15), QStringLiteral("100|||"));
        QCOMPARE(background(ui->Label2[15]), Yellow);
        QCOMPARE(textColour(ui->Label2[15]), Black);
        ui->VScroll1->setValue(-3);
        QCOMPARE(ui->VScroll1->value(), 1);
    }

    void aiuto_showsHelpMessage()
    {
        QTest::mouseClick(ui->aiuto, Qt::LeftButton);
        QCOMPARE(scripted->dialogs->messages.size(), 1);
        const MessageRequest& message = scripted->dialogs->messages[0];
        const QStringList lines = message.text.split(u'\r');
        QCOMPARE(lines.size(), 5);
        QCOMPARE(lines[0], QStringLiteral("- La finestra è di sola lettura;"));
        QCOMPARE(lines[4], QStringLiteral("- cliccare sui tasti laterali per visualizzare quanto riportato "
                                          "nella rispettiva didascalia."));
        QCOMPARE(message.title, scripted->module->identity().HelpTitle);
        QCOMPARE(message.icon, std::optional<MessageIcon>(MessageIcon::Information));
    }

    void layout_textsFitTheirCells()
    {
        const auto fits = [](const QLabel* cell, const QString& text) {
            return cell->fontMetrics().horizontalAdvance(text) + cell->indent() < cell->width() &&
                   cell->fontMetrics().height() <= cell->height();
        };
        QVERIFY(fits(ui->numero[1], QStringLiteral("100")) && fits(ui->Label2[1], QStringLiteral("100")));
        QVERIFY(fits(ui->Label5[1], QStringLiteral("molto scarso")) && fits(ui->Label3, ui->Label3->text()));
        for (const QLabel* heading : {ui->Label8, ui->Label9, ui->Label10, ui->Label4}) {
            QVERIFY2(heading->heightForWidth(heading->width()) <= heading->height(),
                     qPrintable(heading->text()));
        }
        for (const QPushButton* button : ui->Frame2->findChildren<QPushButton*>()) {
            QVERIFY2(button->sizeHint().width() <= button->width(), qPrintable(button->text()));
        }
        QVERIFY(ui->Label1[1]->width() > ui->Label5[1]->width() + ui->Label2[1]->width());
        QVERIFY(ui->Label1[1]->geometry().bottom() < ui->Label1[2]->geometry().top());
    }
};

QTEST_MAIN(TestClassifica)
#include "tst_classifica.moc"
