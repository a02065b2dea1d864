#include "support/scriptedmodule.h"

#include "archive/cp1252.h"
#include "settings/installation.h"
#include "settings/settings.h"
#include "ui/extra/documentwindow.h"
#include "ui/extra/prodotti.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>

using namespace pondra;
using testsupport::ScriptedModule;

namespace {

// Entry k: "Programma k", "argomento k", net 100 * k, internet 90 * k; entry 1 costs 1250 and 99.5.
QString writeList(const QTemporaryDir& dir, int n, const QString& name = QStringLiteral("listino.txt"))
{
    QString text = QStringLiteral("\"2026\",%1\r\n").arg(n);
    for (int k = 1; k <= n; ++k) {
        const QString net = k == 1 ? QStringLiteral("1250") : QString::number(100 * k);
        const QString internet = k == 1 ? QStringLiteral("99.5") : QString::number(90 * k);
        text += QStringLiteral("\"Programma %1\",\"argomento %1 è\",%2,%3\r\n").arg(k).arg(net, internet);
    }
    const QString path = dir.filePath(name);
    QFile file(path);
    if (file.open(QIODevice::WriteOnly)) {
        file.write(cp1252::encode(text).value());
    }
    return path;
}

// The rows as they read now, one "num|name|subject|net|internet" each.
QStringList rows(const prodotti& w)
{
    QStringList out;
    for (int i = 1; i <= prodotti::Rows; ++i) {
        out << QStringList{w.num[i]->text(), w.nom[i]->text(), w.argom[i]->text(), w.eur[i]->text(),
                           w.off[i]->text()}
                   .join(u'|');
    }
    return out;
}

QString row(int k)
{
    if (k == 1) {
        return QStringLiteral("1|Programma 1|argomento 1 è|1250|99,5");
    }
    return QStringLiteral("%1|Programma %1|argomento %1 è|%2|%3").arg(k).arg(100 * k).arg(90 * k);
}

int documentWindows()
{
    int count = 0;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        count += qobject_cast<DocumentWindow*>(w) != nullptr;
    }
    return count;
}

} // namespace

class tst_prodotti : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() { QVERIFY(m_dir.isValid()); }

    void window_showsItsTextsAndHeading();
    void longList_scrollsTenAtATime();
    void shortList_keepsTheBarAndNumbersTheEmptyRows_data();
    void shortList_keepsTheBarAndNumbersTheEmptyRows();
    void unreadableList_opensEmptyAndSaysWhy_data();
    void unreadableList_opensEmptyAndSaysWhy();
    void links_openSiteAndMailThroughTheEnvironment();
    void window_isSingleAndHidingKeepsThePosition();
    void commands_printAndShowContents();

private:
    QTemporaryDir m_dir;
};

void tst_prodotti::window_showsItsTextsAndHeading()
{
    ScriptedModule s;
    prodotti* w = s.module->window<prodotti>();
    w->loadFrom(writeList(m_dir, 12));
    QCOMPARE(w->windowTitle(), QStringLiteral("prodotti software BOREALIS"));
    QCOMPARE(w->Label1->text(), QStringLiteral("VERSIONI PROFESSIONALI PER WINDOWS - LISTINO"));
    QCOMPARE(w->Label10->text(), QStringLiteral("2026"));
    QCOMPARE(w->Label5->toolTip(),
             QStringLiteral("al costo netto bisogna aggiungere l'IVA e le eventuali spese di trasporto"));
    QVERIFY(w->Avviso->isHidden());
    QVERIFY(w->loadError().isEmpty());
    // Prices without fixed decimals, with the decimal comma.
    QCOMPARE(w->eur[1]->text(), QStringLiteral("1250"));
    QCOMPARE(w->off[1]->text(), QStringLiteral("99,5"));
}

