#include "model/tnumberformat.h"

#include <QTest>
#include <cmath>
#include <cstdio>
#include <random>

// The fixed-width number and text fields of the analysis report (TNumberFormat::FormatFixed and
// PadLeft), which the NISA fragment shares.
class TstReportNumberFormat : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { TNumberFormat::SetDecimalSeparator(QChar()); }

    void FormatFixed_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("decimals");
        QTest::addColumn<QString>("text");
        QTest::newRow("zero at the load field") << 0.0 << 10 << 3 << "     0.000";
        QTest::newRow("zero at the position field") << 0.0 << 12 << 3 << "       0.000";
        QTest::newRow("negative zero has no sign") << -0.0 << 8 << 4 << "  0.0000";
        QTest::newRow("quarter") << 0.25 << 18 << 4 << "            0.2500";
        QTest::newRow("negative") << -2.5 << 18 << 4 << "           -2.5000";
        QTest::newRow("exact tie rounds away from zero") << 0.8125 << 0 << 3 << "0.813";
        QTest::newRow("negative tie away from zero") << -0.8125 << 0 << 3 << "-0.813";
        QTest::newRow("below the tie") << 0.81249 << 0 << 3 << "0.812";
        QTest::newRow("rounds to zero, no sign") << -0.00004 << 0 << 4 << "0.0000";
        QTest::newRow("rounds up to the last decimal") << 0.00005 << 0 << 4 << "0.0001";
        QTest::newRow("carry through nines") << 9.99996 << 0 << 4 << "10.0000";
        QTest::newRow("10 significant digits, rest zeros") << 123456.123456789 << 0 << 6
                                                             << "123456.123500";
        QTest::newRow("10 digits before the point") << 1234567890.4 << 0 << 3 << "1234567890.000";
        QTest::newRow("11 digits: exponent form") << 12345678901.0 << 0 << 3 << "1.23456789E10";
        QTest::newRow("carry to 11 digits: exponent form") << 9999999999.6 << 0 << 3 << "1E10";
        QTest::newRow("negative exponent form") << -2.5e15 << 12 << 3 << "     -2.5E15";
        QTest::newRow("longer than the width is kept") << 123456789.0 << 5 << 3 << "123456789.000";
        QTest::newRow("no decimals") << 2.5 << 3 << 0 << "  3";
        QTest::newRow("tiny positive") << 1e-300 << 0 << 4 << "0.0000";
        QTest::newRow("no thousands separators") << 1234567.0 << 0 << 1 << "1234567.0";
    }
    void FormatFixed() {
        QFETCH(double, value);
        QFETCH(int, width);
        QFETCH(int, decimals);
        QFETCH(QString, text);
        QCOMPARE(TNumberFormat::FormatFixed(value, width, decimals), text);
    }

    // Away from ties the rounding is that of the exact binary value, as the C library's.
    void FormatFixedAgreesWithExactRounding() {
        std::mt19937_64 rng(3);
        for (int i = 0; i < 200000; ++i) {
            const int decimals = int(rng() % 7);
            const int digits = 1 + int(rng() % (10 - decimals));
            const double magnitude = std::pow(10.0, digits - 1 - int(rng() % 3));
            double value = std::ldexp(double(rng() >> 11), -53) * magnitude;
            if (rng() % 2)
                value = -value;
            char expected[64];
            std::snprintf(expected, sizeof expected, "%.*f", decimals, value);
            QString text = QString::fromLatin1(expected);
            if (text.startsWith(QLatin1Char('-')) && text.count(QLatin1Char('0')) == text.size() - 1 - (decimals > 0))
                text.remove(0, 1); // no sign on a value that rounds to zero
            QCOMPARE(TNumberFormat::FormatFixed(value, 0, decimals), text);
        }
    }

    // When the decimals reach beyond the 10th significant digit, the value is rounded to 10
    // significant digits and the remaining decimals are zeros; rounding may carry into a new
    // leading digit.
    void FormatFixedKeepsTenSignificantDigits() {
        std::mt19937_64 rng(11);
        for (int i = 0; i < 100000; ++i) {
            const int before = 1 + int(rng() % 9); // digits before the separator
            const int decimals = 11 - before + int(rng() % 4);
            double value = (1 + std::ldexp(double(rng() >> 11), -53) * 9) *
                           std::pow(10.0, before - 1);
            if (rng() % 2)
                value = -value;
            char scientific[64];
            std::snprintf(scientific, sizeof scientific, "%.9e", std::fabs(value));
            const QString mantissa = QString::fromLatin1(scientific, 11).remove(1, 1);
            const int exponent = QString::fromLatin1(scientific + 12).toInt();
            QString text = mantissa.left(exponent + 1) + QLatin1Char('.') +
                           mantissa.mid(exponent + 1);
            text = text.leftJustified(exponent + 2 + decimals, QLatin1Char('0'));
            if (value < 0)
                text.prepend(QLatin1Char('-'));
            QCOMPARE(TNumberFormat::FormatFixed(value, 0, decimals), text);
        }
    }

    void FormatFixedUsesTheDecimalSeparator() {
        TNumberFormat::SetDecimalSeparator(QLatin1Char(','));
        QCOMPARE(TNumberFormat::FormatFixed(-1.5, 8, 3), QStringLiteral("  -1,500"));
        QCOMPARE(TNumberFormat::FormatFixed(2.5e15, 0, 3), QStringLiteral("2,5E15"));
        QString line = QStringLiteral("X = 1.");
        TNumberFormat::AppendFixed(line, 2.25, 6, 2);
        QCOMPARE(line, QStringLiteral("X = 1.  2,25")); // only the number is localised
    }

    void NonFiniteValuesAreNeverShownAsNumbers() {
        QVERIFY(!TNumberFormat::FormatFixed(qInf(), 0, 3).contains(QLatin1Char('.')));
        QVERIFY(!TNumberFormat::FormatFixed(qQNaN(), 0, 3).contains(QLatin1Char('.')));
    }

    void PadLeft_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("width");
        QTest::addColumn<QString>("padded");
        QTest::newRow("bolt label") << "1x" << 5 << "   1x";
        QTest::newRow("exact width") << "12345" << 5 << "12345";
        QTest::newRow("longer is not shortened") << "123456" << 4 << "123456";
        QTest::newRow("empty") << "" << 3 << "   ";
    }
    void PadLeft() {
        QFETCH(QString, text);
        QFETCH(int, width);
        QFETCH(QString, padded);
        QCOMPARE(TNumberFormat::PadLeft(text, width), padded);
    }
};

QTEST_APPLESS_MAIN(TstReportNumberFormat)
#include "tst_reportnumberformat.moc"
