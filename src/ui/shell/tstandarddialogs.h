#pragma once

#include "tdialogs.h"

// The real dialogs behind TDialogs: Qt's message, input, file, font, colour and printer dialogs,
// and the program's own dialogs, each shown modally (the find dialogs modelessly) over the
// window that asks.
class TStandardDialogs : public TDialogs {
public:
    TMessageResult Message(QWidget* parent, const QString& text, const QString& caption,
                           TMessageIcon icon, TMessageButtons buttons) override;
    bool InputText(QWidget* parent, const QString& caption, const QString& prompt,
                   QString& value) override;
    QString OpenFileName(QWidget* parent, const QString& title, const QString& fileName,
                         const QString& filter) override;
    QString SaveFileName(QWidget* parent, const QString& title, const QString& fileName,
                         const QString& filter, const QString& defaultExtension) override;
    bool ChooseFont(QWidget* parent, QFont& font, QColor& colour) override;
    bool ChooseColour(QWidget* parent, QColor& colour) override;
    bool Print(QWidget* parent, QPrinter& printer) override;
    bool PrinterSetup(QWidget* parent, QPrinter& printer) override;
    TOpenTool OpenType(QWidget* parent, const QString& fileName) override;
    bool ViewingAngle(QWidget* parent, QString& rotX, QString& rotY, QString& rotZ) override;
    bool AnalysisTitles(QWidget* parent, QString& analysisTitle, QString& loadCaseTitle) override;
    bool NisaNodeNumbers(QWidget* parent, const QStringList& boltColumn,
                         QStringList& nodeColumn) override;
    bool BoltCopy(QWidget* parent, const QString& caption, bool move, const TVector3& example,
                  TCopyMoveValues& values, TCopyMovePage& page) override;
    TFindDialog* CreateFindDialog(QWidget* parent, bool replace) override;
    bool GotoLine(QWidget* parent, const QString& fileName, int maxLine, int& chosenLine) override;
    void Statistics(QWidget* parent, QTextEdit* richEdit, const QString& fileName) override;
    bool BoltProperties(QWidget* parent, TBoltEditing::TProperties& values) override;
    void About(QWidget* parent) override;
    void AboutTitled(QWidget* parent, const QString& title) override;
    TSpellCorrections SpellCheck(QWidget* parent, const QString& text) override;
    void DictionaryMaintenance(QWidget* parent) override;
    void Preferences(QWidget* parent, const TEditFile& editFile) override;
    void Beep() override;

    // "Text (*.a)|*.a;*.b|..." as a Qt name filter list "Text (*.a *.b);;...".
    static QString QtFilter(const QString& filter);
};
