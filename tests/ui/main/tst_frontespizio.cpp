#include "support/isolatedsettings.h"
#include "support/scriptedmodule.h"
#include "support/windowcontrols.h"
#include "ui/main/clickablelabel.h"
#include "ui/main/frontespizio.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

using namespace pondra;

namespace {

TitlePage filled(const QString& text)
{
    TitlePage page;
    for (int i = 0; i < TitlePage::FieldCount; ++i) {
        page.field(i) = text;
    }
    return page;
}

} // namespace

class TestFrontespizio : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_settings;
    std::unique_ptr<testsupport::ScriptedModule> scripted;
    frontespizio* w = nullptr;
    std::optional<testsupport::TitleControls> ui;

    ModuloPondra& module() { return *scripted->module; }
    QList<MessageRequest>& messages() { return scripted->dialogs->messages; }

    // The user's change of the whole title page, field by field.
    void editTitlePage(const TitlePage& page)
    {
        for (int i = 0; i < TitlePage::FieldCount; ++i) {
            module().document().setTitleField(i, page.field(i));
        }
    }
    // What makes the window show the title page as it stands.
    void showFields() { Q_EMIT module().document().titlePageChanged(); }

private Q_SLOTS:
    void initTestCase()
    {
        // The owner labels read the shipped defaults, not whatever this machine's user has set.
        QVERIFY(m_settings.isValid());
        testsupport::keepSettingsIn(m_settings);
    }

    void init()
    {
        scripted = std::make_unique<testsupport::ScriptedModule>();
        w = module().window<frontespizio>();
        ui.emplace(w);
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w));
    }
    void cleanup()
    {
        ui.reset();
        scripted.reset();
    }

    void load_showsOnlyTodayAndTheOwner_checkSaysNothingEntered()
    {
        QCOMPARE(w->windowTitle(), QStringLiteral("Pondra: frontespizio per la relazione"));
        TitlePage expected;
        expected.data = QStringLiteral("7 dicembre 2026");
        QCOMPARE(module().titlePage(), expected);
        QCOMPARE(ui->data->text(), expected.data);
        // No studio is shipped: nobody's name, and the step line says where to set one.
        QCOMPARE(ui->Labelstudio->text(), QString());
        QCOMPARE(ui->labelindirizzo->text(), QString());
        QCOMPARE(w->findChild<QLabel*>(QStringLiteral("passo"))->text(), frontespizio::ownerUnsetStep());

        w->controllodat_Click();
        QCOMPARE(messages().size(), 1);
        QCOMPARE(messages()[0].text, QStringLiteral("Non è stato immesso alcun dato."));
        QCOMPARE(messages()[0].icon, MessageIcon::Question);
        QCOMPARE(messages()[0].title, module().identity().CheckTitle);
        QCOMPARE(module().titlePage(), expected); // the check changes nothing
        QVERIFY(!module().document().isModified());
    }

    void cancella_emptiesTheDateToo_thenEveryFieldIsAskedFor()
    {
        const QString every = QStringLiteral("Inserire dati per ogni campo.");
        editTitlePage(filled(QStringLiteral("x")));
        showFields();
        w->cancella_Click();
        QCOMPARE(module().titlePage(), TitlePage());
        QCOMPARE(ui->data->text(), QString());

        // A lone blank is something entered, not nothing.
        QTest::keyClicks(ui->progetto, QStringLiteral(" "));
        w->controllodat_Click();
        QCOMPARE(messages().last().text, every);

        // Typed into the five fields the first check step looks at, date left empty.
        for (QLineEdit* box : {ui->progetto, ui->localita, ui->tipostudio, ui->committente, ui->allegati}) {
            QTest::keyClicks(box, QStringLiteral("dato"));
        }
        w->controllodat_Click();
        QCOMPARE(messages().last().text, every);
        QCOMPARE(messages().last().icon, MessageIcon::Exclamation);
        QCOMPARE(messages().last().title, module().identity().CheckTitle);

        QTest::keyClicks(ui->luogo, QStringLiteral(" "));
        QTest::keyClicks(ui->data, QStringLiteral("oggi"));
        w->controllodat_Click();
        QCOMPARE(messages().last().text, QStringLiteral("I dati sono stati immessi correttamente."));
        QCOMPARE(messages().last().icon, MessageIcon::Information);
        QCOMPARE(messages().size(), 3);
    }

    void titlePage_shownInTheNamedBoxes_typingIsAnEditOfTheStudy()
    {
        const TitlePage page{QStringLiteral("Scelta caldaia"),
                             QStringLiteral("Via dei Mille 14"),
                             QStringLiteral("analisi"),
                             QStringLiteral("Condominio"),
                             QStringLiteral("Parma"),
                             QStringLiteral("martedì, 1 gen 2030"),
                             QStringLiteral("schede, preventivi")};
        editTitlePage(page);
        showFields();
        const QList<QLineEdit*> boxes{ui->progetto, ui->localita, ui->tipostudio, ui->committente,
                                      ui->luogo,    ui->data,     ui->allegati};
        for (int i = 0; i < TitlePage::FieldCount; ++i) {
            QCOMPARE(boxes[i]->text(), page.field(i));
        }
        // What the user types is what the archive and the report read, and it moves the revision.
        const quint64 before = module().study().revision();
        QTest::keyClicks(ui->committente, QStringLiteral(" Verdi"));
        TitlePage typed = page;
        typed.committente += QStringLiteral(" Verdi");
        QCOMPARE(module().titlePage(), typed);
        QCOMPARE(module().study().revision(), before + 6);
        // Showing it again is no edit.
        showFields();
        QCOMPARE(module().study().revision(), before + 6);
    }

    void ownerLabels_clickSaysTheyCannotBeChanged()
    {
        for (ClickableLabel* label : {ui->Labelstudio, ui->labelindirizzo}) {
            messages().clear();
            const QString shown = label->text();
            QVERIFY(label->toolTip().contains(QStringLiteral("non modificabile")));
            QTest::mouseClick(label, Qt::LeftButton);
            QCOMPARE(messages().size(), 1);
            QVERIFY(messages()[0].text.contains(QStringLiteral("«Dati dello studio»")));
            QCOMPARE(messages()[0].title, module().identity().CheckTitle);
            QCOMPARE(messages()[0].icon, MessageIcon::Critical);
            QCOMPARE(label->text(), shown);
        }
    }

    void aiuto_givesSixLinesOfHelp()
    {
        QTest::mouseClick(ui->aiuto, Qt::LeftButton);
        QCOMPARE(messages().size(), 1);
        QCOMPARE(messages()[0].title, module().identity().HelpTitle);
        QCOMPARE(messages()[0].icon, MessageIcon::Information);
        QStringList lines = messages()[0].text.split(u'\r');
        QCOMPARE(lines.size(), 6);
        QVERIFY(lines.takeAt(2).contains(QStringLiteral("studio tecnico")));
        QCOMPARE(
            lines,
            QStringList(
                {QStringLiteral("- Digitare o correggere i dati spostandosi con il tasto TAB, o con il "
                                "mouse, nei campi;"),
                 QStringLiteral("- la data viene impostata in automatico, ma è modificabile;"),
                 QStringLiteral("- aprire un file archiviato per prelevare, eventualmente, i dati registrati "
                                "(Pondra-dati-...);"),
                 QStringLiteral("- non digitare dati più lunghi di 60 spazi;"),
                 QStringLiteral("- effettuare il controllo dei dati immessi cliccando sul tasto ABC.")}));
    }

    void tabOrder_followsTheScreen()
    {
        const QList<QWidget*> expected{ui->progetto, ui->localita, ui->tipostudio, ui->committente,
                                       ui->luogo,    ui->data,     ui->allegati,   ui->aiuto,
                                       ui->cmdGuida, ui->cmddati,  ui->stampa,     ui->cmdesci};
        QList<QWidget*> chain;
        for (QWidget* next = ui->progetto; chain.size() < expected.size(); next = next->nextInFocusChain()) {
            if (expected.contains(next) && !chain.contains(next)) {
                chain << next;
            }
        }
        QCOMPARE(chain, expected);
    }

    void layout_fieldsAlignedAndTextsFitAboveTheToolbarAllowance()
    {
        w->resize(640, 455); // design size, so positions are the design ones
        const QList<QWidget*> rows{ui->progetto, ui->localita, ui->tipostudio,  ui->committente,   ui->luogo,
                                   ui->data,     ui->allegati, ui->Labelstudio, ui->labelindirizzo};
        for (int i = 1; i < rows.size(); ++i) {
            QCOMPARE(rows[i]->x(), rows[0]->x());
            QCOMPARE(rows[i]->size(), rows[0]->size());
            QVERIFY(rows[i]->y() > rows[i - 1]->geometry().bottom());
        }
        for (QWidget* control : w->centralWidget()->findChildren<QWidget*>()) {
            QVERIFY2(control->sizeHint().width() <= control->width(), control->metaObject()->className());
            QVERIFY(control->mapTo(w->centralWidget(), QPoint(0, control->height())).y() <= 395);
        }
    }

    void closing_keepsTheValues_nextUseShowsThem()
    {
        QTest::keyClicks(ui->progetto, QStringLiteral("Nuova sede"));
        ui->data->clear();
        QTest::keyClicks(ui->data, QStringLiteral("ieri"));
        w->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!module().loadedWindow<frontespizio>());
        scripted->environment->date = QDate(2027, 3, 1);
        frontespizio* again = module().window<frontespizio>();
        QCOMPARE(testsupport::controls(again).progetto->text(), QStringLiteral("Nuova sede"));
        QCOMPARE(testsupport::controls(again).data->text(), QStringLiteral("ieri"));
        QVERIFY(module().document().isModified());
    }
};

QTEST_MAIN(TestFrontespizio)
#include "tst_frontespizio.moc"
