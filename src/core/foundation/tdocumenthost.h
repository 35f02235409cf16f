#pragma once

#include <QString>
#include <QStringList>

// Icons and buttons of a modal message, as the windows show them.
enum class TMessageIcon { None, Information, Warning, Exclamation, Error, Question };
enum class TMessageButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class TMessageResult { Ok, Cancel, Yes, No };

// What a core document needs of the window that shows it: the information label, the progress
// gauge, the points where pending user-interface events may run, the hourglass cursor, modal
// messages and the recent-file list. The windows, the batch tool and the tests each implement it;
// every method has a harmless default so that an implementation overrides only what it shows.
class TDocumentHost {
public:
    virtual ~TDocumentHost() = default;

    // The one-line status text of the window's information label, drawn at once.
    virtual void ShowInformation(const QString& text) {}
    // The progress gauge, 0 to 100 percent.
    virtual void ShowProgress(int percent) {}
    // Lets the user interface handle pending events (repaints, a refused close request).
    virtual void ProcessEvents() {}
    // Nested hourglass cursor: each push is matched by one pop.
    virtual void PushBusyCursor() {}
    virtual void PopBusyCursor() {}
    // A modal message box; the default answers as if the user pressed the first button.
    virtual TMessageResult ShowMessage(const QString& text, const QString& caption,
                                       TMessageIcon icon, TMessageButtons buttons);
    // Enters a file in the recent-file list.
    virtual void AddToQuickList(const QString& fileName) {}
    // Empties the document's text: the analysis report does so when it starts to rebuild it.
    virtual void ClearText() {}
    // The NISA node numbers of the bolts, asked for when some bolt has none: one row per bolt
    // with the texts of the "Bolt Number" and "NISA Node Number" columns; the window lets the
    // user edit the node column in place. False when the user cancels; the default cancels.
    virtual bool EditNisaNodeNumbers(const QStringList& boltColumn, QStringList& nodeColumn) {
        return false;
    }
    // A modal input box with a caption, a prompt and a pre-filled text that the answer
    // replaces. False when the user cancels; the default answers OK with the text unchanged.
    virtual bool InputQuery(const QString& caption, const QString& prompt, QString& text) {
        return true;
    }

    // A host that shows nothing, for code that runs without a window.
    static TDocumentHost& Null();
};
