#include "settings/translations.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QPushButton>
#include <QTest>

using namespace pondra;

class TestTranslations : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void qtDialogs_speakItalian()
    {
        QVERIFY2(installItalianTranslations(*qApp),
                 "Qt's Italian translations (qt6-translations-l10n) are missing");
        QDialogButtonBox buttons(QDialogButtonBox::Cancel | QDialogButtonBox::Yes);
        QCOMPARE(buttons.button(QDialogButtonBox::Cancel)->text().remove(u'&'), QStringLiteral("Annulla"));
        QCOMPARE(buttons.button(QDialogButtonBox::Yes)->text().remove(u'&'), QStringLiteral("Sì"));
        // Qt's own file dialog, as the archive commands show it.
        QFileDialog dialog;
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        QCOMPARE(dialog.labelText(QFileDialog::Reject).remove(u'&'), QStringLiteral("Annulla"));
        QCOMPARE(QLocale().decimalPoint(), QStringLiteral(","));
    }
};

QTEST_MAIN(TestTranslations)
#include "tst_translations.moc"
