#include "model/titlepage.h"

#include <QTest>

using namespace pondra;

class TestTitlePage : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void check_data()
    {
        QTest::addColumn<QStringList>("fields");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("icon");
        const QString x = QStringLiteral("x");
        QTest::newRow("only the date")
            << QStringList{{}, {}, {}, {}, {}, QStringLiteral("7 dicembre 2026"), {}}
            << QStringLiteral("Non è stato immesso alcun dato.") << int(MessageIcon::Question);
        QTest::newRow("only luogo counts as nothing")
            << QStringList{{}, {}, {}, {}, x, {}, {}} << QStringLiteral("Non è stato immesso alcun dato.")
            << int(MessageIcon::Question);
        QTest::newRow("all seven") << QStringList{x, x, x, x, x, x, x}
                                   << QStringLiteral("I dati sono stati immessi correttamente.")
                                   << int(MessageIcon::Information);
        QTest::newRow("blanks are data")
            << QStringList{x, x, x, x, x, QStringLiteral(" "), x}
            << QStringLiteral("I dati sono stati immessi correttamente.") << int(MessageIcon::Information);
        QTest::newRow("date cleared")
            << QStringList{x, x, x, x, x, {}, x} << QStringLiteral("Inserire dati per ogni campo.")
            << int(MessageIcon::Exclamation);
        QTest::newRow("luogo missing")
            << QStringList{x, x, x, x, {}, x, x} << QStringLiteral("Inserire dati per ogni campo.")
            << int(MessageIcon::Exclamation);
    }
    void check()
    {
        QFETCH(QStringList, fields);
        TitlePage page;
        for (int i = 0; i < TitlePage::FieldCount; ++i) {
            page.field(i) = fields.at(i);
        }
        const Message m = CheckTitlePage(page);
        QTEST(m.text, "text");
        QTEST(int(m.icon), "icon");
    }

    void fieldsInFileOrder()
    {
        TitlePage page;
        page.field(0) = QStringLiteral("perizia");
        page.field(4) = QStringLiteral("Roma");
        page.field(6) = QStringLiteral("foto");
        QCOMPARE(page.progetto, QStringLiteral("perizia"));
        QCOMPARE(page.luogo, QStringLiteral("Roma"));
        QCOMPARE(page.allegati, QStringLiteral("foto"));
    }
};

QTEST_APPLESS_MAIN(TestTitlePage)
#include "tst_titlepage.moc"
