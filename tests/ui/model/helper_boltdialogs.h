#pragma once

#include "tscripteddialogs.h"

#include <QList>
#include <QStringList>
#include <functional>

// The scripted dialogs with the bolt group window's own dialogs: each question is recorded and
// answered from its queue; an empty queue answers Cancel.
class TBoltScriptedDialogs : public TScriptedDialogs {
public:
    struct TAngleAnswer {
        QString RotX, RotY, RotZ;
    };
    struct TTitlesAnswer {
        QString AnalysisTitle, LoadCaseTitle;
    };
    struct TInputAnswer {
        bool Accept;
        QString Text;
    };

    // Viewing Angle: the texts the edits opened with, and the texts typed.
    QList<QStringList> AngleProposals;
    QList<TAngleAnswer> AngleAnswers;
    // Titles: the titles the dialog opened with.
    QList<QStringList> TitleProposals;
    QList<TTitlesAnswer> TitleAnswers;
    // Node numbers: the columns shown each round; an answer edits the node column.
    QList<QStringList> NodeBoltColumns;
    QList<QStringList> NodeNodeColumns;
    QList<std::function<void(QStringList&)>> NodeAnswers;
    // Input boxes: caption, prompt and proposed text of each question.
    QStringList InputQuestions;
    QList<TInputAnswer> InputAnswers;

    // Bolt properties: the texts each dialog opened with; an answer edits them in place.
    QList<TBoltEditing::TProperties> PropertiesShown;
    QList<std::function<void(TBoltEditing::TProperties&)>> PropertiesAnswers;

    bool BoltProperties(QWidget*, TBoltEditing::TProperties& values) override {
        PropertiesShown.append(values);
        if (PropertiesAnswers.isEmpty())
            return false;
        PropertiesAnswers.takeFirst()(values);
        return true;
    }
    bool ViewingAngle(QWidget*, QString& rotX, QString& rotY, QString& rotZ) override {
        AngleProposals.append({rotX, rotY, rotZ});
        if (AngleAnswers.isEmpty())
            return false;
        const TAngleAnswer a = AngleAnswers.takeFirst();
        rotX = a.RotX;
        rotY = a.RotY;
        rotZ = a.RotZ;
        return true;
    }
    bool AnalysisTitles(QWidget*, QString& analysisTitle, QString& loadCaseTitle) override {
        TitleProposals.append({analysisTitle, loadCaseTitle});
        if (TitleAnswers.isEmpty())
            return false;
        const TTitlesAnswer a = TitleAnswers.takeFirst();
        analysisTitle = a.AnalysisTitle;
        loadCaseTitle = a.LoadCaseTitle;
        return true;
    }
    bool NisaNodeNumbers(QWidget*, const QStringList& boltColumn, QStringList& nodeColumn) override {
        NodeBoltColumns.append(boltColumn);
        NodeNodeColumns.append(nodeColumn);
        if (NodeAnswers.isEmpty())
            return false;
        NodeAnswers.takeFirst()(nodeColumn);
        return true;
    }
    bool InputText(QWidget*, const QString& caption, const QString& prompt,
                   QString& value) override {
        InputQuestions.append(caption + QLatin1Char('|') + prompt + QLatin1Char('|') + value);
        if (InputAnswers.isEmpty())
            return false;
        const TInputAnswer a = InputAnswers.takeFirst();
        if (a.Accept)
            value = a.Text;
        return a.Accept;
    }
};
