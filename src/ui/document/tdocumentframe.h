#pragma once

class QString;
class TBaseForm;

// What a document window asks of the frame that holds it: how many document windows there are
// (a new window is numbered after them), the typing mode the Insert key has set, a file opened in
// the kind of window its type asks for, and the frame drawn again around a long operation.
class TDocumentFrame {
public:
    virtual ~TDocumentFrame() = default;

    virtual int DocumentCount() const = 0;
    // True while the Insert key has been pressed an odd number of times in this run.
    virtual bool InsertKeyToggled() const = 0;
    // The window that opened the file; nullptr when none did.
    virtual TBaseForm* OpenFileByType(const QString& fileName) = 0;
    // Draws the frame at once, or at the event loop's next chance.
    virtual void RepaintFrame() = 0;
    virtual void UpdateFrame() = 0;
};