void tst_prodotti::longList_scrollsTenAtATime()
{
    ScriptedModule s;
    prodotti* w = s.module->window<prodotti>();
    w->loadFrom(writeList(m_dir, 25));
    QCOMPARE(w->VScroll1->minimum(), 1);
    QCOMPARE(w->VScroll1->maximum(), 16);
    QCOMPARE(w->VScroll1->pageStep(), 10);
    QCOMPARE(w->VScroll1->value(), 1);
    QVERIFY(w->VScroll1->isEnabled());
    QStringList expected;
    for (int k = 1; k <= 10; ++k) {
        expected << row(k);
    }
    QCOMPARE(rows(*w), expected);

    // A page down moves the rows by ten entries.
    w->VScroll1->triggerAction(QAbstractSlider::SliderPageStepAdd);
    QCOMPARE(w->ListTop, 11);
    QCOMPARE(w->num[1]->text(), QStringLiteral("11"));
    QCOMPARE(w->nom[10]->text(), QStringLiteral("Programma 20"));

    // The end of the range shows the last ten, and never a row past the list.
    w->VScroll1->triggerAction(QAbstractSlider::SliderPageStepAdd);
    QCOMPARE(w->VScroll1->value(), 16);
    expected.clear();
    for (int k = 16; k <= 25; ++k) {
        expected << row(k);
    }
    QCOMPARE(rows(*w), expected);

    // Reading another list starts it from its first entry.
    w->loadFrom(writeList(m_dir, 11, QStringLiteral("undici.txt")));
    QCOMPARE(w->VScroll1->maximum(), 2);
    QCOMPARE(w->VScroll1->value(), 1);
    QCOMPARE(w->ListTop, 1);
    QCOMPARE(w->num[1]->text(), QStringLiteral("1"));
}

void tst_prodotti::shortList_keepsTheBarAndNumbersTheEmptyRows_data()
{
    QTest::addColumn<int>("count");
    QTest::newRow("none") << 0;
    QTest::newRow("three") << 3;
    QTest::newRow("nine") << 9;
    QTest::newRow("exactly ten") << 10;
}

void tst_prodotti::shortList_keepsTheBarAndNumbersTheEmptyRows()
{
    QFETCH(int, count);
    ScriptedModule s;
    prodotti* w = s.module->window<prodotti>();
    w->loadFrom(writeList(m_dir, count));
    QCOMPARE(w->VScroll1->minimum(), 1);
    QCOMPARE(w->VScroll1->maximum(), 1);
    QCOMPARE(w->VScroll1->value(), 1);
    // Even when asked to move, a fixed bar shows the same rows.
    w->VScroll1->triggerAction(QAbstractSlider::SliderPageStepAdd);
    QCOMPARE(w->VScroll1->value(), 1);
    QStringList expected;
    for (int k = 1; k <= 10; ++k) {
        expected << (k <= count ? row(k) : QStringLiteral("%1||||").arg(k));
    }
    QCOMPARE(rows(*w), expected);
}

void tst_prodotti::unreadableList_opensEmptyAndSaysWhy_data()
{
    QTest::addColumn<QString>("content");
    QTest::addColumn<QString>("reason");
    QTest::newRow("missing") << QString() << QStringLiteral("non esiste");
    QTest::newRow("more than a hundred")
        << QStringLiteral("\"2026\",101\r\n") << QStringLiteral("riga 1: il numero dei prodotti");
    QTest::newRow("cut short") << QStringLiteral("\"2026\",12\r\n\"A\",\"a\",1,2\r\n")
                               << QStringLiteral("dove si attendeva il nome del prodotto n. 2");
    QTest::newRow("bad price") << QStringLiteral("\"2026\",1\r\n\"A\",\"a\",\"tanto\",2\r\n")
                               << QStringLiteral("riga 2: il costo netto");
}

void tst_prodotti::unreadableList_opensEmptyAndSaysWhy()
{
    QFETCH(QString, content);
    QFETCH(QString, reason);
    ScriptedModule s;
    prodotti* w = s.module->window<prodotti>();
    // A list read before must not linger behind the refused one.
    w->loadFrom(writeList(m_dir, 25));
    w->VScroll1->setValue(7);
    const QString path = m_dir.filePath(
        QStringLiteral("rotto-%1.txt").arg(QString::fromUtf8(QTest::currentDataTag()).replace(u' ', u'-')));
    if (!content.isNull()) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content.toLatin1());
    }
    w->loadFrom(path);
    QVERIFY(w->list().entries.empty());
    QVERIFY2(w->loadError().contains(QDir::toNativeSeparators(path)) && w->loadError().contains(reason),
             qPrintable(w->loadError()));
    QCOMPARE(w->Avviso->text(), w->loadError());
    QVERIFY(!w->Avviso->isHidden());
    QCOMPARE(w->Label10->text(), QStringLiteral("non disponibile"));
    QCOMPARE(w->VScroll1->maximum(), 1);
    QCOMPARE(w->VScroll1->value(), 1);
    QCOMPARE(w->num[10]->text(), QStringLiteral("10"));
    QCOMPARE(w->nom[1]->text(), QString());
    QCOMPARE(w->eur[1]->text(), QString());
    // Nothing was asked of the person: the note is enough.
    QCOMPARE(s.dialogs->messages.size(), 0);

    // A good list afterwards clears the note.
    w->loadFrom(writeList(m_dir, 2, QStringLiteral("due.txt")));
    QVERIFY(w->Avviso->isHidden());
    QCOMPARE(w->Label10->text(), QStringLiteral("2026"));
}

