#include "archive/fontfile.h"
#include "archive/pricelist.h"
#include "archive/regularfile.h"
#include "archive/tipsfile.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

using namespace pondra;
using namespace Qt::StringLiterals;

// The files the user keeps for the program are read only when they are regular files within their
// limits; anything else is refused at once, saying why.
class TestKeptFiles : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void readers_refuseWhatIsPastTheirLimits_data()
    {
        QTest::addColumn<QString>("reader");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("refusal");
        QTest::newRow("tips, a FIFO") << u"tips"_s << QByteArray() << u"non è un file ordinario."_s;
        QTest::newRow("tips, a line too long")
            << u"tips"_s << "uno\n" + QByteArray(4001, 'x') << u"la riga 2 supera i 4.000 caratteri."_s;
        QTest::newRow("tips, too large") << u"tips"_s << QByteArray(2 << 20, '\n') << u"supera 1 MB."_s;
        QTest::newRow("tips, within") << u"tips"_s << "uno\n" + QByteArray(4000, 'x') << QString();
        QTest::newRow("price list, a line too long")
            << u"pricelist"_s << "\"" + QByteArray(5000, 'x') + "\",0\r\n"
            << u"riga 1 supera"_s;
        QTest::newRow("font, not one") << u"font"_s << QByteArray("testo qualsiasi") << u"TrueType"_s;
        QTest::newRow("font, the shipped one") << u"font"_s << QByteArray() << QString();
    }
    void readers_refuseWhatIsPastTheirLimits()
    {
        QFETCH(QString, reader);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, refusal);
        QTemporaryDir dir;
        QString path = dir.filePath(u"file"_s);
        if (bytes.isEmpty() && reader == u"tips"_s) {
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        } else if (bytes.isEmpty()) {
            path = QStringLiteral(PONDRA_RESOURCES "/fonts/URWGothic-Book.ttf");
        } else {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
        }
        QString error;
        bool read = false;
        if (reader == u"tips"_s) {
            QStringList tips;
            read = loadTips(path, tips, &error);
        } else if (reader == u"pricelist"_s) {
            PriceList list;
            read = loadPriceList(path, list, &error);
        } else {
            QByteArray data;
            read = readRegularFile(path, MaxFontFileBytes, &data, &error) && isFontFile(data, &error);
        }
        QCOMPARE(read, refusal.isEmpty());
        QVERIFY2(error.contains(refusal), qPrintable(error));
    }
};

QTEST_GUILESS_MAIN(TestKeptFiles)
#include "tst_keptfiles.moc"
