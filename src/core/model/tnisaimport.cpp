#include "tnisaimport.h"

#include "document/tfreebuffersguard.h"
#include "foundation/treadfile.h"
#include "tboltgroupmodel.h"
#include "tnumberformat.h"

#include <QFile>
#include <QFileInfo>
#include <string_view>

namespace {

// The line contains the card keyword (which begins with "*"), letter case counting. Only the
// places of "*" are compared, so a long line without one costs a single fast scan.
bool ContainsKeyword(const QString& line, QLatin1StringView keyword) {
    qsizetype at = line.indexOf(QLatin1Char('*'));
    while (at >= 0) {
        if (QStringView(line).mid(at).startsWith(keyword))
            return true;
        at = line.indexOf(QLatin1Char('*'), at + 1);
    }
    return false;
}

// The first `count` comma-separated fields of the text, counting from 1; fields beyond the text
// are empty.
template <int N> void SplitFields(QStringView text, QStringView (&fields)[N]) {
    qsizetype start = 0;
    for (int i = 0; i < N; ++i) {
        if (start > text.size()) {
            fields[i] = QStringView();
            continue;
        }
        qsizetype end = text.indexOf(QLatin1Char(','), start);
        if (end < 0)
            end = text.size();
        fields[i] = text.mid(start, end - start);
        start = end + 1;
    }
}

qint32 NodeNumberOf(QStringView field) { return TNumberFormat::ParseInteger(field.trimmed(), 1); }

double RealOf(QStringView field) { return TNumberFormat::ParseFileReal(field.trimmed(), 0); }

bool IsBlank(QStringView line) { return line.trimmed().isEmpty(); }

QString WithTrailingComma(QString text) {
    if (!text.endsWith(QLatin1Char(',')))
        text += QLatin1Char(',');
    return text;
}

} // namespace

TNisaImport::TNisaImport(TBoltGroupModel& model, TLineBuffers& buffers)
    : Model(model), Buffers(buffers) {}

bool TNisaImport::ImportNisaFile(const QString& fileName) {
    TDocumentHost& host = Buffers.Host();
    host.ShowInformation(QStringLiteral("Loading NISA File"));
    host.AddToQuickList(fileName);
    {
        Buffers.CreateLineBuffers();
        TFreeBuffersGuard freeBuffers(Buffers);
        Buffers.ClearLineBuffers();
        ReadLines(fileName);

        Buffers.ProgressPosition = 0;
        Buffers.ProgressShown = 0;
        Buffers.ProgressTotal = Buffers.DataLineCount();

        ReadTitle();
        const bool linkFound = ReadRigidLink();
        if (TooManyNodes) {
            Model.AnalysisTitle.clear();
            host.ShowMessage(QStringLiteral("The rigid link names more than %1 nodes; at most %1 "
                                            "bolts can be read.")
                                 .arg(MaxLinkNodes),
                             QStringLiteral("Warning"), TMessageIcon::Exclamation,
                             TMessageButtons::Ok);
            host.ShowInformation(QStringLiteral("Reading NISA File Aborted"));
            return false;
        }
        if (!linkFound) {
            Model.AnalysisTitle.clear();
            host.ShowMessage(QStringLiteral("No Rigid Links in NISA File\nCannot Extract Bolt Group"),
                             QStringLiteral("Warning"), TMessageIcon::Exclamation,
                             TMessageButtons::Ok);
            host.ShowInformation(QStringLiteral("Reading NISA File Aborted"));
            return false;
        }
        if (!ReadNodes()) {
            Model.AnalysisTitle.clear();
            host.ShowMessage(QStringLiteral("No Node definition in NISA File\n"
                                            "Cannot Extract Bolt Group Co-ordinates"),
                             QStringLiteral("Warning"), TMessageIcon::Exclamation,
                             TMessageButtons::Ok);
            host.ShowInformation(QStringLiteral("Reading NISA File Aborted"));
            return false;
        }
        // The load acts at the independent node: without its co-ordinates there is no point of
        // the load to analyse about.
        if (!IndependentNodeFound) {
            Model.ResetModel();
            host.ShowMessage(QStringLiteral("Independent Node %1 not defined in NISA File\n"
                                            "Cannot Extract Position of Applied Load")
                                 .arg(IndependentNode),
                             QStringLiteral("Warning"), TMessageIcon::Exclamation,
                             TMessageButtons::Ok);
            host.ShowInformation(QStringLiteral("Reading NISA File Aborted"));
            return false;
        }
        ReadLoadCaseTitle();
        ReadForces();
    }
    Model.UpdateLoadApplied();
    return true;
}

