#include "ui/core/plaintext.h"
#include "ui/core/seams.h"

#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMessageBox>
#include <QTest>
#include <QTextDocument>
#include <QTimer>
#include <QWindow>

using namespace pondra;

// Texts from a file or from the user reach the screen as they stand: a name holding a link
// shows the tags, it never becomes a link to click.
class TestPlainText : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void messageBox_showsMarkupAsText()
    {
        const QString text =
            QStringLiteral("Il file «<a href=\"file:///etc/passwd\">clicca</a>» non si può aprire.");
        Qt::TextFormat format = Qt::RichText;
        QString shown;
        QTimer::singleShot(0, this, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box);
            const auto* label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
            format = label->textFormat();
            shown = label->text();
            box->accept();
        });
        QtDialogs dialogs;
        dialogs.message(nullptr, {text, QStringLiteral("Pondra"), MessageIcon::Critical});
        QCOMPARE(format, Qt::PlainText);
        QCOMPARE(shown, text);
    }

    void toolTipAndTitle_keepTheTextAsItStands()
    {
        QTextDocument tip;
        tip.setHtml(plainToolTip(QStringLiteral("<b>Programma</b> & co.")));
        QCOMPARE(tip.toPlainText(), QStringLiteral("<b>Programma</b> & co."));
        QCOMPARE(plainToolTip(QString()), QString());

        QMainWindow window;
        window.setWindowTitle(plainWindowTitle(QStringLiteral("Perizia [*]\nseconda riga")));
        window.setWindowModified(true);
        window.winId(); // makes the platform window
        QCOMPARE(window.windowHandle()->title(), QStringLiteral("Perizia [*]\\x0Aseconda riga"));
    }
};

QTEST_MAIN(TestPlainText)
#include "tst_plaintext.moc"
