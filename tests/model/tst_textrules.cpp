#include "model/identity.h"
#include "model/judgementscale.h"
#include "model/textrules.h"
#include "model/value.h"
#include "model/vocabulary.h"

#include <QTest>

using namespace pondra;

class TestTextRules : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void generalNumberText_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("fraction") << 0.65 << QStringLiteral("0,65");
        QTest::newRow("whole") << 100.0 << QStringLiteral("100");
        QTest::newRow("negative") << -10.0 << QStringLiteral("-10");
        QTest::newRow("one decimal") << 31.5 << QStringLiteral("31,5");
        QTest::newRow("binary sum shows rounded") << 0.48 + 0.2 << QStringLiteral("0,68");
        QTest::newRow("just below 57 shows 57") << 0.57 * 100 << QStringLiteral("57");
        QTest::newRow("negative zero") << -0.0 << QStringLiteral("0");
        QTest::newRow("small uses exponent") << 0.00001 << QStringLiteral("1E-05");
        QTest::newRow("15 digits") << 123456789012345.0 << QStringLiteral("123456789012345");
    }
    void generalNumberText()
    {
        QFETCH(double, value);
        QFETCH(QString, text);
        QCOMPARE(pondra::generalNumberText(value), text);
    }

    void signBlankText_leadsNonNegativeWithBlank()
    {
        QCOMPARE(pondra::signBlankText(7), QStringLiteral(" 7"));
        QCOMPARE(pondra::signBlankText(0), QStringLiteral(" 0"));
        QCOMPARE(pondra::signBlankText(-3), QStringLiteral("-3"));
    }

    void fixedPatternText_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("text");
        QTest::newRow("three decimals") << 0.75 << QStringLiteral("0.000") << QStringLiteral("0,750");
        QTest::newRow("one decimal") << 72.0 << QStringLiteral("0.0") << QStringLiteral("72,0");
        QTest::newRow("grouped") << 1250.0 << QStringLiteral("##,##0.00") << QStringLiteral("1.250,00");
        QTest::newRow("millions") << 1234567.891 << QStringLiteral("##,##0.00")
                                  << QStringLiteral("1.234.567,89");
        QTest::newRow("small grouped") << 5.0 << QStringLiteral("##,##0.00") << QStringLiteral("5,00");
        QTest::newRow("half away from zero as shown")
            << 2.675 << QStringLiteral("##,##0.00") << QStringLiteral("2,68");
        QTest::newRow("carry into integer") << 9.9996 << QStringLiteral("0.000") << QStringLiteral("10,000");
        QTest::newRow("negative") << -0.315 << QStringLiteral("0.000") << QStringLiteral("-0,315");
        QTest::newRow("negative rounding to zero")
            << -0.0001 << QStringLiteral("0.0") << QStringLiteral("0,0");
        QTest::newRow("zero") << 0.0 << QStringLiteral("0.000") << QStringLiteral("0,000");
    }
    void fixedPatternText()
    {
        QFETCH(double, value);
        QFETCH(QString, pattern);
        QFETCH(QString, text);
        QCOMPARE(pondra::fixedPatternText(value, pattern), text);
    }

    void parseDisplayNumber_readsWhatTheWindowsWrite()
    {
        QCOMPARE(parseDisplayNumber(u"0,9"), std::optional<double>(0.9));
        QCOMPARE(parseDisplayNumber(u" -10 "), std::optional<double>(-10.0));
        QCOMPARE(parseDisplayNumber(u"1E-05"), std::optional<double>(0.00001));
        QCOMPARE(parseDisplayNumber(u"0.9"), std::nullopt); // a point is not our decimal separator
        QCOMPARE(parseDisplayNumber(u""), std::nullopt);
        QCOMPARE(parseDisplayNumber(u"abc"), std::nullopt);
        QCOMPARE(parseDisplayNumber(u"1,5x"), std::nullopt);
    }

    void leadingNumber_takesTheNumericPrefix_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        QTest::newRow("empty") << QString() << 0.0;
        QTest::newRow("whole") << QStringLiteral("25") << 25.0;
        QTest::newRow("point decimal") << QStringLiteral("12.5") << 12.5;
        QTest::newRow("comma stops") << QStringLiteral("12,5") << 12.0;
        QTest::newRow("trailing text") << QStringLiteral(" 30 %") << 30.0;
        QTest::newRow("no digits") << QStringLiteral("abc") << 0.0;
        QTest::newRow("sign") << QStringLiteral("-4") << -4.0;
    }
    void leadingNumber_takesTheNumericPrefix()
    {
        QFETCH(QString, text);
        QFETCH(double, value);
        QCOMPARE(pondra::leadingNumber(text), value);
    }

    void dataFileNumberText_usesPointWithoutLeadingZero()
    {
        QCOMPARE(dataFileNumberText(0.5), QStringLiteral(".5"));
        QCOMPARE(dataFileNumberText(-0.5), QStringLiteral("-.5"));
        QCOMPARE(dataFileNumberText(31.5), QStringLiteral("31.5"));
        QCOMPARE(dataFileNumberText(0.57 * 100), QStringLiteral("57"));
        QCOMPARE(dataFileNumberText(85), QStringLiteral("85"));
    }

    void printableText_escapesWhatDoesNotPrint()
    {
        QCOMPARE(printableText(QStringLiteral("Qualità <a href=x> €")),
                 QStringLiteral("Qualità <a href=x> €"));
        QCOMPARE(printableText(QStringView(u"a\tb\r\n\u0000\u0081", 7)),
                 QStringLiteral("a\\x09b\\x0D\\x0A\\x00\\x81"));
        // Line separators and a right-to-left override, which could disguise a name; an emoji prints.
        QCOMPARE(printableText(QString::fromUtf16(u"x\u2028y\u202Ez\U0001F600")),
                 QString::fromUtf16(u"x\\u2028y\\u202Ez\U0001F600"));
        QCOMPARE(printableText(QString(QChar(0xD800))), QStringLiteral("\\uD800"));
    }

    void italianLongDate_writesDayMonthYear()
    {
        QCOMPARE(italianLongDate(QDate(2026, 12, 8)), QStringLiteral("8 dicembre 2026"));
        QCOMPARE(italianLongDate(QDate(2026, 3, 1)), QStringLiteral("1 marzo 2026"));
        QCOMPARE(italianLongDate(QDate(2027, 9, 30)), QStringLiteral("30 settembre 2027"));
        QCOMPARE(italianLongDate(QDate()), QString());
    }

    void judgementScale_coefficientTextsAreShortest()
    {
        const QStringList expected{QStringLiteral("1"),   QStringLiteral("0,9"), QStringLiteral("0,8"),
                                   QStringLiteral("0,7"), QStringLiteral("0,6"), QStringLiteral("0,5"),
                                   QStringLiteral("0,4"), QStringLiteral("0,3"), QStringLiteral("0,2"),
                                   QStringLiteral("0,1"), QStringLiteral("0")};
        for (int n = 1; n <= JudgementSteps; ++n) {
            QCOMPARE(JudgementScale::coefficientText(n), expected.at(n - 1));
            // The text is the single-precision (11 - n) / 10, read back with the comma.
            QCOMPARE(float(*parseDisplayNumber(expected.at(n - 1))), float(11 - n) / 10.0f);
        }
        QCOMPARE(JudgementScale::adjective(8), QStringLiteral("molto scarso"));
    }

    void vocabularyAndIdentity()
    {
        const QStringList& words = CharacteristicVocabulary();
        QCOMPARE(words.size(), 79);
        QCOMPARE(words.first(), QStringLiteral("accelerazione"));
        QCOMPARE(words.at(72), QStringLiteral("valore affettivo"));
        QCOMPARE(words.last(), QStringLiteral("volontà"));
        const IdentityTexts t = InitGlobals();
        QCOMPARE(t.CheckTitle, QStringLiteral("Pondra : controllo dati immessi nella finestra attiva"));
        QCOMPARE(t.HelpTitle, QStringLiteral("Pondra : aiuto in linea"));
        QCOMPARE(t.ProgramBuild.right(2), QStringLiteral("11"));
    }

    void value_emptyAndArithmeticRules()
    {
        QVERIFY(Value().isEmpty());
        QVERIFY(Value::text(QString()).isEmpty());
        QVERIFY(!Value::integer(0).isEmpty());
        QVERIFY(Value() != Value::text(QString())); // the file keeps them apart
        QCOMPARE(Value().toNumber(), std::optional<double>(0.0));
        QCOMPARE(Value::text(QStringLiteral("0,8")).toNumber(), std::optional<double>(0.8));
        QCOMPARE(Value::text(QStringLiteral("12 kg")).toLeadingNumber(), 12.0);
        QCOMPARE(Value::number(31.5).toDisplayText(), QStringLiteral("31,5"));
        QCOMPARE(Value::integer(3).toDisplayText(), QStringLiteral("3"));
    }
};

QTEST_APPLESS_MAIN(TestTextRules)
#include "tst_textrules.moc"