void TNisaImport::ReadLines(const QString& fileName) {
    FileName = fileName;
    QFileInfo info(fileName);
    if (!info.exists())
        return;
    QFile file(fileName);
    TReadFile::Open(file, TLineBuffers::MaxFileSize);

    // The file is read in blocks and cut into pieces: a line end (CR, LF or CR LF) ends a piece,
    // and so does the 510th character of a line, after which the line goes on as a new piece.
    // A final line without a line end counts; a final line end starts no further line.
    constexpr qint64 BlockSize = 1 << 20;
    QByteArray block;
    char piece[MaxPieceLength];
    int kept = 0;        // printable characters of the piece, in `piece`
    int pieceLength = 0; // all characters of the piece, line ends excepted
    bool afterCarriageReturn = false;
    qint64 total = 0;
    for (;;) {
        block = file.read(BlockSize);
        if (block.isEmpty())
            break;
        total += block.size();
        if (total > TLineBuffers::MaxFileSize)
            throw TReadFile::TooLarge(fileName, TLineBuffers::MaxFileSize);
        for (const char c : std::as_const(block)) {
            if (c == '\n' && afterCarriageReturn) {
                afterCarriageReturn = false;
                continue;
            }
            afterCarriageReturn = c == '\r';
            if (c == '\r' || c == '\n') {
                AddPiece(std::string_view(piece, size_t(kept)));
                kept = 0;
                pieceLength = 0;
                continue;
            }
            if (pieceLength == MaxPieceLength) {
                AddPiece(std::string_view(piece, size_t(kept)));
                kept = 0;
                pieceLength = 0;
            }
            ++pieceLength;
            // Only the printable characters, space to tilde, are kept.
            if (c >= ' ' && c <= '~')
                piece[kept++] = c;
        }
    }
    if (file.error() != QFileDevice::NoError)
        throw TReadFile::ReadFailed(file);
    if (pieceLength > 0)
        AddPiece(std::string_view(piece, size_t(kept)));
}

void TNisaImport::AddPiece(std::string_view piece) {
    ++PieceCount;
    if (PieceCount % ReadingReportInterval == 0) {
        Buffers.Host().ShowInformation(QStringLiteral("Reading Line ") +
                                        QString::number(PieceCount));
        Buffers.Host().ProcessEvents();
    }
    // Comment lines are invisible to every search, so they are never kept.
    if (piece.find("**") != std::string_view::npos)
        return;
    if (Buffers.DataLineCount() >= TLineBuffers::MaxLineCount)
        throw TReadFile::TooManyLines(FileName, TLineBuffers::MaxLineCount);
    static const QString empty = QStringLiteral("");
    Buffers.AddDataLine(piece.empty() ? empty
                                      : QString::fromLatin1(piece.data(), qsizetype(piece.size())));
}

void TNisaImport::MoveCursor(int index) {
    Cursor = index;
    Buffers.ProgressPosition = index;
    Buffers.UpdateProgress();
}

int TNisaImport::FindCard(int from, QLatin1StringView keyword) {
    const QStringList& lines = Buffers.DataLines();
    for (int i = std::max(from, 0); i < lines.size(); ++i) {
        MoveCursor(i);
        if (ContainsKeyword(lines.at(i), keyword))
            return i;
    }
    MoveCursor(int(lines.size()));
    return -1;
}

bool TNisaImport::AtCardEnd(int index) const {
    return index >= Buffers.DataLineCount() ||
           Buffers.DataLines().at(index).contains(QLatin1Char('*'));
}

void TNisaImport::ReadTitle() {
    Buffers.Host().ShowInformation(QStringLiteral("Looking for Model Title"));
    const int card = FindCard(0, QLatin1StringView("*TITL"));
    if (card >= 0) {
        Model.AnalysisTitle = Buffers.GetDataLine(card + 1);
        MoveCursor(card + 1);
    } else {
        MoveCursor(0);
    }
}

bool TNisaImport::ReadRigidLink() {
    Buffers.Host().ShowInformation(QStringLiteral("Looking for Rigid Links"));
    const int card = FindCard(Cursor, QLatin1StringView("*RIGL"));
    if (card < 0)
        return false;

    // The card's data line and its "$" continuation lines form one comma-separated text. Every
    // part is ended by a comma before the next is appended, so no field spans two lines and the
    // parts can be read one at a time.
    RigidLinkField = 0;
    HasPendingNode = false;
    int line = card + 1;
    MoveCursor(line);
    ReadRigidLinkPiece(WithTrailingComma(Buffers.GetDataLine(line).trimmed()));
    const QStringList& lines = Buffers.DataLines();
    while (line + 1 < lines.size() && !TooManyNodes) {
        const QString& next = lines.at(line + 1);
        const qsizetype dollar = next.indexOf(QLatin1Char('$'));
        if (dollar < 0)
            break;
        ++line;
        MoveCursor(line);
        ReadRigidLinkPiece(WithTrailingComma(next.mid(dollar + 1).trimmed()));
    }
    // A dependent node at the very end of the card, without its code, ties nothing.
    if (HasPendingNode && !IsBlank(PendingNode))
        RigidLink.Add(NodeNumberOf(PendingNode), QStringView());
    RigidLink.Add(IndependentNode, QStringView());
    return true;
}

