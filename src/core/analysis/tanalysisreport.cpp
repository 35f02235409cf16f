#include "tanalysisreport.h"

#include "model/tnumberformat.h"
#include "tloadcaseenvelope.h"

#include <algorithm>
#include <charconv>

namespace {

// Appends F(width, decimals) of the value.
void AddNumber(QString& line, double value, int width, int decimals) {
    TNumberFormat::AppendFixed(line, value, width, decimals);
}

// Appends the bolt number followed by a suffix character (none when 0), padded on the left to
// the width; a longer label is kept whole.
void AddLabel(QString& line, qsizetype number, char suffix, int width) {
    char text[32];
    char* end = std::to_chars(text, text + 24, qint64(number)).ptr;
    if (suffix)
        *end++ = suffix;
    const int length = int(end - text);
    if (width > length)
        line.resize(line.size() + (width - length), QLatin1Char(' '));
    line.append(QLatin1StringView(text, length));
}

QString Label(const QString& text, int width) { return TNumberFormat::PadLeft(text, width); }

// A new report line with room for the given number of characters, so that building it takes
// one allocation and the line holds no more memory than its row needs.
QString NewLine(qsizetype length) {
    QString line;
    line.reserve(length);
    return line;
}

constexpr qsizetype Row3Length = 5 + 3 * 18 + 2 * 2;
constexpr qsizetype Row6Length = 4 + 6 + 6 * 12;

// The writer of one half of the report over the buffers.
class TWriter {
public:
    TWriter(const TBoltGroupModel& model, TLineBuffers& buffers)
        : Model(model), Buffers(buffers), Host(buffers.Host()) {}

    void Line(const QString& text) { Buffers.AddOutputLine(text); }
    void Blank(int count = 1) {
        for (int i = 0; i < count; ++i)
            Buffers.AddOutputLine(QString());
    }
    void Title(const QString& text) {
        Buffers.AddOutputLine(text);
        Buffers.AddTitleLine(text);
    }
    void Subtitle(const QString& text) {
        Buffers.AddOutputLine(text);
        Buffers.AddSubtitleLine(text);
    }
    // Lets pending events run at bolt indexes 0, 100, 200, ...
    void EventPoint(qsizetype index) {
        if (index % 100 == 0)
            Host.ProcessEvents();
    }
    // "at X" F(10, 3) ", Y" F(10, 3) ", Z" F(10, 3) of the applied load's point.
    QString AtPoint(const QString& text) const {
        QString line = text + QStringLiteral(" at X");
        AddNumber(line, Model.AppliedLoad.X, 10, 3);
        line += QStringLiteral(", Y");
        AddNumber(line, Model.AppliedLoad.Y, 10, 3);
        line += QStringLiteral(", Z");
        AddNumber(line, Model.AppliedLoad.Z, 10, 3);
        return line;
    }
    // A label followed by three values of F(18, 4) with two spaces between them.
    static QString Row3(const QString& label, double a, double b, double c) {
        QString line = NewLine(Row3Length);
        line += label;
        return Row3(std::move(line), a, b, c);
    }
    // The three values appended to a line that holds its label.
    static QString Row3(QString&& line, double a, double b, double c) {
        AddNumber(line, a, 18, 4);
        line += QLatin1String("  ");
        AddNumber(line, b, 18, 4);
        line += QLatin1String("  ");
        AddNumber(line, c, 18, 4);
        return line;
    }
    // The bolt number padded to 4, six spaces and six values of F(12, decimals).
    static QString Row6(qsizetype index, const std::array<double, 6>& values) {
        QString line = NewLine(Row6Length);
        AddLabel(line, index + 1, 0, 4);
        line += QLatin1String("      ");
        for (double v : values)
            AddNumber(line, v, 12, 3);
        return line;
    }

    const TBoltGroupModel& Model;
    TLineBuffers& Buffers;
    TDocumentHost& Host;
};

QString OrientationText(TBoltOrientation orientation) {
    switch (orientation) {
    case TBoltOrientation::XAxial:
        return QStringLiteral("  X Axis          YZ Plane");
    case TBoltOrientation::YAxial:
        return QStringLiteral("  Y Axis          XZ Plane");
    case TBoltOrientation::ZAxial:
        return QStringLiteral("  Z Axis          XY Plane");
    case TBoltOrientation::NotDefined:
        break;
    }
    return QStringLiteral("  Not Defined     Not Defined");
}

} // namespace

