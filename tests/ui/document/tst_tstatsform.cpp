#include "document/tstatsform.h"

#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QTextEdit>
#include <QTimer>

class TstTStatsForm : public QObject {
    Q_OBJECT

private slots:
    // The count starts by itself once the dialog shows; line breaks count as two characters.
    void CountsAfterShowing() {
        QTextEdit edit;
        edit.setLineWrapMode(QTextEdit::NoWrap);
        edit.setPlainText(QStringLiteral("one two\n\nthree"));
        TStatsForm form(&edit);
        form.SetFileName(QStringLiteral("/home/user/notes.txt"));
        QCOMPARE(form.windowTitle(), QStringLiteral("Document Statistics - notes.txt"));
        form.show();
        QTRY_COMPARE(form.Edit4->text(), QStringLiteral("3"));
        QTRY_VERIFY(!form.Counting);
        QCOMPARE(form.Edit1->text(), QStringLiteral("16"));
        QCOMPARE(form.Edit2->text(), QStringLiteral("3"));
        QCOMPARE(form.Edit3->text(), QStringLiteral("2"));
    }

    // A close request during the count is refused until the count notices it; the dialog then
    // closes itself with the counts reached so far.
    void CloseWaitsForTheCount() {
        QTextEdit edit;
        edit.setLineWrapMode(QTextEdit::NoWrap);
        edit.setPlainText(QStringLiteral("word\n").repeated(20000));
        TStatsForm form(&edit);
        QSignalSpy finished(&form, &QDialog::finished);
        bool asked = false;
        bool refused = false;
        // The request arrives through the events the count lets run.
        connect(form.Edit2, &QLineEdit::textChanged, &form, [&] {
            if (!form.Counting || asked)
                return;
            asked = true;
            QTimer::singleShot(0, &form, [&] {
                form.close();
                refused = form.isVisible() && form.Counting;
            });
        });
        form.show();
        QTRY_VERIFY(!form.isVisible());
        QVERIFY(refused);
        QCOMPARE(finished.size(), 1);
        QVERIFY(form.StopRequested);
        QVERIFY(form.Edit2->text().toInt() < 20000);
    }
};

QTEST_MAIN(TstTStatsForm)
#include "tst_tstatsform.moc"
