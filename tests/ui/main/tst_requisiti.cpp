#include "support/scriptedmodule.h"
#include "support/studybuilder.h"
#include "support/windowcontrols.h"
#include "ui/main/clickablelabel.h"
#include "ui/main/requisiti.h"
#include "ui/main/weightarrows.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>
#include <QWheelEvent>
#include <QtTest/qtestspontaneevent.h>

using namespace pondra;
using namespace Qt::StringLiterals;

namespace {

const QString noDataMessage = QStringLiteral("Non è stato immesso alcun dato.");
const QString passedMessage = QStringLiteral("I dati sono stati immessi correttamente.");

} // namespace

class TestRequisiti : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<testsupport::ScriptedModule> scripted;
    requisiti* w = nullptr;
    std::optional<testsupport::DataControls> ui;

    Study& study() { return testsupport::studyOf(*scripted->module); }
    StudyDocument& document() { return scripted->module->document(); }

    // Ticks slot i, types a name, clicks a judgement and sets the weight with the arrows.
    void enterRow(int i, const QString& name, int step, int weight)
    {
        QTest::mouseClick(ui->Check[i], Qt::LeftButton);
        QVERIFY(ui->Check[i]->isChecked());
        // Typed as one insertion: QTest types only plain ASCII key by key.
        ui->requisito[i]->lineEdit()->selectAll();
        ui->requisito[i]->lineEdit()->insert(name);
        QTest::mouseClick(ui->scala[step], Qt::LeftButton);
        while (ui->scroll[i]->position() < weight) {
            ui->scroll[i]->stepUp();
        }
        while (ui->scroll[i]->position() > weight) {
            ui->scroll[i]->stepDown();
        }
    }

    void typeHypothesisName(const QString& name)
    {
        ui->ipotesi->selectAll();
        QTest::keyClicks(ui->ipotesi, name);
    }

    bool scaleEnabled() const { return ui->scala[1]->isEnabled() && ui->scala[11]->isEnabled(); }