QString TAnalysisReport::SlowConvergenceLine(int iterations) {
    return QStringLiteral("Moment Balance Convergence was slow, there were ") +
           QString::number(iterations) + QStringLiteral(" balance iterations.");
}

QString TAnalysisReport::CompletionLine(const TUnitLoadWorkings& w) {
    const QString steps = QString::number(w.BalanceIterations);
    switch (w.BalanceOutcome) {
    case TBalanceOutcome::DirectSolution:
        return QStringLiteral("Moment Balance did not converge in ") + steps +
               QStringLiteral(" iterations; the loads were completed by a direct solution of the "
                              "balance.");
    case TBalanceOutcome::NotConverged:
        return QStringLiteral("Moment Balance did not converge in ") + steps +
               QStringLiteral(" iterations.");
    case TBalanceOutcome::NotNeeded:
    case TBalanceOutcome::Converged:
        break;
    }
    return QString();
}

void TAnalysisReport::WriteUnitLoadReport(const TBoltGroupModel& model,
                                          const TUnitLoadWorkings& w, TLineBuffers& buffers) {
    TWriter out(model, buffers);
    // Shared copies: the lists stay valid whatever an event handler does to the model while
    // events run between the rows.
    const QList<TBolt> bolts = model.Bolts;
    const QList<TBoltUnitLoads> unitLoads = model.UnitLoads;
    const qsizetype n = std::min({bolts.size(), unitLoads.size(), qsizetype(w.CGProducts.size()),
                                  qsizetype(w.CGDistances.size()),
                                  qsizetype(w.R2Components.size())});

    // The report is rebuilt from nothing: lines left from an interrupted run are dropped.
    buffers.CreateLineBuffers();
    buffers.ClearLineBuffers();
    out.Host.ClearText();
    if (!buffers.ReportLinesWanted)
        return;

    out.Blank();
    out.Title(QStringLiteral("Analysis Results"));
    out.Blank(2);
    out.Line(QStringLiteral("Analysis Title = ") + model.AnalysisTitle);
    buffers.AddTitleLine(model.AnalysisTitle);
    out.Blank(2);
    out.Subtitle(QStringLiteral("Positive Directions are:-"));
    out.Line(QStringLiteral("\t+X Aft"));
    out.Line(QStringLiteral("\t+Y Starboard"));
    out.Line(QStringLiteral("\t+Z Up"));
    out.Blank(2);

    out.Title(QStringLiteral("Position of Applied Load"));
    const TAppliedLoad& load = model.AppliedLoad;
    for (auto [name, value] : {std::pair{"\tX = ", load.X}, {"\tY = ", load.Y}, {"\tZ = ", load.Z}}) {
        QString line = QString::fromLatin1(name);
        AddNumber(line, value, 12, 3);
        out.Line(line);
    }
    out.Blank(2);

    out.Title(out.AtPoint(QStringLiteral("Loads Due to Unit Applied Load in each Direction")));
    out.Blank();
    out.Line(QStringLiteral("Attachment     Aft (+X)      Starboard (+Y)             Up (+Z)"));
    out.Blank();
    const QString x = Label(QStringLiteral("x"), 5);
    const QString y = Label(QStringLiteral("y"), 5);
    const QString z = Label(QStringLiteral("z"), 5);
    for (qsizetype i = 0; i < n; ++i) {
        const TBoltUnitLoads& u = unitLoads.at(i);
        QString first = NewLine(Row3Length);
        AddLabel(first, i + 1, 'x', 5);
        out.Line(TWriter::Row3(std::move(first), u.XDueToFX, u.XDueToFY, u.XDueToFZ));
        out.Line(TWriter::Row3(y, u.YDueToFX, u.YDueToFY, u.YDueToFZ));
        out.Line(TWriter::Row3(z, u.ZDueToFX, u.ZDueToFY, u.ZDueToFZ));
        out.EventPoint(i);
    }
    out.Blank();
    out.Line(QStringLiteral("Sum"));
    const TBoltUnitLoads& s = w.UnitLoadSums;
    out.Line(TWriter::Row3(x, s.XDueToFX, s.XDueToFY, s.XDueToFZ));
    out.Line(TWriter::Row3(y, s.YDueToFX, s.YDueToFY, s.YDueToFZ));
    out.Line(TWriter::Row3(z, s.ZDueToFX, s.ZDueToFY, s.ZDueToFZ));
    out.Blank(2);

    out.Title(QStringLiteral("Residual Rotational Moments"));
    if (w.BalanceIterations > 99)
        out.Subtitle(SlowConvergenceLine(w.BalanceIterations));
    const QString completion = CompletionLine(w);
    if (!completion.isEmpty())
        out.Subtitle(completion);
    out.Line(QStringLiteral("               Residual Moment due to load in each Direction"));
    out.Line(QStringLiteral("About          Aft (+X)      Starboard (+Y)             Up (+Z)"));
    const char* const axes[3] = {"X Axis", "Y Axis", "Z Axis"};
    for (int axis = 0; axis < 3; ++axis) {
        QString line = QString::fromLatin1(axes[axis]);
        AddNumber(line, w.ResidualMoment(0, axis), 17, 4);
        line += QLatin1String("  ");
        AddNumber(line, w.ResidualMoment(1, axis), 18, 4);
        line += QLatin1String("  ");
        AddNumber(line, w.ResidualMoment(2, axis), 18, 4);
        out.Line(line);
    }
    out.Blank(2);

    out.Title(QStringLiteral(
        "Attachment Positions (X, Y & Z) and Stiffnesses in each Axis (fx, fy & fz)"));
    out.Blank();
    out.Line(QStringLiteral(
        "Attachment       X           Y           Z           fx          fy          fz"));
    out.Blank();
    bool anyOriented = false;
    for (qsizetype i = 0; i < n; ++i) {
        const TBolt& b = bolts.at(i);
        QString line = NewLine(Row6Length);
        AddLabel(line, i + 1, 0, 4);
        line += QLatin1String("      ");
        AddNumber(line, b.X, 12, 3);
        AddNumber(line, b.Y, 12, 3);
        AddNumber(line, b.Z, 12, 3);
        AddNumber(line, b.StiffnessX, 12, 4);
        AddNumber(line, b.StiffnessY, 12, 4);
        AddNumber(line, b.StiffnessZ, 12, 4);
        out.Line(line);
        anyOriented = anyOriented || b.ResolvedOrientation() != TBoltOrientation::NotDefined;
        out.EventPoint(i);
    }
    out.Blank(2);

    if (anyOriented) {
        out.Title(QStringLiteral("Definition of Bolt Axial Direction and Shear Plane"));
        out.Blank();
        out.Line(QStringLiteral("Attachment      Axial Direction   Shear Plane"));
        out.Blank();
        for (qsizetype i = 0; i < n; ++i) {
            QString line = NewLine(4 + 12 + 28);
            AddLabel(line, i + 1, 0, 4);
            line += QLatin1String("            ");
            line += OrientationText(bolts.at(i).ResolvedOrientation());
            out.Line(line);
            out.EventPoint(i);
        }
        out.Blank(2);
    }

    out.Title(QStringLiteral("Calculation of Attachment CG's in each plane"));
    out.Blank();
    out.Line(QStringLiteral(
        "Attachment      fx(y)       fx(z)       fy(x)       fy(z)       fz(x)       fz(y)"));
    out.Blank();
    for (qsizetype i = 0; i < n; ++i)
        out.Line(TWriter::Row6(i, w.CGProducts[size_t(i)]));
    {
        QString line = QStringLiteral(" Sum      ");
        for (double v : w.CGProductSums)
            AddNumber(line, v, 12, 3);
        out.Line(line);
    }
    out.Blank();
    out.Line(QStringLiteral("For Mx in yz-plane:       For Mz in xy-plane:       For My in xz-plane:"));
    out.Blank();
    const TPlaneCentroids& c = w.PlaneCentroids;
    {
        QString line = QStringLiteral("zbar = ");
        AddNumber(line, c.ZBarMx, 16, 3);
        line += QStringLiteral("   xbar = ");
        AddNumber(line, c.XBarMz, 16, 3);
        line += QStringLiteral("   xbar = ");
        AddNumber(line, c.XBarMy, 16, 3);
        out.Line(line);
    }
    {
        QString line = QStringLiteral("ybar = ");
        AddNumber(line, c.YBarMx, 16, 3);
        line += QStringLiteral("   ybar = ");
        AddNumber(line, c.YBarMz, 16, 3);
        line += QStringLiteral("   zbar = ");
        AddNumber(line, c.ZBarMy, 16, 3);
        out.Line(line);
    }
    out.Blank(2);

    const QString planes =
        QStringLiteral("                      Mx                      My                      Mz");
    out.Title(QStringLiteral("Calculation of Distances from Attachment CG's in each plane"));
    out.Blank();
    out.Line(planes);
    out.Line(QStringLiteral(
        "Attachment    (y-ybar)    (z-zbar)    (x-xbar)    (z-zbar)    (x-xbar)    (y-ybar)"));
    out.Blank();
    for (qsizetype i = 0; i < n; ++i) {
        out.Line(TWriter::Row6(i, w.CGDistances[size_t(i)]));
        out.EventPoint(i);
    }
    out.Blank(2);

    out.Title(QStringLiteral("Calculation of Components of r^2 for each plane"));
    out.Blank();
    out.Line(planes);
    out.Line(QStringLiteral(
        "Attachment fy(z-zbr)^2 fz(y-ybr)^2 fx(z-zbr)^2 fz(x-xbr)^2 fx(y-ybr)^2 fy(x-xbr)^2"));
    out.Blank();
    for (qsizetype i = 0; i < n; ++i) {
        out.Line(TWriter::Row6(i, w.R2Components[size_t(i)]));
        out.EventPoint(i);
    }
    {
        QString line = QStringLiteral(" Sum      ");
        AddNumber(line, w.R2Sums.JMx, 18, 3);
        AddNumber(line, w.R2Sums.JMy, 24, 3);
        AddNumber(line, w.R2Sums.JMz, 24, 3);
        out.Line(line);
    }
    out.Blank(4);
}

