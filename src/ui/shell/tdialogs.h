#pragma once

#include "foundation/tdocumenthost.h"
#include "spell/tspellcorrections.h"
#include "view/tboltediting.h"
#include "view/tcopymovevalues.h"

#include <QColor>
#include <QFont>
#include <QString>
#include <functional>

class QPrinter;
class QTextEdit;
class QWidget;
class TFindDialog;

// The one way the windows ask the user something modal: message boxes, input boxes and the
// standard file, font, colour and printer dialogs, and the program's own small choice dialogs.
// The windows never create these dialogs themselves; they call Current(), which is the standard
// implementation (TStandardDialogs) unless a test has installed one that answers directly.
class TDialogs {
public:
    virtual ~TDialogs() = default;

    // The answer a "Tool Type" choice gives for a ".dat" file.
    enum class TOpenTool { Cancelled = -1, BoltGroupAnalysis = 0, TextEditor = 1 };

    virtual TMessageResult Message(QWidget* parent, const QString& text, const QString& caption,
                                   TMessageIcon icon, TMessageButtons buttons) = 0;
    // An input box; false when cancelled. The value comes in as the proposal and goes out.
    virtual bool InputText(QWidget* parent, const QString& caption, const QString& prompt,
                           QString& value) = 0;
    // Open and save dialogs. The filter is written "description|patterns|description|...";
    // the file name proposes the folder and name. An empty result means cancelled.
    virtual QString OpenFileName(QWidget* parent, const QString& title, const QString& fileName,
                                 const QString& filter) = 0;
    virtual QString SaveFileName(QWidget* parent, const QString& title, const QString& fileName,
                                 const QString& filter, const QString& defaultExtension) = 0;
    virtual bool ChooseFont(QWidget* parent, QFont& font, QColor& colour) = 0;
    virtual bool ChooseColour(QWidget* parent, QColor& colour) = 0;
    virtual bool Print(QWidget* parent, QPrinter& printer) = 0;
    virtual bool PrinterSetup(QWidget* parent, QPrinter& printer) = 0;
    // Which tool opens a ".dat" file (TOpenTypeForm).
    virtual TOpenTool OpenType(QWidget* parent, const QString& fileName) = 0;
    // The bolt group window's dialogs; false when cancelled. The "Viewing Angle" dialog
    // (TAngleForm) with the texts of its three angle edits, the "Model and Load Case Titles"
    // dialog (TTitlesForm), and the "NISA Node Numbers for Bolts" grid (TBoltNodeForm) whose
    // node column the user edits.
    virtual bool ViewingAngle(QWidget* parent, QString& rotX, QString& rotY, QString& rotZ) = 0;
    virtual bool AnalysisTitles(QWidget* parent, QString& analysisTitle,
                                QString& loadCaseTitle) = 0;
    virtual bool NisaNodeNumbers(QWidget* parent, const QStringList& boltColumn,
                                 QStringList& nodeColumn) = 0;
    // The copy and move dialog (TBoltCopyForm) under a caption, filled from the example bolt's
    // position and the remembered values; move hides the copy counts. On OK the values of the
    // page showing are read back into `values` and `page` names it; false when cancelled.
    virtual bool BoltCopy(QWidget* parent, const QString& caption, bool move,
                          const TVector3& example, TCopyMoveValues& values,
                          TCopyMovePage& page) = 0;
    // The modeless find dialog, or with replace the replace dialog, of a document window,
    // which owns it and shows it.
    virtual TFindDialog* CreateFindDialog(QWidget* parent, bool replace) = 0;
    // The "Goto Line Number" dialog (TLineForm) for a document of maxLine lines, starting at
    // chosenLine; false when cancelled. The chosen line comes out as the user left it.
    virtual bool GotoLine(QWidget* parent, const QString& fileName, int maxLine,
                          int& chosenLine) = 0;
    // The "Document Statistics" dialog (TStatsForm), counting the text area's document.
    virtual void Statistics(QWidget* parent, QTextEdit* richEdit, const QString& fileName) = 0;
    // The "Bolt Properties" dialog (TBoltPropertiesForm) for a bolt, a new bolt or the applied
    // load; false when cancelled.
    virtual bool BoltProperties(QWidget* parent, TBoltEditing::TProperties& values) = 0;
    virtual void About(QWidget* parent) = 0;
    // The about box under another title (the spell checker's).
    virtual void AboutTitled(QWidget* parent, const QString& title) = 0;
    // The spell checker (TSpellCheck) over a text, shown modally: its dictionaries load when it
    // opens (a file that cannot be read throws TPlatformError) and are written back when it
    // closes. The answer says how the check ended and what it corrected.
    virtual TSpellCorrections SpellCheck(QWidget* parent, const QString& text) = 0;
    // The spell checker in its dictionary-only mode, for importing words into the main
    // dictionary and seeing the dictionaries' status; nothing is checked.
    virtual void DictionaryMaintenance(QWidget* parent) = 0;
    // The preferences dialog (TPreferencesForm); it writes the settings itself. Its "Edit"
    // buttons hand the dictionary to be edited to editFile.
    using TEditFile = std::function<void(const QString& fileName)>;
    virtual void Preferences(QWidget* parent, const TEditFile& editFile) = 0;
    virtual void Beep() = 0;

    static TDialogs& Current();
    // Installs the dialogs a test answers with; nullptr brings back the real ones. Not owned.
    static void Install(TDialogs* dialogs);
};