private Q_SLOTS:
    void init()
    {
        scripted = std::make_unique<testsupport::ScriptedModule>();
        w = scripted->module->window<requisiti>();
        ui.emplace(w);
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w));
    }
    void cleanup()
    {
        ui.reset();
        scripted.reset();
    }

    void load_setsUpEmptyWindow()
    {
        QCOMPARE(ui->passo->text(),
                 QStringLiteral("prelevare un file dall'archivio o iniziare a digitare l'ipotesi"));
        QCOMPARE(ui->Label9->text(), QStringLiteral("Ipotesi n. 1"));
        QCOMPARE(ui->resto->text(), QStringLiteral("0"));
        QCOMPARE(ui->requisito[4]->count(), 79);
        QCOMPARE(ui->numero[10]->text(), QStringLiteral("10"));
        QVERIFY(!scaleEnabled());
        QVERIFY(!ui->requisito[1]->isEnabled());
        QCOMPARE(ui->scala[5]->text(), QStringLiteral("5 = a&ccettabile"));
        QCOMPARE(w->windowTitle(),
                 QStringLiteral("Pondra: dati sulle ipotesi e sui relativi requisiti da valutare"));
        QCOMPARE(scripted->module->window<requisiti>(), w); // one of each
    }

    void typicalRowEntry_storesAndRescoresAsItGoes()
    {
        typeHypothesisName(QStringLiteral("Sede"));
        QCOMPARE(study().countNamedHypotheses(), 1);
        QCOMPARE(ui->passo->text(),
                 QStringLiteral("spuntare una caratteristica, sceglierla e indicarne il giudizio"));

        QTest::mouseClick(ui->Check[1], Qt::LeftButton);
        QCOMPARE(ui->passo->text(), QStringLiteral("scegliere la caratteristica n. 1"));
        QVERIFY(scaleEnabled());
        QVERIFY(ui->requisito[1]->isEnabled() && ui->scroll[1]->isEnabled());
        QCOMPARE(study().row(1, 1).ticked, Value::integer(1));
        QCOMPARE(study().row(1, 1).name, Value::text(QString())); // hypothesis 1 has none before it

        QTest::keyClicks(ui->requisito[1]->lineEdit(), QStringLiteral("costo"));
        QCOMPARE(study().row(1, 1).name, Value::text(QStringLiteral("costo")));
        QCOMPARE(study().hypothesis(1).LastNamedRow, Value::integer(1));
        QCOMPARE(ui->passo->text(), QStringLiteral("scegliere il giudizio della caratteristica n. 1"));

        QTest::mouseClick(ui->scala[3], Qt::LeftButton);
        QCOMPARE(ui->giudizio[1]->text(), QStringLiteral("buono"));
        QCOMPARE(ui->valore[1]->text(), QStringLiteral("3"));
        QCOMPARE(ui->coefficiente[1]->text(), QStringLiteral("0,8"));
        QCOMPARE(study().row(1, 1).judgementNumber, Value::integer(3));
        QCOMPARE(study().row(1, 1).coefficient, Value::text(QStringLiteral("0,8")));
        QVERIFY(!scaleEnabled());
        QCOMPARE(ui->passo->text(), QStringLiteral("assegnare i pesi fino a resto zero (resto 100 %)"));
        QCOMPARE(ui->media->text(), QStringLiteral("0,8"));
        QCOMPARE(ui->resto->text(), QStringLiteral("100"));

        // The arrows start at 10: the first click gives 11, each click rescoring.
        QTest::mouseClick(ui->scroll[1]->findChildren<QToolButton*>().at(0), Qt::LeftButton);
        QCOMPARE(ui->percentuale[1]->text(), QStringLiteral("11"));
        QCOMPARE(study().row(1, 1).weight, Value::text(QStringLiteral("11")));
        QCOMPARE(ui->resto->text(), QStringLiteral("89"));
        QCOMPARE(ui->ponderata->text(), QStringLiteral("0,088"));
        QCOMPARE(ui->passo->text(), QStringLiteral("assegnare i pesi fino a resto zero (resto 89 %)"));
    }

    void weightArrows_startFromTheWeightShown()
    {
        // As after opening a file: the rows are in the study before the window shows them.
        testsupport::enterRow(study(), 1, 1, u"costo"_s, 3, 30);
        testsupport::enterRow(study(), 2, 1, u"costo"_s, 1, 100);
        w->HScroll1_Change();
        QTest::mouseClick(ui->scroll[1]->findChildren<QToolButton*>().at(0), Qt::LeftButton);
        QCOMPARE(study().row(1, 1).weight, Value::text(u"31"_s));
        ui->HScroll1->setValue(2);
        QCOMPARE(ui->scroll[1]->position(), 100);
        QCOMPARE(ui->scroll[2]->position(), 10); // a row without a weight still goes to 11 or 9
        ui->HScroll1->setValue(1);
        QCOMPARE(ui->scroll[1]->position(), 31);

        // A decimal weight steps by whole units from where it is, up to 100.
        study().row(1, 1).weight = Value::text(u"98.5"_s);
        document().showHypothesis(1);
        QCOMPARE(ui->percentuale[1]->text(), u"98,5"_s);
        ui->scroll[1]->stepUp();
        QCOMPARE(study().row(1, 1).weight, Value::text(u"99.5"_s));
        QCOMPARE(ui->percentuale[1]->text(), u"99,5"_s);
        ui->scroll[1]->stepUp();
        QCOMPARE(study().row(1, 1).weight, Value::text(u"100"_s));
    }

    // Typed into the box: committed by Enter or Tab, or refused at once with the reason, the
    // old weight staying.
    void typedWeight_acceptedOrRefused_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("resto");
        QTest::addColumn<QString>("reason"); // empty when accepted
        const int enter = Qt::Key_Return;
        const int tab = Qt::Key_Tab;
        QTest::newRow("whole") << u"35"_s << enter << u"35"_s << u"35"_s << u"65"_s << QString();
        QTest::newRow("one decimal, Tab")
            << u"12,5"_s << tab << u"12.5"_s << u"12,5"_s << u"87,5"_s << QString();
        QTest::newRow("zero") << u"0"_s << enter << u"0"_s << u"0"_s << u"100"_s << QString();
        QTest::newRow("hundred") << u"100"_s << tab << u"100"_s << u"100"_s << u"0"_s << QString();
        QTest::newRow("decimal zero") << u"35,0"_s << enter << u"35"_s << u"35"_s << u"65"_s << QString();
        QTest::newRow("bare comma") << u"7,"_s << enter << u"7"_s << u"7"_s << u"93"_s << QString();
        const auto refused = [&](const char* name, const QString& typed, int key, const QString& reason) {
            QTest::newRow(name) << typed << key << u"40"_s << u"40"_s << u"60"_s << reason;
        };
        refused("point", u"12.5"_s, enter, u"I decimali vanno dopo la virgola: 12,5."_s);
        refused("two decimals", u"12,25"_s, tab, u"Il peso ha al più un decimale: 12,5."_s);
        refused("over 100", u"100,5"_s, enter, u"Il peso va da 0 a 100."_s);
        refused("negative", u"-5"_s, enter, u"Il peso va da 0 a 100."_s);
        refused("letters", u"dieci"_s, tab,
                u"Il peso si scrive in cifre, con al più una virgola: 35 o 12,5."_s);
        refused("two commas", u"1,2,3"_s, enter,
                u"Il peso si scrive in cifre, con al più una virgola: 35 o 12,5."_s);
        refused("emptied", QString(), enter, u"Digitare un peso da 0 a 100."_s);
    }
    void typedWeight_acceptedOrRefused()
    {
        QFETCH(QString, typed);
        QFETCH(int, key);
        QFETCH(QString, reason);
        QVERIFY(QTest::qWaitForWindowActive(w));
        testsupport::nameHypothesis(study(), 1, u"Sede"_s);
        testsupport::enterRow(study(), 1, 1, u"costo"_s, 3, 40);
        document().showHypothesis(1);
        QLineEdit* box = ui->percentuale[1];
        box->setFocus();
        box->selectAll();
        QTest::keyClick(box, Qt::Key_Backspace);
        QTest::keyClicks(box, typed);
        if (!reason.isEmpty() && !typed.isEmpty()) {
            QCOMPARE(ui->passo->text(), reason); // told while typing, before any commit
        }
        QTest::keyClick(box, Qt::Key(key));
        QTEST(study().row(1, 1).weight.toDisplayText(), "stored");
        QTEST(box->text(), "shown");
        QTEST(ui->resto->text(), "resto");
        // Accepted, the hint names the next step with the new remainder.
        const QString next =
            ui->resto->text() == u"0"_s
                ? u"spuntare un'altra caratteristica o indicare la successiva ipotesi"_s
                : u"assegnare i pesi fino a resto zero (resto %1 %)"_s.arg(ui->resto->text());
        QCOMPARE(ui->passo->text(), reason.isEmpty() ? next : reason);
        QCOMPARE(document().undoStack().count(), reason.isEmpty() && typed != u"40"_s ? 1 : 0);
    }

    void tickingNamedRow_keepsIt_emptyRowTakesPreviousName()
    {
        testsupport::enterRow(study(), 1, 5, u"luce"_s, 3, 100);
        testsupport::enterRow(study(), 2, 4, u"rumore"_s, 2, 25);
        study().row(2, 4).ticked = Value::integer(0); // "spuntare la caratteristica digitata n. 4"
        CharacteristicEntry expected = study().row(2, 4);
        expected.ticked = Value::integer(1);
        ui->HScroll1->setValue(2);
        QTest::mouseClick(ui->Check[4], Qt::LeftButton);
        QCOMPARE(study().row(2, 4), expected);
        QCOMPARE(ui->percentuale[4]->text(), u"25"_s);
        QTest::mouseClick(ui->Check[5], Qt::LeftButton);
        QCOMPARE(study().row(2, 5).name, Value::text(u"luce"_s));
    }

    void nameFields_holdWhatWasTyped_wheelNeverChangesThem()
    {
        QTest::mouseClick(ui->Check[1], Qt::LeftButton);
        QComboBox* field = ui->requisito[1];
        QTest::keyClicks(field->lineEdit(), u"co"_s);
        QCOMPARE(field->currentText(), u"co"_s);
        field->lineEdit()->clear();
        QTest::keyClicks(field->lineEdit(), u"Sicurezza"_s);
        QTest::keyClick(field->lineEdit(), Qt::Key_Return);
        ui->ipotesi->setFocus(); // leaving the field
        QCOMPARE(study().row(1, 1).name, Value::text(u"Sicurezza"_s));
        QCOMPARE(field->count(), 79);

        const auto wheel = [](QWidget* target) {
            const QPointF at(target->width() / 2.0, target->height() / 2.0);
            QWheelEvent event(at, target->mapToGlobal(at), {}, {0, -120}, Qt::NoButton, Qt::NoModifier,
                              Qt::NoScrollPhase, false);
            QSpontaneKeyEvent::setSpontaneous(&event); // as from the mouse: it travels up to the parent
            qApp->notify(target, &event);
        };
        // Over a name the wheel scrolls the rows, as anywhere over them, and leaves the name alone.
        wheel(field->lineEdit());
        QCOMPARE(study().row(1, 1).name, Value::text(u"Sicurezza"_s));
        const int scrolled = ui->VScroll1->value();
        QVERIFY(scrolled > 1);
        wheel(ui->giudizio[5]);
        QVERIFY(ui->VScroll1->value() > scrolled);
        QCOMPARE(ui->numero[1]->text(), QString::number(ui->VScroll1->value()));
    }

    void keyboard_hypothesisBarPagesAndScaleLetters()
    {
        QVERIFY(QTest::qWaitForWindowActive(w));
        QCOMPARE(ui->HScroll1->toolTip(), u"passare ad un'altra ipotesi"_s);
        ui->ipotesi->setFocus();
        QTest::keyClick(ui->ipotesi, Qt::Key_Tab);
        QVERIFY(ui->HScroll1->hasFocus());
        QTest::keyClick(ui->HScroll1, Qt::Key_PageDown);
        QCOMPARE(ui->Label9->text(), u"Ipotesi n. 2"_s);
        QTest::keyClick(ui->HScroll1, Qt::Key_PageUp);
        QTest::keyClick(ui->HScroll1, Qt::Key_PageUp);
        QCOMPARE(document().shownHypothesis(), 1);

        // Stampa shares the letter S with "scadente": while the scale is active, the scale wins.
        ui->cmdstampa->setEnabled(true);
        QSignalSpy printed(ui->cmdstampa, &QPushButton::clicked);
        QTest::mouseClick(ui->Check[1], Qt::LeftButton);
        QTest::keyClicks(ui->requisito[1]->lineEdit(), u"costo"_s);
        QTest::keyClick(ui->requisito[1]->lineEdit(), Qt::Key_S, Qt::AltModifier);
        QCOMPARE(ui->giudizio[1]->text(), u"scadente"_s);
        QCOMPARE(study().row(1, 1).name, Value::text(u"costo"_s)); // the letter was not typed
        QVERIFY(!scaleEnabled());
        QTest::keyClick(ui->requisito[1]->lineEdit(), Qt::Key_S, Qt::AltModifier);
        QVERIFY(printed.wait());
        QCOMPARE(ui->giudizio[1]->text(), u"scadente"_s);
    }

    void loadedAgainOverStudy_showsFirstHypothesisAndItsFigures()
    {
        testsupport::nameHypothesis(study(), 1, u"Uno"_s);
        testsupport::enterRow(study(), 1, 1, u"costo"_s, 3, 60);
        testsupport::enterRow(study(), 1, 2, u"luce"_s, 6, 40);
        document().showHypothesis(2);
        scripted->module->unloadWindow<requisiti>();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        w = scripted->module->window<requisiti>();
        ui.emplace(w);
        QCOMPARE(
            QStringList({ui->Label9->text(), ui->media->text(), ui->resto->text(), ui->ponderata->text()}),
            QStringList({u"Ipotesi n. 1"_s, u"0,65"_s, u"0"_s, u"0,68"_s}));
        QCOMPARE(ui->scroll[1]->position(), 60);
    }

    void reJudgeThroughRowNumber_keepsJudgementUntilANewOne()
    {
        enterRow(1, QStringLiteral("costo"), 3, 100);
        QTest::mouseClick(ui->numero[1], Qt::LeftButton);
        QCOMPARE(ui->giudizio[1]->text(), QStringLiteral("buono"));
        QCOMPARE(ui->coefficiente[1]->text(), QStringLiteral("0,8"));
        QCOMPARE(ui->passo->text(), QStringLiteral("scegliere il nuovo giudizio della caratteristica n. 1"));
        // Esc gives up: the judgement stays.
        QTest::keyClick(w, Qt::Key_Escape);
        QVERIFY(!scaleEnabled());
        QCOMPARE(ui->giudizio[1]->text(), QStringLiteral("buono"));
        QTest::mouseClick(ui->numero[1], Qt::LeftButton);
        QCOMPARE(study().row(1, 1).judgement, Value::text(QStringLiteral("buono")));
        QVERIFY(scaleEnabled());
        QTest::mouseClick(ui->scala[2], Qt::LeftButton);
        QCOMPARE(ui->giudizio[1]->text(), QStringLiteral("ottimo"));
        QCOMPARE(ui->ponderata->text(), QStringLiteral("0,9"));

        // Scrolling away and back shows the stored judgement.
        QTest::mouseClick(ui->numero[1], Qt::LeftButton);
        ui->VScroll1->setValue(2);
        ui->VScroll1->setValue(1);
        QCOMPARE(ui->giudizio[1]->text(), QStringLiteral("ottimo"));
    }

    void scaleWithoutName_isRefused()
    {
        QTest::mouseClick(ui->Check[1], Qt::LeftButton);
        QTest::mouseClick(ui->scala[4], Qt::LeftButton);
        QCOMPARE(scripted->dialogs->messages.size(), 1);
        const MessageRequest& m = scripted->dialogs->messages.first();
        QCOMPARE(m.text, QStringLiteral("Digitare prima il tipo di caratteristica da valutare."));
        QCOMPARE(m.title, QStringLiteral("Pondra : controllo dati immessi nella finestra attiva"));
        QCOMPARE(m.icon, std::optional<MessageIcon>(MessageIcon::Critical));
        QVERIFY(study().row(1, 1).judgement.isEmpty());
    }

    void untick_emptiesNamedRow_keepsWeightOfUnnamedRow()
    {
        enterRow(1, QStringLiteral("costo"), 3, 60);
        enterRow(2, QStringLiteral("qualità"), 6, 40);
        QCOMPARE(ui->ponderata->text(), QStringLiteral("0,68"));
        QTest::mouseClick(ui->Check[2], Qt::LeftButton);
        const CharacteristicEntry& row = study().row(1, 2);
        QCOMPARE(row.ticked, Value::integer(0));
        QCOMPARE(row.name, Value::text(QString()));
        QCOMPARE(row.weight, Value::text(QString()));
        QCOMPARE(row.coefficient, Value::text(QString()));
        QCOMPARE(ui->passo->text(), QStringLiteral("digitare il nome dell'ipotesi"));
        QCOMPARE(ui->ponderata->text(), QStringLiteral("0,48"));
        QCOMPARE(ui->resto->text(), QStringLiteral("40"));
        QVERIFY(!ui->requisito[2]->isEnabled());
        QCOMPARE(study().hypothesis(1).LastNamedRow, Value::integer(1));

        // A row whose name is empty keeps its weight when unticked.
        QTest::mouseClick(ui->Check[3], Qt::LeftButton);
        ui->scroll[3]->stepUp();
        QTest::mouseClick(ui->Check[3], Qt::LeftButton);
        QCOMPARE(study().row(1, 3).weight, Value::text(QStringLiteral("11")));
        QCOMPARE(study().row(1, 3).ticked, Value::integer(0));
    }

    void clearingNameByHand_keepsTick()
    {
        enterRow(1, QStringLiteral("costo"), 3, 60);
        ui->requisito[1]->lineEdit()->clear();
        QCOMPARE(study().row(1, 1).weight, Value::text(QString()));
        QCOMPARE(study().row(1, 1).judgement, Value::text(QString()));
        QCOMPARE(ui->giudizio[1]->text(), QString());
        QVERIFY(ui->Check[1]->isChecked());
    }

    void scrollingRows_scaleActsOnRowNowShown()
    {
        QTest::mouseClick(ui->Check[1], Qt::LeftButton);
        QTest::keyClicks(ui->requisito[1]->lineEdit(), QStringLiteral("costo"));
        study().row(1, 6).name = Value::text(QStringLiteral("sesta"));
        ui->VScroll1->setValue(6);
        QCOMPARE(ui->numero[1]->text(), QStringLiteral("6"));
        QCOMPARE(ui->requisito[1]->currentText(), QStringLiteral("sesta"));
        QTest::mouseClick(ui->scala[2], Qt::LeftButton);
        QCOMPARE(study().row(1, 6).judgement, Value::text(QStringLiteral("ottimo")));
        QVERIFY(study().row(1, 1).judgement.isEmpty());

        ui->VScroll1->setValue(ui->VScroll1->maximum());
        QCOMPARE(ui->VScroll1->maximum(), 91);
        QCOMPARE(ui->numero[1]->text(), QStringLiteral("91"));
        QCOMPARE(ui->numero[10]->text(), QStringLiteral("100"));
    }

    void movingHypotheses_showsAndScoresEachSlot()
    {
        typeHypothesisName(QStringLiteral("Prima"));
        enterRow(1, QStringLiteral("costo"), 2, 100);
        ui->HScroll1->setValue(2);
        QCOMPARE(document().shownHypothesis(), 2);
        QCOMPARE(ui->Label9->text(), QStringLiteral("Ipotesi n. 2"));
        QCOMPARE(ui->ipotesi->text(), QString());
        QCOMPARE(ui->media->text(), QString());
        QCOMPARE(ui->resto->text(), QStringLiteral("100"));
        QCOMPARE(ui->ponderata->text(), QStringLiteral("0"));
        QCOMPARE(study().hypothesis(2).OverallJudgement, Value::text(QStringLiteral("nullo")));
        QVERIFY(!ui->Check[1]->isChecked());

        // Ticking offers the name of the same row of the previous hypothesis.
        QTest::mouseClick(ui->Check[1], Qt::LeftButton);
        QCOMPARE(ui->requisito[1]->currentText(), QStringLiteral("costo"));
        QCOMPARE(study().row(2, 1).name, Value::text(QStringLiteral("costo")));

        ui->HScroll1->setValue(1);
        QCOMPARE(ui->ipotesi->text(), QStringLiteral("Prima"));
        QCOMPARE(ui->giudizio[1]->text(), QStringLiteral("ottimo"));
        QCOMPARE(ui->ponderata->text(), QStringLiteral("0,9"));
        QVERIFY(!scaleEnabled());
    }

    void dataCheck_messagesInOrder_leaveHypothesisOnScreen()
    {
        w->controllodati_Click();
        QCOMPARE(scripted->dialogs->messageTexts().last(), noDataMessage);

        typeHypothesisName(QStringLiteral("Uno"));
        enterRow(1, QStringLiteral("costo"), 3, 60);
        enterRow(2, QStringLiteral("qualità"), 6, 30);
        ui->HScroll1->setValue(2);
        typeHypothesisName(QStringLiteral("Due"));
        QTest::mouseClick(ui->Check[1], Qt::LeftButton);
        ui->requisito[1]->lineEdit()->clear();
        w->controllodati_Click();
        QCOMPARE(scripted->dialogs->messageTexts().last(),
                 QStringLiteral("Ipotesi n. 2: digitare la denominazione della caratteristica n. 1"));
        QCOMPARE(ui->HScroll1->value(), 2);

        QTest::keyClicks(ui->requisito[1]->lineEdit(), QStringLiteral("costo"));
        w->controllodati_Click();
        QCOMPARE(scripted->dialogs->messageTexts().last(),
                 QStringLiteral("Ipotesi n. 2: cliccare sul giudizio da assegnare alla caratteristica n. 1"));

        QTest::mouseClick(ui->scala[1], Qt::LeftButton);
        for (int k = 0; k < 90; ++k) {
            ui->scroll[1]->stepUp();
        }
        w->controllodati_Click();
        QCOMPARE(
            scripted->dialogs->messageTexts().last(),
            QStringLiteral("Ipotesi n. 1: se non si hanno altre caratteristiche da aggiungere assegnare le "
                           "percentuali fino ad ottenere resto zero."));
        QCOMPARE(ui->HScroll1->value(), 1);
        QCOMPARE(ui->Label9->text(), QStringLiteral("Ipotesi n. 1"));
        QCOMPARE(ui->resto->text(), QStringLiteral("10"));
        QCOMPARE(scripted->dialogs->messages.last().icon, std::optional<MessageIcon>(MessageIcon::Critical));

        ui->scroll[2]->stepUp(); // from the weight shown, 30
        QCOMPARE(ui->percentuale[2]->text(), QStringLiteral("31"));
        for (int k = 0; k < 9; ++k) {
            ui->scroll[2]->stepUp();
        }
        QCOMPARE(ui->resto->text(), QStringLiteral("0"));
        w->controllodati_Click();
        QCOMPARE(scripted->dialogs->messageTexts().last(), passedMessage);
        QCOMPARE(scripted->dialogs->messages.last().icon,
                 std::optional<MessageIcon>(MessageIcon::Information));
        QCOMPARE(ui->HScroll1->value(), 1); // data that pass leave the user where they were
    }

    void silentCheck_protocol()
    {
        typeHypothesisName(QStringLiteral("Uno"));
        enterRow(1, QStringLiteral("costo"), 3, 50);

        QVERIFY(!w->checkQuietly()); // failed: message shown, caller must stop
        QCOMPARE(scripted->dialogs->messages.size(), 1);

        for (int k = 0; k < 50; ++k) {
            ui->scroll[1]->stepUp();
        }
        QCOMPARE(ui->resto->text(), QStringLiteral("0"));
        // A failed silent check leaves nothing behind: the check from the menu says the data pass.
        w->controllodati_Click();
        QCOMPARE(scripted->dialogs->messages.size(), 2);
        QCOMPARE(scripted->dialogs->messageTexts().last(), passedMessage);
        // A silent check that passes says nothing.
        QVERIFY(w->checkQuietly());
        QCOMPARE(scripted->dialogs->messages.size(), 2);
    }

    void clearing_keepsNameAndCount()
    {
        typeHypothesisName(QStringLiteral("Uno"));
        enterRow(1, QStringLiteral("costo"), 3, 60);
        enterRow(2, QStringLiteral("qualità"), 6, 40);
        w->cancellare_Click();
        QCOMPARE(ui->ipotesi->text(), QStringLiteral("Uno"));
        QCOMPARE(study().countNamedHypotheses(), 1);
        QCOMPARE(study().hypothesis(1).LastNamedRow, Value::integer(2));
        QCOMPARE(study().row(1, 2).ticked, Value::integer(0));
        QCOMPARE(study().row(1, 2).name, Value::text(QString()));
        QVERIFY(!ui->Check[1]->isChecked());
        QCOMPARE(ui->media->text(), QString());
        QCOMPARE(ui->resto->text(), QStringLiteral("100"));
        QCOMPARE(ui->ponderata->text(), QStringLiteral("0"));

        ui->HScroll1->setValue(2);
        w->controllodati_Click();
        QCOMPARE(scripted->dialogs->messageTexts().last(),
                 QStringLiteral("Ipotesi n. 1: immettere almeno una caratteristica."));
        QCOMPARE(ui->HScroll1->value(), 1);
    }

    void guidedHelp_bothBranches()
    {
        const QString helpTitle = QStringLiteral("Pondra : aiuto in linea");
        w->aiuto_Click();
        QCOMPARE(scripted->dialogs->messages.size(), 1);
        QVERIFY(scripted->dialogs->messages[0].text.startsWith(
            QStringLiteral("- Digitare il nome dell'ipotesi da valutare;\r")));
        QCOMPARE(scripted->dialogs->messages[0].text.count(u'\r'), 4);
        QCOMPARE(scripted->dialogs->messages[0].title, helpTitle);

        // Data on screen that fail the check: only the check's message.
        typeHypothesisName(QStringLiteral("Uno"));
        enterRow(1, QStringLiteral("costo"), 3, 60);
        w->aiuto_Click();
        QCOMPARE(scripted->dialogs->messages.size(), 2);
        QVERIFY(scripted->dialogs->messages[1].text.contains(QStringLiteral("resto zero")));
        // The check failed: its problem is told as one, and no help follows.
        QCOMPARE(scripted->dialogs->messages[1].icon, std::optional<MessageIcon>(MessageIcon::Critical));

        for (int k = 0; k < 40; ++k) {
            ui->scroll[1]->stepUp();
        }
        w->aiuto_Click();
        QCOMPARE(scripted->dialogs->messages.size(), 3);
        QVERIFY(scripted->dialogs->messages[2].text.startsWith(
            QStringLiteral("- Spuntare la caratteristica da valutare")));
        QCOMPARE(scripted->dialogs->messages[2].text.count(u'\r'), 2);
        QCOMPARE(scripted->dialogs->messages[2].title, helpTitle);
        QVERIFY(!scripted->dialogs->messageTexts().contains(passedMessage)); // the check passed silently
    }

    void rowNumbers_changeColourWithTheMouse()
    {
        QTest::mouseMove(ui->numero[3]);
        QCOMPARE(ui->numero[3]->palette().color(QPalette::Window), QColor(255, 0, 0));
        QTest::mouseMove(w->centralWidget(), QPoint(2, 2));
        QCOMPARE(ui->numero[3]->palette().color(QPalette::Window), QColor(255, 255, 0));
    }
};

QTEST_MAIN(TestRequisiti)
#include "tst_requisiti.moc"