void TAnalysisReport::WriteActualLoadReport(const TBoltGroupModel& model, TLineBuffers& buffers) {
    if (!buffers.ReportLinesWanted) {
        buffers.ShowOutput();
        buffers.FormatOutput();
        buffers.FreeLineBuffers();
        return;
    }
    TWriter out(model, buffers);
    const QList<TBolt> bolts = model.Bolts;
    const QList<TBoltActualLoads> loads = model.ActualLoads;
    const qsizetype n = std::min(bolts.size(), loads.size());
    const TAppliedLoad& load = model.AppliedLoad;

    out.Line(QStringLiteral("Load Case = ") + model.LoadCaseTitle);
    buffers.AddSubtitleLine(QStringLiteral("Load Case"));
    buffers.AddTitleLine(model.LoadCaseTitle);
    out.Blank();
    out.Title(out.AtPoint(QStringLiteral("Actual Applied Load")));
    out.Blank();
    for (auto [name, value] :
         {std::pair{"\tFX = ", load.FX}, {"\tFY = ", load.FY}, {"\tFZ = ", load.FZ}}) {
        QString line = QString::fromLatin1(name);
        AddNumber(line, value, 12, 3);
        out.Line(line);
    }
    out.Blank(2);

    out.Title(QStringLiteral("Actual Attachment Loads"));
    out.Blank();
    out.Line(QStringLiteral("Attachment          X                   Y                   Z"));
    out.Blank();
    bool anyDefined = false;
    bool anyUndefined = false;
    for (qsizetype i = 0; i < n; ++i) {
        const TBoltActualLoads& a = loads.at(i);
        QString line = NewLine(Row3Length);
        AddLabel(line, i + 1, ' ', 5);
        out.Line(TWriter::Row3(std::move(line), a.LoadX, a.LoadY, a.LoadZ));
        if (bolts.at(i).ResolvedOrientation() == TBoltOrientation::NotDefined)
            anyUndefined = true;
        else
            anyDefined = true;
    }
    out.Blank(2);

    if (anyUndefined) {
        out.Title(QStringLiteral("Resolved Loads for Attachments with Undefined Orientations"));
        out.Blank();
        out.Line(QStringLiteral(
            "Attachment   XYZ Resultant        In XY Plane         In XZ Plane         In YZ Plane"));
        out.Blank();
        for (qsizetype i = 0; i < n; ++i) {
            if (bolts.at(i).ResolvedOrientation() != TBoltOrientation::NotDefined)
                continue;
            const TBoltActualLoads& a = loads.at(i);
            QString line = NewLine(Row3Length + 2 + 18);
            AddLabel(line, i + 1, ' ', 5);
            line = TWriter::Row3(std::move(line), a.ResultantXYZ, a.ResultantXY, a.ResultantXZ);
            line += QLatin1String("  ");
            AddNumber(line, a.ResultantYZ, 18, 4);
            out.Line(line);
        }
        out.Blank(2);
    }

    if (anyDefined) {
        out.Title(QStringLiteral("Resolved Loads for Attachments with Defined Orientations"));
        out.Blank();
        out.Line(QStringLiteral("Attachment    Axial Load          Shear Load"));
        out.Blank();
        for (qsizetype i = 0; i < n; ++i) {
            const TBoltOrientation o = bolts.at(i).ResolvedOrientation();
            if (o == TBoltOrientation::NotDefined)
                continue;
            const TBoltActualLoads& a = loads.at(i);
            QString line = NewLine(5 + 2 * 18 + 2);
            AddLabel(line, i + 1, ' ', 5);
            AddNumber(line, a.AxialLoad(o), 18, 4);
            line += QLatin1String("  ");
            AddNumber(line, a.ShearLoad(o), 18, 4);
            out.Line(line);
        }
        out.Blank(2);
    }

    buffers.ShowOutput();
    buffers.FormatOutput();
    buffers.FreeLineBuffers();
}

