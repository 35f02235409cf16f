#pragma once

#include "shell/tsharedfolders.h"

#include <QDialog>
#include <QString>

class QLabel;
class QMovie;
class TScrollingText;

// The about box: the program's title and release, the maker's logo, and a slowly scrolling
// text. Two optional files from the maker's shared folder (or, failing that, the program's own
// folder) dress it up: "About.gif", an animation played in a loop in the logo's place, and
// "About Blurb.txt", the scrolling text (a built-in text when the file is absent or empty).
class TAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit TAboutBox(const TSharedFolders& folders, QWidget* parent = nullptr);

    static QString Title();
    static QString ReleaseText();
    static QString AnimationFileName();   // "About.gif"
    static QString BlurbFileName();       // "About Blurb.txt"
    // The file of that name in the maker's shared folder, else beside the program; empty when
    // neither has it.
    static QString FindFile(const TSharedFolders& folders, const QString& name);
    // The scrolling text: the blurb file's first 64 KiB as UTF-8 with control characters left
    // out, or BuiltInBlurb() when there is no such file or it holds no text.
    static QString BlurbText(const TSharedFolders& folders);
    static QString BuiltInBlurb();

    // Shows the box under another title, as the spell checker's about box.
    void SetTitle(const QString& title);

    QLabel* Logo = nullptr;
    QLabel* ProductName = nullptr;
    QMovie* Movie = nullptr;   // nullptr when no playable "About.gif" was found
    TScrollingText* Blurb = nullptr;
    QString BlurbShown;
};
