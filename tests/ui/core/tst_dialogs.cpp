#include "ui/core/seams.h"

#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace pondra;

Q_DECLARE_METATYPE(pondra::MessageAnswer)

// The real dialogs behind the seam do what it promises.
class TestDialogs : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void saveQuestion_threeButtons_escapeCancels_data()
    {
        QTest::addColumn<int>("key"); // 0: a click on the discard button
        QTest::addColumn<MessageAnswer>("answer");
        QTest::newRow("Enter") << int(Qt::Key_Return) << MessageAnswer::Save;
        QTest::newRow("Esc") << int(Qt::Key_Escape) << MessageAnswer::Cancel;
        QTest::newRow("discard") << 0 << MessageAnswer::Discard;
    }
    void saveQuestion_threeButtons_escapeCancels()
    {
        QFETCH(int, key);
        QStringList buttons;
        QTimer::singleShot(0, this, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box);
            for (QAbstractButton* button : box->buttons()) {
                buttons << button->text();
                if (!key && button->text() == QStringLiteral("&Esci senza salvare")) {
                    button->click();
                }
            }
            if (key) {
                QTest::keyClick(box, Qt::Key(key));
            }
        });
        QtDialogs dialogs;
        const MessageAnswer given =
            dialogs.message(nullptr, {QStringLiteral("Salvare?"), QStringLiteral("Pondra: uscita"),
                                      MessageIcon::Question, MessageButtons::SaveDiscardCancel,
                                      MessageAnswer::Save, QStringLiteral("&Esci senza salvare")});
        QFETCH(MessageAnswer, answer);
        QCOMPARE(given, answer);
        QCOMPARE(buttons.size(), 3);
        QVERIFY(buttons.contains(QStringLiteral("&Esci senza salvare")));
        QVERIFY(buttons.contains(QStringLiteral("Annulla")));
    }

    void saveDialog_cursorAfterThePrefix_restSelected_extensionAdded()
    {
        QTemporaryDir dir;
        QString shown;
        int cursor = -1;
        QString selected;
        QTimer::singleShot(200, this, [&] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            QVERIFY(name);
            shown = name->text();
            cursor = name->cursorPosition();
            selected = name->selectedText();
            QMetaObject::invokeMethod(dialog, "accept");
        });
        QtDialogs dialogs;
        QString filter = QStringLiteral("File di dati Pondra (Pondra-dati-* *.txt)");
        const QString path =
            dialogs.saveFileName(nullptr, QStringLiteral("Salva file con nome"), filter, &filter,
                                 dir.filePath(QStringLiteral("Pondra-dati-Sede nuova")), 12);
        QCOMPARE(shown, QStringLiteral("Pondra-dati-Sede nuova"));
        QCOMPARE(cursor, 12);
        QCOMPARE(selected, QStringLiteral("Sede nuova"));
        QCOMPARE(path, dir.filePath(QStringLiteral("Pondra-dati-Sede nuova.txt")));
    }
};

QTEST_MAIN(TestDialogs)
#include "tst_dialogs.moc"
