#include "tnisaexport.h"

#include "document/tfreebuffersguard.h"
#include "foundation/tsavefile.h"
#include "tboltgroupmodel.h"
#include "tnumberformat.h"

#include <QLocale>
#include <algorithm>
#include <charconv>

namespace {

bool HasBoltWithoutNode(const TBoltGroupModel& model) {
    return std::any_of(model.Bolts.cbegin(), model.Bolts.cend(),
                       [](const TBolt& b) { return b.NodeNumber == 0; });
}

QString PaddedNode(qint32 nodeNumber) {
    return TNumberFormat::PadLeft(QString::number(nodeNumber), 6);
}

// "** " comment lines of the header. Lines 3 to 7 are indented by six spaces after the "**".
const char* const HeaderNotice =
    "** Copyright Quorvane. This fragment and the program that wrote it are the maker's.";
const char* const HeaderAddress[] = {"Quorvane Engineering Software", "Meshwright Division",
                                      "1 Foundry Yard", "Harbour Road",
                                      "Northport NP1 1AA, United Kingdom"};
const char* const SalesContact = "Quorvane Sales Desk, telephone 0100 000 0001";
const char* const SupportContact = "Quorvane Support Desk, telephone 0100 000 0002";

} // namespace

TNisaExport::TNisaExport(TBoltGroupModel& model, TLineBuffers& buffers)
    : Model(model), Buffers(buffers) {}

QString TNisaExport::FormatExponent(double value) {
    // A negative zero is written as zero.
    if (value == 0)
        value = 0;
    // A full stop whatever the locale: the conversion does not consult the C library's locale,
    // as a formatted print would.
    char buffer[64];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, value,
                                   std::chars_format::scientific, 5)
                         .ptr;
    for (char* p = buffer; p < end; ++p) {
        if (*p >= 'a' && *p <= 'z')
            *p = char(*p - 'a' + 'A');
    }
    return TNumberFormat::PadLeft(QString::fromLatin1(buffer, end - buffer), 12);
}

QString TNisaExport::NodeLine(const TBolt& bolt) {
    return PaddedNode(bolt.NodeNumber) + QStringLiteral(",0,0,0,") + FormatExponent(bolt.X) +
           QLatin1Char(',') + FormatExponent(bolt.Y) + QLatin1Char(',') + FormatExponent(bolt.Z) +
           QStringLiteral(",0");
}

QString TNisaExport::ForceLine(qint32 nodeNumber, const char* label, double value) {
    return PaddedNode(nodeNumber) + QStringLiteral(",  ") + QLatin1StringView(label) +
           QLatin1Char(',') + FormatExponent(value) + QStringLiteral(",,,  0,     0");
}

QString TNisaExport::NormaliseLoadCaseId(const QString& text) {
    return QString::number(TNumberFormat::ParseInteger(text, 1));
}

QString TNisaExport::FormatCreationDate(QDate date) {
    return QLocale::system().toString(date, QStringLiteral("dddd, d MMMM yyyy"));
}

QStringList TNisaExport::SortedUnique(QStringList lines) {
    const auto less = [](const QString& a, const QString& b) {
        return a.compare(b, Qt::CaseInsensitive) < 0;
    };
    const auto same = [](const QString& a, const QString& b) {
        return a.compare(b, Qt::CaseInsensitive) == 0;
    };
    std::sort(lines.begin(), lines.end(), less);
    lines.erase(std::unique(lines.begin(), lines.end(), same), lines.end());
    return lines;
}

bool TNisaExport::AskNodeNumbers() {
    // The question comes back for as long as any bolt is left without a node number.
    while (HasBoltWithoutNode(Model)) {
        QStringList boltColumn;
        QStringList nodeColumn;
        const qint32 count = Model.BoltCount();
        boltColumn.reserve(count);
        nodeColumn.reserve(count);
        for (qint32 i = 0; i < count; ++i) {
            boltColumn.append(QStringLiteral("   ") + QString::number(i + 1));
            nodeColumn.append(QStringLiteral("   ") +
                              QString::number(Model.Bolts.at(i).NodeNumber));
        }
        if (!Buffers.Host().EditNisaNodeNumbers(boltColumn, nodeColumn))
            return false;
        for (qint32 i = 0; i < count; ++i)
            Model.Bolts[i].NodeNumber = TNumberFormat::ParseInteger(nodeColumn.value(i), 0);
        Model.DataSaved = false;
    }
    return true;
}

bool TNisaExport::AskLoadCaseId() {
    QString text = Model.NisaLoadCaseId;
    const bool accepted = Buffers.Host().InputQuery(
        QStringLiteral("Please Enter NISA Load Case Number"), QStringLiteral("Load Case ID = "),
        text);
    if (accepted)
        Model.NisaLoadCaseId = text;
    Model.NisaLoadCaseId = NormaliseLoadCaseId(Model.NisaLoadCaseId);
    return accepted;
}

