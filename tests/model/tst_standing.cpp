#include "model/standing.h"

#include <QTest>

using namespace pondra;

Q_DECLARE_METATYPE(pondra::Value)
Q_DECLARE_METATYPE(pondra::Standing)

class TestStanding : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void standingOf_data()
    {
        QTest::addColumn<Value>("evaluation");
        QTest::addColumn<Standing>("standing");
        // Only the whole part counts, at the half-way mark and at the bottom.
        QTest::newRow("51") << Value::number(51) << Standing::Positive;
        QTest::newRow("50") << Value::number(50) << Standing::Neither;
        QTest::newRow("50,9") << Value::number(50.9) << Standing::Neither;
        QTest::newRow("49,9") << Value::number(49.9) << Standing::Negative;
        QTest::newRow("1") << Value::number(1) << Standing::Negative;
        QTest::newRow("0,5") << Value::number(0.5) << Standing::Neither;
        QTest::newRow("0") << Value::number(0) << Standing::Neither;
        // What is shown decides, not the binary value behind it.
        QTest::newRow("shows 57") << Value::number(0.57 * 100) << Standing::Positive;
        QTest::newRow("shows 51") << Value::number(50.99999999999999) << Standing::Positive;
        QTest::newRow("shows 1") << Value::number(0.9999999999999999) << Standing::Negative;
        QTest::newRow("nothing") << Value() << Standing::Neither;
        QTest::newRow("empty text") << Value::text(QString()) << Standing::Neither;
        QTest::newRow("whole number kind") << Value::integer(51) << Standing::Positive;
        QTest::newRow("text with comma") << Value::text(QStringLiteral("49,9")) << Standing::Negative;
        QTest::newRow("text without number") << Value::text(QStringLiteral("buono")) << Standing::Neither;
        QTest::newRow("negative") << Value::number(-10) << Standing::Neither;
    }
    void standingOf()
    {
        QFETCH(Value, evaluation);
        QFETCH(Standing, standing);
        QCOMPARE(pondra::standingOf(evaluation), standing);
    }
};

QTEST_APPLESS_MAIN(TestStanding)
#include "tst_standing.moc"
