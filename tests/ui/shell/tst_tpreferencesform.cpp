#include "document/tbaseform.h"
#include "shell/tframearea.h"
#include "shell/thelpviewer.h"
#include "shell/tmainform.h"
#include "shell/tpreferencesform.h"
#include "shell/tsettings.h"
#include "tscripteddialogs.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <QToolBar>

class TstTPreferencesForm : public QObject {
    Q_OBJECT

    QTemporaryDir Home;
    QString Ini;
    TScriptedDialogs* Dialogs = nullptr;

    QByteArray IniBytes() const {
        QFile file(Ini);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    void WriteIni(const QByteArray& bytes) const {
        QFile file(Ini);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

private slots:
    void init() {
        Ini = QDir(Home.path()).filePath(QStringLiteral("fastenex.ini"));
        QFile::remove(Ini);
        QDir(Ini).removeRecursively();
        TSettings::SetLocation(Ini);
        Dialogs = new TScriptedDialogs;
    }
    void cleanup() {
        delete Dialogs;
        TSettings::SetLocation(QString());
    }

    void FreshSettingsShowTheDefaults() {
        TPreferencesForm form;
        QCOMPARE(form.windowTitle(), QStringLiteral("Quorvane Fastenex Preferences"));
        QCOMPARE(form.PageControl1->count(), 7);
        QCOMPARE(form.PageControl1->tabText(0), QStringLiteral("Logo && Colours"));
        const TPreferences p = form.ControlPreferences();
        QVERIFY(p.Copyright && p.Logo);
        QCOMPARE(p.TopColour, 0xFF0000);
        QCOMPARE(p.BottomColour, 0);
        QCOMPARE(p.QuickListLength, 4);
        QCOMPARE(p.FontStyle, QStringLiteral("Courier New"));
        QCOMPARE(p.FontSize, QStringLiteral("8"));
        QCOMPARE(p.ToolBar, (std::array<bool, 6>{true, true, true, true, true, true}));
        QVERIFY(!form.ClearQuickList->isEnabled());
        // Help shows the topic of the tab in front.
        for (int i = 0; i < form.PageControl1->count(); ++i)
            QCOMPARE(THelpViewer::ContextOf(form.PageControl1->widget(i)), 750 + i);
    }

    // How the dialog closes decides whether anything is written.
    void OnlyOkWrites_data() {
        QTest::addColumn<QString>("close");
        QTest::addColumn<bool>("written");
        QTest::newRow("OK") << QStringLiteral("OK") << true;
        QTest::newRow("Cancel") << QStringLiteral("Cancel") << false;
        QTest::newRow("Escape") << QStringLiteral("Escape") << false;
    }
    void OnlyOkWrites() {
        QFETCH(QString, close);
        QFETCH(bool, written);
        TPreferencesForm form;
        form.Logo->setChecked(false);
        form.QuickListUpDown->setValue(2);
        form.Toolbar[2]->setChecked(false);
        form.FontSize->setEditText(QStringLiteral("14"));
        form.show();
        // The swatch opens the colour dialog with its own colour.
        Dialogs->ColourAnswers = {QColor(0x11, 0x22, 0x33)};
        QTest::mouseClick(form.TopColour, Qt::LeftButton);
        QCOMPARE(Dialogs->ProposedColours, QList<QColor>{QColor(Qt::blue)});
        if (close == QLatin1String("OK"))
            QTest::mouseClick(form.OKButton, Qt::LeftButton);
        else if (close == QLatin1String("Cancel"))
            QTest::mouseClick(form.CancelButton, Qt::LeftButton);
        else
            QTest::keyClick(&form, Qt::Key_Escape);
        QVERIFY(!form.isVisible());
        const TPreferences p = TSettings().Preferences();
        QCOMPARE(p.Logo, !written);
        QCOMPARE(p.QuickListLength, written ? 2 : 4);
        QCOMPARE(p.ToolBar[2], !written);
        QCOMPARE(p.FontSize, written ? QStringLiteral("14") : QStringLiteral("8"));
        QCOMPARE(p.TopColour, written ? 0x332211 : 0xFF0000);
        QCOMPARE(IniBytes().isEmpty(), !written);
    }

    void UnwritableSettingsKeepTheDialogOpen() {
        TPreferencesForm form;
        form.show();
        form.Logo->setChecked(false);
        // A folder where the settings file should be: no write can replace it.
        QVERIFY(QDir().mkpath(Ini));
        QTest::mouseClick(form.OKButton, Qt::LeftButton);
        QCOMPARE(Dialogs->Messages.size(), 1);
        QCOMPARE(Dialogs->Messages.first().Caption, QStringLiteral("Error"));
        QVERIFY(form.isVisible());
        QVERIFY(!form.Logo->isChecked());
        QVERIFY(QFileInfo(Ini).isDir());
    }

    void ClearQuickListStaysWhenCancelled() {
        WriteIni("[Preferences]\r\nLogo=0\r\n[FileList]\r\nFileCount=1\r\nFile1Caption=A.rtf\r\n"
                 "File1FileName=/x/A.rtf\r\n[Size]\r\nLeft=5\r\n[Messaging]\r\nMessageCount=2\r\n");
        TPreferencesForm form;
        QVERIFY(form.ClearQuickList->isEnabled());
        QTest::mouseClick(form.ClearQuickList, Qt::LeftButton);
        QVERIFY(!form.ClearQuickList->isEnabled());
        form.reject();
        const TIniText text = TSettings().Ini().Read();
        QVERIFY(!text.SectionExists(QStringLiteral("FileList")));
        QVERIFY(!text.SectionExists(QStringLiteral("Size")));
        QVERIFY(text.SectionExists(QStringLiteral("Preferences")));
        QVERIFY(text.SectionExists(QStringLiteral("Messaging")));
    }

    void ResetErasesOnlyThePreferences() {
        WriteIni("[Preferences]\r\nLogo=0\r\nToolBar1=0\r\n[FileList]\r\nFileCount=0\r\n"
                 "[Size]\r\nLeft=5\r\n[Messaging]\r\nMessageCount=2\r\n");
        TPreferencesForm form;
        form.show();
        form.PageControl1->setCurrentIndex(6);
        // The faces while the mouse is held on the button and on the picture.
        QTest::mousePress(form.Image1, Qt::LeftButton);
        QCOMPARE(form.ShownFace, TPreferencesForm::TFace::FaceTongue);
        QTest::mouseRelease(form.Image1, Qt::LeftButton);
        QCOMPARE(form.ShownFace, TPreferencesForm::TFace::Face);
        QTest::mousePress(form.Reset, Qt::LeftButton);
        QCOMPARE(form.ShownFace, TPreferencesForm::TFace::FaceOh);
        form.Logo->setChecked(true);
        QTest::mouseRelease(form.Reset, Qt::LeftButton);
        QVERIFY(!form.isVisible());
        QCOMPARE(form.result(), int(QDialog::Rejected));
        const TIniText text = TSettings().Ini().Read();
        QVERIFY(!text.SectionExists(QStringLiteral("Preferences")));
        for (const char* section : {"FileList", "Size", "Messaging"})
            QVERIFY2(text.SectionExists(QLatin1String(section)), section);
    }

    void ChangeFontTakesTheDialogsChoice() {
        TPreferencesForm form;
        form.FontSize->setEditText(QStringLiteral("big"));
        form.Bold->setChecked(true);
        // The font an alias stands for, given back unchanged, leaves the alias in the list.
        QFont same(QFontInfo(QFont(QStringLiteral("Courier New"))).family());
        same.setPointSize(8);
        QFont other(QStringLiteral("Liberation Serif"));
        other.setPointSize(20);
        other.setItalic(true);
        Dialogs->FontAnswers = {{same, QColor(Qt::black)}, {other, QColor(Qt::red)}};
        form.ChangeFontClick();
        QCOMPARE(Dialogs->ProposedFonts.first().pointSize(), 8);
        QVERIFY(Dialogs->ProposedFonts.first().bold());
        QCOMPARE(form.FontStyle->currentText(), QStringLiteral("Courier New"));
        form.ChangeFontClick();
        QCOMPARE(form.FontStyle->currentText(), QStringLiteral("Liberation Serif"));
        QCOMPARE(form.FontSize->currentText(), QStringLiteral("20"));
        QVERIFY(!form.Bold->isChecked());
        QVERIFY(form.Itallics->isChecked());
        QCOMPARE(form.ControlPreferences().FontColour, 0x0000FF);
    }

    void BrowseAndEditTheDictionaries() {
        TMainForm frame;
        const QString dictionary = QDir(Home.path()).filePath(QStringLiteral("words.dic"));
        {
            QFile file(dictionary);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("alpha\r\nbeta\r\n");
        }
        TPreferencesForm form(&frame);
        connect(&form, &TPreferencesForm::EditFile, &frame, &TMainForm::EditTextFile);
        form.Custom->setText(QStringLiteral("old.dic"));
        Dialogs->OpenNames = {dictionary};
        form.BrowseButton2->click();
        QCOMPARE(Dialogs->AskedTitles, QStringList{QStringLiteral("Find Custom Dictionary")});
        QCOMPARE(Dialogs->ProposedNames, QStringList{QStringLiteral("old.dic")});
        QCOMPARE(form.Custom->text(), dictionary);
        // Edit opens the named file in a text editor and closes the dialog as Cancel would.
        form.show();
        form.EditButton2->click();
        QVERIFY(!form.isVisible());
        QCOMPARE(frame.DocumentCount(), 1);
        QCOMPARE(frame.ActiveDocument()->FileName, dictionary);
        QCOMPARE(frame.ActiveDocument()->RichEdit1->toPlainText(), QStringLiteral("alpha\nbeta\n"));
        QVERIFY(!TSettings().Ini().SectionExists(QStringLiteral("Preferences")));
    }

    void AddWordsOpensTheDictionaryOnlySpellChecker() {
        TPreferencesForm form;
        form.AddButton->click();
        QCOMPARE(Dialogs->DictionaryMaintenanceAsked, 1);
        QTRY_VERIFY(!QApplication::overrideCursor());
    }

    void FrameReadsThePreferencesAfterTheDialog() {
        TMainForm frame;
        QCOMPARE(frame.ClientArea->ShowLogo, true);
        WriteIni("[Preferences]\r\nLogo=0\r\nQuickListLength=2\r\nToolBar2=0\r\nToolBar6=0\r\n");
        frame.Preferences1->trigger();
        QCOMPARE(Dialogs->PreferencesAsked, 1);
        QCOMPARE(frame.ClientArea->ShowLogo, false);
        QCOMPARE(frame.QuickListLength, 2);
        QVERIFY(frame.ToolBar2->isHidden());
        QVERIFY(frame.ToolBar6->isHidden());
        QVERIFY(!frame.ToolBar1->isHidden());
    }
};

QTEST_MAIN(TstTPreferencesForm)
#include "tst_tpreferencesform.moc"
