#pragma once

#include "foundation/tdocumenthost.h"
#include "view/tboltediting.h"
#include "spell/tspellcorrections.h"
#include "view/tcopymovevalues.h"

#include <QColor>
#include <QFont>
#include <QString>

class QPrinter;
class QTextEdit;
class QWidget;
class TFindDialog;

// The one way the windows ask the user something modal: message boxes, input boxes and the
// standard file, font, colour and printer dialogs, and the program's own small choice dialogs.
// The windows never create these dialogs themselves; they call Current(), which is the real
// implementation unless a test has installed one that answers directly.
class TDialogs {
public:
    virtual ~TDialogs() = default;

    // The answer a "Tool Type" choice gives for a ".dat" file.
    enum class TOpenTool { Cancelled = -1, BoltGroupAnalysis = 0, TextEditor = 1 };

    virtual TMessageResult Message(QWidget* parent, const QString& text, const QString& caption,
                                   TMessageIcon icon, TMessageButtons buttons);
    // An input box; false when cancelled. The value comes in as the proposal and goes out.
    virtual bool InputText(QWidget* parent, const QString& caption, const QString& prompt,
                           QString& value);
    // Open and save dialogs. The filter is written "description|patterns|description|...";
    // the file name proposes the folder and name. An empty result means cancelled.
    virtual QString OpenFileName(QWidget* parent, const QString& title, const QString& fileName,
                                 const QString& filter);
    virtual QString SaveFileName(QWidget* parent, const QString& title, const QString& fileName,
                                 const QString& filter, const QString& defaultExtension);
    virtual bool ChooseFont(QWidget* parent, QFont& font, QColor& colour);
    virtual bool ChooseColour(QWidget* parent, QColor& colour);
    virtual bool Print(QWidget* parent, QPrinter& printer);
    virtual bool PrinterSetup(QWidget* parent, QPrinter& printer);
    // Which tool opens a ".dat" file (TOpenTypeForm).
    virtual TOpenTool OpenType(QWidget* parent, const QString& fileName);
    // The bolt group window's dialogs; false when cancelled. The "Viewing Angle" dialog
    // (TAngleForm) with the texts of its three angle edits, the "Model and Load Case Titles"
    // dialog (TTitlesForm), and the "NISA Node Numbers for Bolts" grid (TBoltNodeForm) whose
    // node column the user edits.
    virtual bool ViewingAngle(QWidget* parent, QString& rotX, QString& rotY, QString& rotZ);
    virtual bool AnalysisTitles(QWidget* parent, QString& analysisTitle, QString& loadCaseTitle);
    virtual bool NisaNodeNumbers(QWidget* parent, const QStringList& boltColumn,
                                 QStringList& nodeColumn);
    // The copy and move dialog (TBoltCopyForm) under a caption, filled from the example bolt's
    // position and the remembered values; move hides the copy counts. On OK the values of the
    // page showing are read back into `values` and `page` names it; false when cancelled.
    virtual bool BoltCopy(QWidget* parent, const QString& caption, bool move,
                          const TVector3& example, TCopyMoveValues& values, TCopyMovePage& page);
    // The modeless find dialog, or with replace the replace dialog, of a document window,
    // which owns it and shows it.
    virtual TFindDialog* CreateFindDialog(QWidget* parent, bool replace);
    // The "Goto Line Number" dialog (TLineForm) for a document of maxLine lines, starting at
    // chosenLine; false when cancelled. The chosen line comes out as the user left it.
    virtual bool GotoLine(QWidget* parent, const QString& fileName, int maxLine, int& chosenLine);
    // The "Document Statistics" dialog (TStatsForm), counting the text area's document.
    virtual void Statistics(QWidget* parent, QTextEdit* richEdit, const QString& fileName);
    // The "Bolt Properties" dialog (TBoltPropertiesForm) for a bolt, a new bolt or the applied
    // load; false when cancelled.
    virtual bool BoltProperties(QWidget* parent, TBoltEditing::TProperties& values);
    virtual void About(QWidget* parent);
    // The about box under another title (the spell checker's).
    virtual void AboutTitled(QWidget* parent, const QString& title);
    // The spell checker (TSpellCheck) over a text, shown modally: its dictionaries load when it
    // opens (a file that cannot be read throws TPlatformError) and are written back when it
    // closes. The answer says how the check ended and what it corrected.
    virtual TSpellCorrections SpellCheck(QWidget* parent, const QString& text);
    // The spell checker in its dictionary-only mode, for importing words into the main
    // dictionary and seeing the dictionaries' status; nothing is checked.
    virtual void DictionaryMaintenance(QWidget* parent);
    // The preferences dialog (TPreferencesForm); it writes the settings itself.
    virtual void Preferences(QWidget* parent);
    virtual void Beep();

    static TDialogs& Current();
    // Installs the dialogs a test answers with; nullptr brings back the real ones. Not owned.
    static void Install(TDialogs* dialogs);

    // "Text (*.a)|*.a;*.b|..." as a Qt name filter list "Text (*.a *.b);;...".
    static QString QtFilter(const QString& filter);
};
