#pragma once

#include <QString>

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

    // A host that shows nothing, for code that runs without a window.
    static TDocumentHost& Null();
};