void TAnalysisReport::WriteLoadCaseReport(const TBoltGroupModel& model,
                                          const QList<TLoadCase>& cases,
                                          const TLoadCaseEnvelope& envelope,
                                          TLineBuffers& buffers) {
    TWriter out(model, buffers);
    const std::vector<TLoadCaseEnvelope::TBoltEnvelope>& entries = envelope.Entries();

    out.Title(QStringLiteral("Load Case Envelope"));
    out.Blank();
    out.Line(QStringLiteral(
        "                 Resultant        Axial Tension    Axial Compression           Shear Load"));
    out.Line(QStringLiteral(
        "Attachment    Largest Case         Largest Case         Largest Case         Largest Case"));
    out.Blank();
    for (size_t i = 0; i < entries.size(); ++i) {
        const TLoadCaseEnvelope::TBoltEnvelope& e = entries[i];
        QString line = NewLine(5 + 4 * 21);
        AddLabel(line, qsizetype(i) + 1, ' ', 5);
        // A bolt without an axial direction has its resultant only.
        for (const TLoadCaseEnvelope::TExtreme* x :
             {&e.Resultant, &e.Tension, &e.Compression, &e.Shear}) {
            if (!x->IsSet())
                break;
            AddNumber(line, x->Value, 16, 4);
            AddLabel(line, x->Case + 1, 0, 5);
        }
        out.Line(line);
        out.EventPoint(qsizetype(i));
    }
    out.Blank(2);

    // Each case on two lines, its title on the first, so that a long title does not push the
    // numbers off the page.
    out.Title(QStringLiteral("Load Cases"));
    out.Blank();
    out.Line(QStringLiteral("Case  Title"));
    out.Line(QStringLiteral(
        "              FX          FY          FZ           X           Y           Z"));
    out.Blank();
    for (qsizetype c = 0; c < cases.size(); ++c) {
        const TLoadCase& loadCase = cases.at(c);
        QString line = NewLine(4 + 2 + loadCase.Title.size());
        AddLabel(line, c + 1, 0, 4);
        if (!loadCase.Title.isEmpty()) {
            line += QLatin1String("  ");
            line += loadCase.Title;
        }
        out.Line(line);
        line = NewLine(4 + 6 * 12);
        line += QLatin1String("    ");
        const TAppliedLoad& load = loadCase.Load;
        for (double v : {load.FX, load.FY, load.FZ, load.X, load.Y, load.Z})
            AddNumber(line, v, 12, 3);
        out.Line(line);
        out.EventPoint(c);
    }
    out.Blank(2);
}