void tst_prodotti::links_openSiteAndMailThroughTheEnvironment()
{
    ScriptedModule s;
    prodotti* w = s.module->window<prodotti>();
    const MakerData maker = makerData(Settings());
    QVERIFY(!maker.CatalogueUrl.isEmpty() && !maker.Email.isEmpty());
    QCOMPARE(w->Command1->text(), QStringLiteral("Sito: ") + maker.WebSite);
    QCOMPARE(w->Command2->text(), QStringLiteral("Email: ") + maker.Email);
    QCOMPARE(w->Command1->toolTip(), QStringLiteral("clicca per accedere al sito"));
    QCOMPARE(w->Command2->toolTip(), QStringLiteral("clicca per inviare un'email"));

    QTest::mouseClick(w->Command1, Qt::LeftButton);
    QTest::mouseClick(w->Command2, Qt::LeftButton);
    QCOMPARE(s.environment->openedUrls.size(), 2);
    QCOMPARE(s.environment->openedUrls.at(0), QUrl(maker.CatalogueUrl));
    QVERIFY(s.environment->openedUrls.at(0).isValid());
    // No blank after the colon, so the mail program gets the bare address.
    QCOMPARE(s.environment->openedUrls.at(1).toString(), QStringLiteral("mailto:") + maker.Email);
    QCOMPARE(s.environment->openedUrls.at(1).scheme(), QStringLiteral("mailto"));
    QCOMPARE(s.environment->openedUrls.at(1).path(), maker.Email);
}

void tst_prodotti::window_isSingleAndHidingKeepsThePosition()
{
    ScriptedModule s;
    prodotti* w = s.module->window<prodotti>();
    QCOMPARE(s.module->window<prodotti>(), w);
    w->loadFrom(writeList(m_dir, 25));
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w));
    w->VScroll1->setValue(9);
    QTest::mouseClick(w->cmdchiudi, Qt::LeftButton);
    QVERIFY(w->isHidden());
    QCOMPARE(s.module->loadedWindow<prodotti>(), w);

    prodotti* again = s.module->window<prodotti>();
    QCOMPARE(again, w);
    again->show();
    QCOMPARE(again->VScroll1->value(), 9);
    QCOMPARE(again->num[1]->text(), QStringLiteral("9"));
    QCOMPARE(again->nom[1]->text(), QStringLiteral("Programma 9"));
    again->hide();
}

void tst_prodotti::commands_printAndShowContents()
{
    ScriptedModule s;
    prodotti* w = s.module->window<prodotti>();
    w->loadFrom(writeList(m_dir, 3));

    // Without a hook the button does nothing, and does not fail.
    QTest::mouseClick(w->cmdSommario, Qt::LeftButton);
    int shown = 0;
    w->showContents = [&] { ++shown; };
    QTest::mouseClick(w->cmdSommario, Qt::LeftButton);
    QCOMPARE(shown, 1);

    const int before = documentWindows();
    QTest::mouseClick(w->cmdstampa, Qt::LeftButton);
    QCOMPARE(documentWindows(), before + 1);
    DocumentWindow* printed = nullptr;
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (auto* d = qobject_cast<DocumentWindow*>(top)) {
            printed = d;
        }
    }
    QVERIFY(printed);
    const QString text = printed->document()->toPlainText();
    QVERIFY(text.contains(QStringLiteral("prodotti software BOREALIS")));
    QVERIFY(text.contains(QStringLiteral("acquistabili dalla pagina ") + makerData(Settings()).PurchaseUrl));
    QVERIFY(text.contains(QStringLiteral("1.250,00")));
    QVERIFY(text.contains(QStringLiteral("Programma 3")));
}

QTEST_MAIN(tst_prodotti)
#include "tst_prodotti.moc"
