#include "model/tnumberformat.h"

#include <QTest>
#include <cmath>

class TstTNumberFormat : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { TNumberFormat::SetDecimalSeparator(QChar()); }

    void FixedPoint_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("12.5") << 12.5 << "12.5000";
        QTest::newRow("-3") << -3.0 << "-3.0000";
        QTest::newRow("zero") << 0.0 << "0.0000";
        QTest::newRow("rounds half up at 4 decimals") << 1.23456 << "1.2346";
        QTest::newRow("tiny negative has no sign") << -0.00001 << "0.0000";
        QTest::newRow("10 significant digits limit the decimals") << 1234567.891234 << "1234567.8910";
        QTest::newRow("10 digits before the point") << 1234567890.4 << "1234567890.0000";
        QTest::newRow("more than 10 digits: exponent form") << 12345678901.0 << "1.23456789E10";
        QTest::newRow("large negative") << -98765.43216 << "-98765.4322";
    }
    void FixedPoint() {
        QFETCH(double, value);
        QFETCH(QString, text);
        QCOMPARE(TNumberFormat::FormatFixedPoint(value), text);
    }

    void General_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("1") << 1.0 << "1";
        QTest::newRow("0.25") << 0.25 << "0.25";
        QTest::newRow("zero") << 0.0 << "0";
        QTest::newRow("negative") << -1000.0 << "-1000";
        QTest::newRow("1E-6") << 1e-6 << "1E-6";
        QTest::newRow("0.00001 is plain") << 0.00001 << "0.00001";
        QTest::newRow("just below 0.00001") << 0.0000099 << "9.9E-6";
        QTest::newRow("1.5E20") << 1.5e20 << "1.5E20";
        QTest::newRow("15 digits before the point") << 123456789012345.0 << "123456789012345";
        QTest::newRow("16 digits") << 1234567890123456.0 << "1.23456789012346E15";
        QTest::newRow("15 significant digits") << 0.1 + 0.2 << "0.3";
        QTest::newRow("one third") << 1.0 / 3.0 << "0.333333333333333";
        QTest::newRow("stiffness") << 2.5e6 << "2500000";
        QTest::newRow("negative exponent form") << -2.5e-7 << "-2.5E-7";
    }
    void General() {
        QFETCH(double, value);
        QFETCH(QString, text);
        QCOMPARE(TNumberFormat::FormatGeneral(value), text);
    }

    // Numbers shown follow the locale; the files' numbers keep their full stop.
    void LocaleSeparator() {
        TNumberFormat::SetDecimalSeparator(QLatin1Char(','));
        QCOMPARE(TNumberFormat::FormatGeneral(0.25), QStringLiteral("0,25"));
        QCOMPARE(TNumberFormat::ParseReal(u"0,25", 9), 0.25);
        QCOMPARE(TNumberFormat::ParseReal(u"0.25", 9), 9.0);
        QCOMPARE(TNumberFormat::FormatFixedPoint(12.5), QStringLiteral("12.5000"));
        QCOMPARE(TNumberFormat::FormatFileGeneral(0.25), QStringLiteral("0.25"));
        QCOMPARE(TNumberFormat::ParseFileReal(u"0.25", 9), 0.25);
        QCOMPARE(TNumberFormat::ParseFileReal(u"0,25", 9), 9.0);
    }

    void ParseReal_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        QTest::newRow("plain") << "12.5" << 12.5;
        QTest::newRow("blanks around") << "  -3 " << -3.0;
        QTest::newRow("plus sign") << "+4" << 4.0;
        QTest::newRow("exponent") << "1.5E20" << 1.5e20;
        QTest::newRow("small exponent") << "1e-6" << 1e-6;
        QTest::newRow("leading point") << ".5" << 0.5;
        QTest::newRow("letters") << "a" << -1.0;
        QTest::newRow("trailing junk") << "1.5x" << -1.0;
        QTest::newRow("empty") << "" << -1.0;
        QTest::newRow("inf") << "inf" << -1.0;
        QTest::newRow("nan") << "nan" << -1.0;
        QTest::newRow("hex") << "0x10" << -1.0;
        QTest::newRow("overflow") << "1e400" << -1.0;
        QTest::newRow("two signs") << "--1" << -1.0;
        QTest::newRow("exponent only") << "e5" << -1.0;
        QTest::newRow("unicode digit") << QString::fromUtf8("١") << -1.0;
    }
    void ParseReal() {
        QFETCH(QString, text);
        QFETCH(double, value);
        QCOMPARE(TNumberFormat::ParseReal(text, -1.0), value);
    }

    void ParseInteger_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("value");
        QTest::newRow("plain") << "259" << 259;
        QTest::newRow("negative") << "-12" << -12;
        QTest::newRow("blanks") << " 7 " << 7;
        QTest::newRow("largest") << "2147483647" << 2147483647;
        QTest::newRow("beyond 32 bits") << "2147483648" << -99;
        QTest::newRow("smallest") << "-2147483648" << int(-2147483648LL);
        QTest::newRow("real") << "1.5" << -99;
        QTest::newRow("empty") << "" << -99;
        QTest::newRow("huge") << "99999999999999999999999" << -99;
        QTest::newRow("2^64 + 4 does not wrap to 4") << "18446744073709551620" << -99;
        QTest::newRow("-(2^64 + 4)") << "-18446744073709551620" << -99;
    }
    void ParseInteger() {
        QFETCH(QString, text);
        QFETCH(int, value);
        QCOMPARE(TNumberFormat::ParseInteger(text, -99), value);
    }

    // Every value written in the general form reads back exactly.
    void GeneralRoundTrip() {
        for (double v : {0.1, 1.0 / 7.0, 123.456e-9, 6.02214076e23, -987654.321, 2.2250738585072014e-308})
            QCOMPARE(TNumberFormat::ParseReal(TNumberFormat::FormatGeneral(v, 17), NAN), v);
    }
};

QTEST_APPLESS_MAIN(TstTNumberFormat)
#include "tst_tnumberformat.moc"