void TNisaExport::AddHeader() {
    TLineBuffers& out = Buffers;
    const QString comment = QStringLiteral("**");
    const QString indent = QStringLiteral("**      ");
    out.AddOutputLine(QStringLiteral(
        "** NISA File from a Bolt Group Analysis by the Quorvane Meshwright Program"));
    out.AddOutputLine(QLatin1StringView(HeaderNotice));
    for (const char* line : HeaderAddress)
        out.AddOutputLine(indent + QLatin1StringView(line));
    out.AddOutputLine(comment);
    out.AddOutputLine(QStringLiteral("** Sales Contact:-").leftJustified(27) +
                      QLatin1StringView(SalesContact));
    out.AddOutputLine(QStringLiteral("** Technical Support:-").leftJustified(27) +
                      QLatin1StringView(SupportContact));
    out.AddOutputLine(comment);
    out.AddOutputLine(QStringLiteral("** Meshwright Program Date = ") +
                      QLatin1StringView(ProgramDate));
    out.AddOutputLine(QStringLiteral("** Date of Creation :- ") + FormatCreationDate(Today()));
    out.AddOutputLine(comment);
    out.AddOutputLine(comment);
    out.AddOutputLine(
        QStringLiteral("** NISA File Fragment used to transfer Bolt Group Loads to DISPLAY"));
    out.AddOutputLine(comment);
    out.AddOutputLine(comment);
    out.AddOutputLine(QStringLiteral("*NODES"));

    QStringList lines;
    lines.reserve(Model.Bolts.size());
    for (const TBolt& bolt : std::as_const(Model.Bolts))
        lines.append(NodeLine(bolt));
    for (const QString& line : SortedUnique(std::move(lines)))
        out.AddOutputLine(line);
}

QStringList TNisaExport::LoadCaseLines(const QString& id,
                                       const QList<TBoltActualLoads>& loads) const {
    QStringList lines;
    const qint32 count = qint32(std::min(qsizetype(Model.BoltCount()), loads.size()));
    for (qint32 i = 0; i < count; ++i) {
        const qint32 node = Model.Bolts.at(i).NodeNumber;
        const TBoltActualLoads& a = loads.at(i);
        if (a.LoadX != 0)
            lines.append(ForceLine(node, "FX", a.LoadX));
        if (a.LoadY != 0)
            lines.append(ForceLine(node, "FY", a.LoadY));
        if (a.LoadZ != 0)
            lines.append(ForceLine(node, "FZ", a.LoadZ));
    }
    return QStringList{QStringLiteral("*LDCASE, ID = ") + id,
                       QStringLiteral(" 0, 1, 2, 0,-1, 3, 0,   0.000,   0.000"),
                       QStringLiteral("*CFORCE")} +
           SortedUnique(std::move(lines));
}

bool TNisaExport::ExportNisaLoads(const QString& fileName) {
    TDocumentHost& host = Buffers.Host();
    // Loads of an earlier group (one with another number of bolts) are no loads of this one.
    if (!Model.ActualLoadsCalculated ||
        Model.ActualLoads.size() != Model.Bolts.size()) {
        host.ShowMessage(QStringLiteral("No Actual Loads Calculated\n\nCannot Save the NISA file."),
                         QStringLiteral("Warning"), TMessageIcon::Information,
                         TMessageButtons::Ok);
        return false;
    }
    if (!AskNodeNumbers())
        return false;
    if (!AskLoadCaseId())
        return false;

    WriteFragment(fileName, [this](const TAddLines& add) {
        add(LoadCaseLines(Model.NisaLoadCaseId, Model.ActualLoads));
    });
    return true;
}

bool TNisaExport::ExportNisaLoadCases(const QString& fileName, qint64 firstId,
                                      const std::function<void(const TCaseLoads&)>& forEachCase) {
    if (!AskNodeNumbers())
        return false;
    WriteFragment(fileName, [&](const TAddLines& add) {
        qint64 id = firstId;
        forEachCase([&](const QList<TBoltActualLoads>& loads) {
            add(LoadCaseLines(QString::number(id++), loads));
        });
    });
    return true;
}

void TNisaExport::WriteFragment(const QString& fileName,
                                const std::function<void(const TAddLines&)>& addCases) {
    TLineBuffers& out = Buffers;
    out.CreateLineBuffers();
    TFreeBuffersGuard freeBuffers(out);
    out.ClearLineBuffers();
    AddHeader();

    // The lines as SaveOutputLines writes them, in pieces, so that the lines of thousands of
    // load cases are not held in memory at once.
    TSaveFile file(fileName);
    QByteArray chunk;
    const auto add = [&](const QStringList& lines) {
        for (const QString& line : lines) {
            chunk += line.toUtf8();
            chunk += "\r\n";
        }
        if (chunk.size() >= (1 << 16)) {
            file.Write(chunk);
            chunk.clear();
        }
    };
    add(out.OutputLines());
    addCases(add);
    add({QStringLiteral("*ENDDATA")});
    file.Write(chunk);
    file.Commit();
    Buffers.Host().AddToQuickList(fileName);
    Buffers.Host().ShowInformation(QStringLiteral("NISA File Saved"));
}
