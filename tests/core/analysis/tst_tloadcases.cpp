#include "analysis/tloadcases.h"
#include "model/tnumberformat.h"

#include <QLocale>
#include <QRegularExpression>
#include <QTest>

namespace {

// A case as "Title/FX,FY,FZ", followed by "@X,Y,Z" when the table gave its point.
QString Summary(const TLoadCase& c) {
    const TAppliedLoad& l = c.Load;
    QString text = c.Title + QLatin1Char('/') +
                   QStringLiteral("%1,%2,%3").arg(l.FX).arg(l.FY).arg(l.FZ);
    if (c.HasPosition)
        text += QStringLiteral("@%1,%2,%3").arg(l.X).arg(l.Y).arg(l.Z);
    return text;
}

} // namespace

class TstTLoadCases : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        // The table's numbers take a decimal point whatever the user's locale.
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        TNumberFormat::SetDecimalSeparator(QLatin1Char(','));
    }
    void cleanupTestCase() {
        TNumberFormat::SetDecimalSeparator(QChar());
        QLocale::setDefault(QLocale::c());
    }

    void Parse_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("cases");
        QTest::addColumn<QString>("error");

        QTest::newRow("rows") << "A,1,2.5,-3e2\nB,0,0,0\n" << QStringList{"A/1,2.5,-300", "B/0,0,0"}
                              << "";
        QTest::newRow("header and points")
            << "Title,FX,FY,FZ,X,Y,Z\r\nA,1,2,3,4,5,6\r\nB,1,1,1\r\n"
            << QStringList{"A/1,2,3@4,5,6", "B/1,1,1"} << "";
        QTest::newRow("quoted") << "\"Lift, \"\"up\"\"\",1,2,3\n \"B\" , \"1.5\" ,2 , 3 "
                                << QStringList{"Lift, \"up\"/1,2,3", "B/1.5,2,3"} << "";
        QTest::newRow("blank rows, CR ends, control characters")
            << "\rA\tB,1,2,3\r\r,,,\r  \rC,.5,5.,1" << QStringList{"A B/1,2,3", "C/0.5,5,1"} << "";
        QTest::newRow("decimal comma") << "A,\"1,5\",2,3" << QStringList{}
                                       << "Row 1: FX \"1,5\" is not a number";
        QTest::newRow("word after header") << "Title,FX,FY,FZ\nA,1,x,3" << QStringList{}
                                           << "Row 2: FY \"x\" is not a number";
        QTest::newRow("first row partly numbers") << "A,1,x,3\nB,1,2,3" << QStringList{}
                                                  << "Row 1: FY \"x\" is not a number";
        QTest::newRow("empty force") << "A,1,2,3\n\nB,,2,3" << QStringList{}
                                     << "Row 3: FX \"\" is not a number";
        QTest::newRow("infinite") << "A,1,2,inf" << QStringList{} << "Row 1: FZ \"inf\" is not a number";
        QTest::newRow("bad point") << "A,1,2,3,4,y,6" << QStringList{}
                                   << "Row 1: Y \"y\" is not a number";
        QTest::newRow("field count") << "A,1,2,3\nB,1,2,3,4" << QStringList{} << "Row 2: 5 fields";
        QTest::newRow("unclosed quote") << "A,1,2,3\n\"B,1,2,3" << QStringList{}
                                        << "Row 2: a quote is not closed";
        QTest::newRow("text after quote") << "\"A\"x,1,2,3" << QStringList{}
                                          << "Row 1: text follows a closing quote";
        QTest::newRow("empty") << "" << QStringList{} << "No load cases in the table";
        QTest::newRow("header only") << "Title,FX,FY,FZ\n" << QStringList{}
                                     << "No load cases in the table";
    }
    void Parse() {
        QFETCH(QString, text);
        QFETCH(QStringList, cases);
        QFETCH(QString, error);
        TLoadCases table;
        const QStringList lines =
            text.isEmpty() ? QStringList() : text.split(QRegularExpression(QStringLiteral("\r\n|\r|\n")));
        QCOMPARE(table.Parse(lines), error.isEmpty());
        QVERIFY2(error.isEmpty() ? table.Error.isEmpty() : table.Error.startsWith(error),
                 qPrintable(table.Error));
        QStringList summaries;
        for (const TLoadCase& c : std::as_const(table.Cases))
            summaries.append(Summary(c));
        QCOMPARE(summaries, cases);
    }
};

QTEST_GUILESS_MAIN(TstTLoadCases)
#include "tst_tloadcases.moc"
