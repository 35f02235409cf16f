#pragma once

#include "shell/tstandarddialogs.h"

#include <QList>
#include <functional>
#include <QPair>
#include <tuple>
#include <QStringList>

// Dialogs that answer from a script instead of asking: each question is recorded, and the
// answers are taken from the queues (or the fixed answers when a queue is empty). A question
// it does not script is asked with the standard dialog.
class TScriptedDialogs : public TStandardDialogs {
public:
    struct TMessage {
        QString Text;
        QString Caption;
        TMessageIcon Icon;
        TMessageButtons Buttons;
    };

    QList<TMessage> Messages;
    QList<TMessageResult> MessageAnswers;
    TMessageResult DefaultAnswer = TMessageResult::Ok;
    QStringList OpenNames;     // answers of the open dialog; empty string for Cancel
    QStringList SaveNames;     // answers of the save dialog
    QStringList AskedTitles;   // titles of every file dialog asked
    QStringList ProposedNames; // the names the file dialogs proposed
    QStringList OpenTypeFiles;
    TOpenTool OpenTypeAnswer = TOpenTool::Cancelled;
    QList<QColor> ColourAnswers;         // answers of the colour dialog; none left: Cancel
    QList<QColor> ProposedColours;
    QList<QPair<QFont, QColor>> FontAnswers; // answers of the font dialog; none left: Cancel
    QList<QFont> ProposedFonts;
    int PreferencesAsked = 0;
    QList<int> LineAnswers;    // lines chosen in the goto-line dialog; none left or -1: Cancel
    QList<int> LineMaxima;     // the line counts it was asked with
    QList<int> LineProposals;  // the lines it started at
    int StatisticsAsked = 0;
    bool PrintAnswer = true;
    int PrintAsked = 0;
    int Beeps = 0;

    TScriptedDialogs() { TDialogs::Install(this); }
    ~TScriptedDialogs() override { TDialogs::Install(nullptr); }

    TMessageResult Message(QWidget*, const QString& text, const QString& caption, TMessageIcon icon,
                           TMessageButtons buttons) override {
        Messages.append({text, caption, icon, buttons});
        return MessageAnswers.isEmpty() ? DefaultAnswer : MessageAnswers.takeFirst();
    }
    QString OpenFileName(QWidget*, const QString& title, const QString& fileName,
                         const QString&) override {
        AskedTitles.append(title);
        ProposedNames.append(fileName);
        return OpenNames.isEmpty() ? QString() : OpenNames.takeFirst();
    }
    QString SaveFileName(QWidget*, const QString& title, const QString& fileName, const QString&,
                         const QString&) override {
        AskedTitles.append(title);
        ProposedNames.append(fileName);
        return SaveNames.isEmpty() ? QString() : SaveNames.takeFirst();
    }
    bool Print(QWidget*, QPrinter&) override {
        ++PrintAsked;
        return PrintAnswer;
    }
    bool PrinterSetup(QWidget*, QPrinter&) override { return false; }
    TOpenTool OpenType(QWidget*, const QString& fileName) override {
        OpenTypeFiles.append(fileName);
        return OpenTypeAnswer;
    }
    bool ChooseFont(QWidget*, QFont& font, QColor& colour) override {
        ProposedFonts.append(font);
        if (FontAnswers.isEmpty())
            return false;
        std::tie(font, colour) = FontAnswers.takeFirst();
        return true;
    }
    bool ChooseColour(QWidget*, QColor& colour) override {
        ProposedColours.append(colour);
        if (ColourAnswers.isEmpty())
            return false;
        colour = ColourAnswers.takeFirst();
        return true;
    }
    void Preferences(QWidget*, const TEditFile&) override { ++PreferencesAsked; }
    bool InputText(QWidget*, const QString&, const QString&, QString&) override { return false; }
    bool GotoLine(QWidget*, const QString&, int maxLine, int& chosenLine) override {
        LineMaxima.append(maxLine);
        LineProposals.append(chosenLine);
        const int answer = LineAnswers.isEmpty() ? -1 : LineAnswers.takeFirst();
        if (answer < 0)
            return false;
        chosenLine = answer;
        return true;
    }
    void Statistics(QWidget*, QTextEdit*, const QString&) override { ++StatisticsAsked; }
    // The copy and move dialog: the captions it was asked with; BoltCopyAnswer answers (it may
    // change the values and choose the page), and without one the dialog is cancelled.
    QStringList BoltCopyCaptions;
    std::function<bool(const TVector3& example, TCopyMoveValues& values, TCopyMovePage& page)>
        BoltCopyAnswer;
    bool BoltCopy(QWidget*, const QString& caption, bool, const TVector3& example,
                  TCopyMoveValues& values, TCopyMovePage& page) override {
        BoltCopyCaptions.append(caption);
        return BoltCopyAnswer && BoltCopyAnswer(example, values, page);
    }
    void About(QWidget*) override {}
    QStringList AboutTitles;
    void AboutTitled(QWidget*, const QString& title) override { AboutTitles.append(title); }
    // The spell checker's answer for a text; without one the check is aborted.
    std::function<TSpellCorrections(const QString& text)> SpellCheckAnswer;
    QStringList SpellCheckedTexts;
    TSpellCorrections SpellCheck(QWidget*, const QString& text) override {
        SpellCheckedTexts.append(text);
        return SpellCheckAnswer ? SpellCheckAnswer(text) : TSpellCorrections();
    }
    int DictionaryMaintenanceAsked = 0;
    void DictionaryMaintenance(QWidget*) override { ++DictionaryMaintenanceAsked; }
    void Beep() override { ++Beeps; }
};
