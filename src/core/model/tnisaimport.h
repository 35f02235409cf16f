#pragma once

#include "tnisarigidlink.h"

#include <QString>
#include <QStringList>
#include <string_view>

class TBoltGroupModel;
class TLineBuffers;

// Takes a bolt group from a NISA input file: the first rigid link card after the model title
// gives the bolts (its dependent nodes) and the point of the load (its independent node), the
// node card their co-ordinates, the concentrated-force card the load, and the title and load case
// title cards the two titles. Only those five cards are examined; the rest of the file is not
// checked. One import object serves one import: its rigid-link table and the data lines it fills
// in the line buffers live only as long as the import. It does not analyse what it read.
class TNisaImport {
public:
    TNisaImport(TBoltGroupModel& model, TLineBuffers& buffers);

    // Reads the file into the freshly reset model and recomputes LoadApplied. False when the file
    // has no rigid link, no node card, or no node line for the link's independent node, after
    // telling the user; the model then stays empty. A file that cannot be read throws
    // TPlatformError.
    bool ImportNisaFile(const QString& fileName);

    // The longest piece of a line kept as one data line; the rest of a longer line follows as
    // further data lines.
    static constexpr int MaxPieceLength = 510;
    // Most nodes a rigid link may name (as many as a data file may hold bolts); a larger link is
    // refused rather than exhausting memory. Tests may lower it.
    static inline qsizetype MaxLinkNodes = 10'000'000;
    // Every this many pieces the importer tells how far it has read and lets events run.
    static constexpr int ReadingReportInterval = 1000;

private:
    void ReadLines(const QString& fileName);
    void AddPiece(std::string_view piece);
    int FindCard(int from, QLatin1StringView keyword);
    bool AtCardEnd(int index) const;
    void ReadTitle();
    bool ReadRigidLink();
    void ReadRigidLinkPiece(QStringView text);
    bool ReadNodes();
    void ReadLoadCaseTitle();
    void ReadForces();
    void MoveCursor(int index);

    TBoltGroupModel& Model;
    TLineBuffers& Buffers;
    TNisaRigidLink RigidLink;
    qint32 IndependentNode = 1;
    // The node card gave the independent node's co-ordinates.
    bool IndependentNodeFound = false;
    // Line cursor; also the progress position of the window.
    int Cursor = 0;
    int PieceCount = 0;
    // Fields of the joined rigid link text read so far, and a dependent node still waiting for
    // its degree-of-freedom code.
    int RigidLinkField = 0;
    QString PendingNode;
    bool HasPendingNode = false;
    // The link names more nodes than can become bolts; the rest of the card is not read.
    bool TooManyNodes = false;
    QString FileName;
};
