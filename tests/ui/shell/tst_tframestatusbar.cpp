#include "document/tbaseform.h"
#include "shell/tframestatusbar.h"

#include <QDate>
#include <QLabel>
#include <QLocale>
#include <QTest>
#include <QTextEdit>
#include <QTime>

class TstTFrameStatusBar : public QObject {
    Q_OBJECT

private slots:
    void LockKeyTexts_data() {
        QTest::addColumn<bool>("caps");
        QTest::addColumn<bool>("num");
        QTest::addColumn<bool>("scroll");
        QTest::addColumn<QString>("text");
        QTest::newRow("none") << false << false << false << QStringLiteral(" ");
        QTest::newRow("caps and scroll")
            << true << false << true << QStringLiteral(" CAPS  SCROLL");
        QTest::newRow("all") << true << true << true << QStringLiteral(" CAPS  NUM  SCROLL");
        QTest::newRow("num") << false << true << false << QStringLiteral(" NUM  ");
    }
    void LockKeyTexts() {
        QFETCH(bool, caps);
        QFETCH(bool, num);
        QFETCH(bool, scroll);
        QFETCH(QString, text);
        QCOMPARE(TFrameStatusBar::LockKeysText(caps, num, scroll), text);
    }

    void TimeAndDateTexts() {
        QLocale::setDefault(QLocale::c());
        QCOMPARE(TFrameStatusBar::TimeText(QTime(13, 5)).trimmed().left(4), QStringLiteral("1:05"));
        QVERIFY(TFrameStatusBar::TimeText(QTime(9, 30)).startsWith(QStringLiteral(" 9:30 ")));
        QVERIFY(TFrameStatusBar::DateText(QDate(2026, 3, 2)).endsWith(QStringLiteral(" 2026.")));
    }

    // A mouse click on a panel, or on the bar between two panels, types the text of the panel
    // to its left.
    void ClickTypesThePanelText_data() {
        QTest::addColumn<int>("panel"); // -1: the bar beyond the last panel
        QTest::addColumn<QString>("typed");
        QTest::newRow("caret panel") << 0 << "No Document ";
        QTest::newRow("date panel") << 3 << "Thursday ";
        QTest::newRow("bar between panels 3 and 4") << -1 << "Thursday ";
    }
    void ClickTypesThePanelText() {
        QFETCH(int, panel);
        QFETCH(QString, typed);
        TBaseForm form(nullptr);
        QWidget window;
        TFrameStatusBar bar(&window);
        bar.setGeometry(0, 0, 1200, 24);
        bar.ActiveDocument = [&form] { return &form; };
        window.show();
        bar.Panels[3]->setText(QStringLiteral(" Thursday"));
        if (panel >= 0)
            QTest::mouseClick(bar.Panels[panel], Qt::LeftButton, {}, QPoint(3, 3));
        else {
            const QPoint gap(bar.Panels[4]->geometry().left() - 1,
                             bar.Panels[4]->geometry().center().y());
            QVERIFY(!bar.childAt(gap));
            QTest::mouseClick(&bar, Qt::LeftButton, {}, gap);
        }
        QCOMPARE(form.RichEdit1->toPlainText(), typed);
    }
};

QTEST_MAIN(TstTFrameStatusBar)
#include "tst_tframestatusbar.moc"
