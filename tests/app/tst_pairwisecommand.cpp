#include "app/headlesscommands.h"

#include <QTest>
#include <QTextStream>

using namespace pondra;

class TestPairwiseCommand : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void matrix_printsWeightsAndConsistency_data()
    {
        QTest::addColumn<QString>("matrix");
        QTest::addColumn<QString>("printed");
        const QString saaty = QStringLiteral("1\t64,8\t65\n2\t23,0\t23\n3\t12,2\t12\n"
                                             "lambda\t3,004\nCI\t0,002\nCR\t0,003\n");
        QTest::newRow("fractions") << QStringLiteral("1 3 5; 1/3 1 2; 1/5 1/2 1") << saaty;
        QTest::newRow("blanks, tabs and no blank after ;")
            << QStringLiteral("  1\t3  5;1/3 1 2 ;\t1/5 1/2 1 ") << saaty;
        const QString twoToOne = QStringLiteral("1\t33,3\t33\n2\t66,7\t67\n"
                                                "lambda\t2,000\nCI\t0,000\nCR\t0,000\n");
        QTest::newRow("decimal comma") << QStringLiteral("1 0,5; 2 1") << twoToOne;
        QTest::newRow("decimal point") << QStringLiteral("1 .5; 2,0 1") << twoToOne;
        QTest::newRow("fraction of whole numbers") << QStringLiteral("1 2/4; 4/2 1") << twoToOne;
        QTest::newRow("ends of the scale")
            << QStringLiteral("1 9; 1/9 1")
            << QStringLiteral("1\t90,0\t90\n2\t10,0\t10\nlambda\t2,000\nCI\t0,000\nCR\t0,000\n");
        QTest::newRow("equal thirds, the extra percent to the first row")
            << QStringLiteral("1 1 1; 1 1 1; 1 1 1")
            << QStringLiteral("1\t33,3\t34\n2\t33,3\t33\n3\t33,3\t33\nlambda\t3,000\nCI\t0,000\nCR\t0,000\n");
        // Circulant: lambda is a row's sum, 1 + 9 + 1/9.
        QTest::newRow("inconsistent circle")
            << QStringLiteral("1 9 1/9; 1/9 1 9; 9 1/9 1")
            << QStringLiteral(
                   "1\t33,3\t34\n2\t33,3\t33\n3\t33,3\t33\nlambda\t10,111\nCI\t3,556\nCR\t6,130\n");
    }

    void matrix_printsWeightsAndConsistency()
    {
        QFETCH(QString, matrix);
        QFETCH(QString, printed);
        QString out;
        QString err;
        QTextStream outStream(&out);
        QTextStream errStream(&err);
        QCOMPARE(runPairwiseCommand(matrix, outStream, errStream), int(ExitPassed));
        QCOMPARE(out, printed);
        QCOMPARE(err, QString());
    }

    void badMatrix_saysWhy_exit2_data()
    {
        QTest::addColumn<QString>("matrix");
        QTest::addColumn<QString>("reason");
        QTest::newRow("row short") << QStringLiteral("1 2; 1/2") << QStringLiteral("non è quadrata");
        QTest::newRow("more columns than rows")
            << QStringLiteral("1 2 3; 1/2 1 4") << QStringLiteral("non è quadrata");
        QTest::newRow("not reciprocal") << QStringLiteral("1 2; 1/3 1") << QStringLiteral("non è reciproca");
        QTest::newRow("rounded reciprocal")
            << QStringLiteral("1 3; 0,333 1") << QStringLiteral("non è reciproca");
        QTest::newRow("diagonal") << QStringLiteral("1 2; 1/2 2") << QStringLiteral("diagonale");
        QTest::newRow("over 9") << QStringLiteral("1 10; 1/10 1") << QStringLiteral("fuori dalla scala");
        QTest::newRow("zero") << QStringLiteral("1 0; 0 1") << QStringLiteral("fuori dalla scala");
        QTest::newRow("one row") << QStringLiteral("1") << QStringLiteral("da 2 a 15");
        QString sixteen;
        for (int i = 0; i < 16; ++i) {
            sixteen += QStringLiteral("1 ").repeated(16) + u';';
        }
        sixteen.chop(1);
        QTest::newRow("sixteen rows") << sixteen << QStringLiteral("da 2 a 15");
        QTest::newRow("word") << QStringLiteral("1 a; 1 1") << QStringLiteral("«a» non è un numero");
        QTest::newRow("sign") << QStringLiteral("1 -2; -1/2 1") << QStringLiteral("non è un numero");
        QTest::newRow("exponent") << QStringLiteral("1 1e0; 1 1") << QStringLiteral("non è un numero");
        QTest::newRow("over zero") << QStringLiteral("1 1/0; 0 1") << QStringLiteral("non è un numero");
        QTest::newRow("two commas") << QStringLiteral("1 2,5,1; 1 1") << QStringLiteral("non è un numero");
        QTest::newRow("nothing") << QString() << QStringLiteral("vuota");
        QTest::newRow("semicolon after the last row")
            << QStringLiteral("1 2; 1/2 1;") << QStringLiteral("vuota");
    }

    void badMatrix_saysWhy_exit2()
    {
        QFETCH(QString, matrix);
        QFETCH(QString, reason);
        QString out;
        QString err;
        QTextStream outStream(&out);
        QTextStream errStream(&err);
        QCOMPARE(runPairwiseCommand(matrix, outStream, errStream), int(ExitUnreadable));
        QCOMPARE(out, QString());
        QVERIFY2(err.contains(reason), qPrintable(err));
    }
};

QTEST_GUILESS_MAIN(TestPairwiseCommand)
#include "tst_pairwisecommand.moc"
