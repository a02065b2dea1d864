#include "support/scriptedmodule.h"
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

    ModuloPondra& module() { return *scripted->module; }
    QList<MessageRequest>& messages() { return scripted->dialogs->messages; }

private Q_SLOTS:
    void initTestCase()
    {
        // The owner labels read the shipped defaults, not whatever this machine's user has set.
        QVERIFY(m_settings.isValid());
        for (auto format : {QSettings::NativeFormat, QSettings::IniFormat}) {
            QSettings::setPath(format, QSettings::UserScope, m_settings.filePath(QStringLiteral("user")));
            QSettings::setPath(format, QSettings::SystemScope, m_settings.filePath(QStringLiteral("system")));
        }
    }

    void init()
    {
        scripted = std::make_unique<testsupport::ScriptedModule>();
        w = module().window<frontespizio>();
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w));
    }
    void cleanup() { scripted.reset(); }

    void load_showsOnlyTodayAndTheOwner_checkSaysNothingEntered()
    {
        QCOMPARE(w->windowTitle(), QStringLiteral("Pondra: frontespizio per la relazione"));
        TitlePage expected;
        expected.data = QStringLiteral("lunedì, 7 dic 2026");
        QCOMPARE(module().titlePage(), expected);
        QCOMPARE(w->data->text(), expected.data);
        QCOMPARE(w->Labelstudio->text(),
                 QStringLiteral("Studio tecnico associato ing. Bassi e arch. Ferretti"));
        QCOMPARE(w->labelindirizzo->text(), QStringLiteral("Corso Garibaldi, 58 - 43121 Parma (PR)"));

        w->controllodat_Click();
        QCOMPARE(messages().size(), 1);
        QCOMPARE(messages()[0].text, QStringLiteral("Non è stato immesso alcun dato."));
        QCOMPARE(messages()[0].icon, MessageIcon::Question);
        QCOMPARE(messages()[0].title, module().identity().CheckTitle);
        QCOMPARE(module().titlePage(), expected); // the check changes nothing
        QVERIFY(!module().isModified());
    }

    void cancella_emptiesTheDateToo_thenEveryFieldIsAskedFor()
    {
        const QString every = QStringLiteral("Inserire dati per ogni campo.");
        module().editTitlePage(filled(QStringLiteral("x")));
        w->ShowFields();
        w->cancella_Click();
        QCOMPARE(module().titlePage(), TitlePage());
        QCOMPARE(w->data->text(), QString());

        // A lone blank is something entered, not nothing.
        QTest::keyClicks(w->progetto, QStringLiteral(" "));
        w->controllodat_Click();
        QCOMPARE(messages().last().text, every);

        // Typed into the five fields the first check step looks at, date left empty.
        for (QLineEdit* box : {w->progetto, w->localita, w->tipostudio, w->committente, w->allegati}) {
            QTest::keyClicks(box, QStringLiteral("dato"));
        }
        w->controllodat_Click();
        QCOMPARE(messages().last().text, every);
        QCOMPARE(messages().last().icon, MessageIcon::Exclamation);
        QCOMPARE(messages().last().title, module().identity().CheckTitle);

        QTest::keyClicks(w->luogo, QStringLiteral(" "));
        QTest::keyClicks(w->data, QStringLiteral("oggi"));
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
        module().editTitlePage(page);
        w->ShowFields();
        const QList<QLineEdit*> boxes{w->progetto, w->localita, w->tipostudio, w->committente,
                                      w->luogo,    w->data,     w->allegati};
        for (int i = 0; i < TitlePage::FieldCount; ++i) {
            QCOMPARE(boxes[i]->text(), page.field(i));
        }
        // What the user types is what the archive and the report read, and it moves the revision.
        const quint64 before = module().study().revision();
        QTest::keyClicks(w->committente, QStringLiteral(" Verdi"));
        TitlePage typed = page;
        typed.committente += QStringLiteral(" Verdi");
        QCOMPARE(module().titlePage(), typed);
        QCOMPARE(module().study().revision(), before + 6);
        // Showing it again is no edit.
        w->ShowFields();
        QCOMPARE(module().study().revision(), before + 6);
    }

    void ownerLabels_clickSaysTheyCannotBeChanged()
    {
        for (ClickableLabel* label : {w->Labelstudio, w->labelindirizzo}) {
            messages().clear();
            const QString shown = label->text();
            QVERIFY(label->toolTip().contains(QStringLiteral("non modificabile")));
            QTest::mouseClick(label, Qt::LeftButton);
            QCOMPARE(messages().size(), 1);
            QCOMPARE(messages()[0].text, QStringLiteral("Attenzione: dato non modificabile, rivolgersi a "
                                                        "Software Borealis, produttrice del programma."));
            QCOMPARE(messages()[0].title, module().identity().CheckTitle);
            QCOMPARE(messages()[0].icon, MessageIcon::Critical);
            QCOMPARE(label->text(), shown);
        }
    }

    void aiuto_givesSixLinesOfHelp()
    {
        QTest::mouseClick(w->aiuto, Qt::LeftButton);
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
        const QList<QWidget*> expected{w->progetto, w->localita, w->tipostudio, w->committente,
                                       w->luogo,    w->data,     w->allegati,   w->aiuto,
                                       w->cmdGuida, w->cmddati,  w->stampa,     w->cmdesci};
        QList<QWidget*> chain;
        for (QWidget* next = w->progetto; chain.size() < expected.size(); next = next->nextInFocusChain()) {
            if (expected.contains(next) && !chain.contains(next)) {
                chain << next;
            }
        }
        QCOMPARE(chain, expected);
    }

    void layout_fieldsAlignedAndTextsFitAboveTheToolbarAllowance()
    {
        w->resize(640, 455); // design size, so positions are the design ones
        const QList<QWidget*> rows{w->progetto, w->localita, w->tipostudio,  w->committente,   w->luogo,
                                   w->data,     w->allegati, w->Labelstudio, w->labelindirizzo};
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
        QTest::keyClicks(w->progetto, QStringLiteral("Nuova sede"));
        w->data->clear();
        QTest::keyClicks(w->data, QStringLiteral("ieri"));
        w->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!module().loadedWindow<frontespizio>());
        scripted->environment->date = QDate(2027, 3, 1);
        frontespizio* again = module().window<frontespizio>();
        QCOMPARE(again->progetto->text(), QStringLiteral("Nuova sede"));
        QCOMPARE(again->data->text(), QStringLiteral("ieri"));
        QVERIFY(module().isModified());
    }
};

QTEST_MAIN(TestFrontespizio)
#include "tst_frontespizio.moc"