void TNisaImport::ReadRigidLinkPiece(QStringView text) {
    // Field 2 is the independent node; from field 6 on, node numbers and their
    // degree-of-freedom codes alternate. The text ends with a comma, after which nothing counts.
    qsizetype start = 0;
    while (start < text.size() && !TooManyNodes) {
        qsizetype end = text.indexOf(QLatin1Char(','), start);
        if (end < 0)
            end = text.size();
        const QStringView field = text.mid(start, end - start);
        start = end + 1;
        ++RigidLinkField;
        if (RigidLinkField == 2) {
            IndependentNode = NodeNumberOf(field);
        } else if (RigidLinkField >= 6) {
            if (RigidLinkField % 2 == 0) {
                PendingNode = field.toString();
                HasPendingNode = true;
            } else {
                // An empty node field (",," in the card) names no node; read as node 1 it
                // would make a bolt of whatever node 1 is.
                if (!IsBlank(PendingNode))
                    RigidLink.Add(NodeNumberOf(PendingNode), field.trimmed());
                HasPendingNode = false;
                TooManyNodes = RigidLink.Count() > MaxLinkNodes;
            }
        }
    }
}

bool TNisaImport::ReadNodes() {
    Buffers.Host().ShowInformation(QStringLiteral("Looking for Nodes"));
    const int card = FindCard(0, QLatin1StringView("*NODE"));
    if (card < 0)
        return false;
    const QStringList& lines = Buffers.DataLines();
    int line = card + 1;
    for (; !AtCardEnd(line); ++line) {
        MoveCursor(line);
        // A blank line names no node: read as node 1 it would put a bolt, or the load point, at
        // the origin.
        if (IsBlank(lines.at(line)))
            continue;
        const QString text = lines.at(line).trimmed() + QLatin1Char(',');
        QStringView fields[7];
        SplitFields(text, fields);
        const qint32 node = NodeNumberOf(fields[0]);
        if (node == IndependentNode) {
            IndependentNodeFound = true;
            TAppliedLoad& load = Model.AppliedLoad;
            load.X = RealOf(fields[4]);
            load.Y = RealOf(fields[5]);
            load.Z = RealOf(fields[6]);
            continue;
        }
        const std::optional<TRigidLinkEntry> entry = RigidLink.Take(node);
        if (!entry)
            continue;
        TBolt bolt;
        bolt.X = RealOf(fields[4]);
        bolt.Y = RealOf(fields[5]);
        bolt.Z = RealOf(fields[6]);
        bolt.StiffnessX = entry->TiesX ? 1 : 0;
        bolt.StiffnessY = entry->TiesY ? 1 : 0;
        bolt.StiffnessZ = entry->TiesZ ? 1 : 0;
        bolt.NodeNumber = node;
        bolt.Orientation = qint8(TBoltOrientation::NotDefined);
        Model.Bolts.append(bolt);
    }
    MoveCursor(line);
    return true;
}

void TNisaImport::ReadLoadCaseTitle() {
    const int card = FindCard(Cursor, QLatin1StringView("*LCTI"));
    if (card >= 0)
        Model.LoadCaseTitle = Buffers.GetDataLine(card + 1).trimmed();
}

void TNisaImport::ReadForces() {
    Buffers.Host().ShowInformation(QStringLiteral("Looking for Nodal Forces"));
    const int card = FindCard(0, QLatin1StringView("*CFOR"));
    if (card < 0)
        return;
    const QStringList& lines = Buffers.DataLines();
    TAppliedLoad& load = Model.AppliedLoad;
    bool forceForNode = false;
    for (int line = card + 1; !AtCardEnd(line); ++line) {
        MoveCursor(line);
        const QStringView text = QStringView(lines.at(line)).trimmed();
        // A blank line is no force line, not even for node 1.
        if (text.isEmpty())
            continue;
        // The node number is the text before the first comma; a line without one reads as node 1.
        const qsizetype first = text.indexOf(QLatin1Char(','));
        const qint32 node = first < 0 ? 1 : NodeNumberOf(text.left(first));
        if (node != IndependentNode)
            continue;
        forceForNode = true;
        if (first < 0)
            continue;
        const QStringView rest = text.mid(first + 1);
        const qsizetype second = rest.indexOf(QLatin1Char(','));
        const QStringView label = (second < 0 ? rest : rest.left(second)).trimmed();
        // The value counts only when another comma follows it.
        double value = 0;
        if (second >= 0) {
            const QStringView tail = rest.mid(second + 1);
            const qsizetype third = tail.indexOf(QLatin1Char(','));
            if (third >= 0)
                value = RealOf(tail.left(third));
        }
        if (label == QLatin1StringView("FX"))
            load.FX = value;
        else if (label == QLatin1StringView("FY"))
            load.FY = value;
        else if (label == QLatin1StringView("FZ"))
            load.FZ = value;
    }
    if (!forceForNode)
        load.FX = 1;
}
