#include "reports/documentexport.h"
#include "reports/textdocumentbuilder.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace pondra;

class TestArchivalPdf : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void pdf_isPdfA1b_withTitleAuthorAndAgreeingDates()
    {
        TextDocumentBuilder b;
        b.setDocumentInfo(QStringLiteral("Stima «villa» & rustico"), QStringLiteral("Studio Rossi"));
        b.setFontName(QStringLiteral("Century Gothic"));
        b.typeText(QStringLiteral("RELAZIONE DI STIMA\rè à ù"));
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("relazione.pdf"));
        QString error;
        QVERIFY2(exportDocument(*b.document(), path, &error), qPrintable(error));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray pdf = file.readAll();

        QVERIFY(pdf.startsWith("%PDF-1.4"));
        QVERIFY(pdf.contains("<pdfaid:part>1</pdfaid:part>"));
        QVERIFY(pdf.contains("<pdfaid:conformance>B</pdfaid:conformance>"));
        QVERIFY(pdf.contains("/S/GTS_PDFA1"));
        QVERIFY(pdf.contains("/FontFile2"));
        QVERIFY(pdf.contains(
            QStringLiteral("<rdf:li xml:lang=\"x-default\">Stima «villa» &amp; rustico</rdf:li>").toUtf8()));
        QVERIFY(pdf.contains("<dc:creator><rdf:Seq><rdf:li>Studio Rossi</rdf:li></rdf:Seq></dc:creator>"));

        // The metadata's date is the one the PDF's own information states.
        const QRegularExpression info(
            QStringLiteral("/CreationDate \\(D:(\\d{4})(\\d\\d)(\\d\\d)(\\d\\d)(\\d\\d)(\\d\\d)"));
        const QRegularExpressionMatch m = info.match(QString::fromLatin1(pdf));
        QVERIFY(m.hasMatch());
        const QString date = QStringLiteral("<xmp:CreateDate>%1-%2-%3T%4:%5:%6")
                                 .arg(m.captured(1), m.captured(2), m.captured(3), m.captured(4),
                                      m.captured(5), m.captured(6));
        QVERIFY(pdf.contains(date.toLatin1()));
    }
};

QTEST_MAIN(TestArchivalPdf)
#include "tst_archivalpdf.moc"
