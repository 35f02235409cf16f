#include "trtfformatwords.h"

#include "trtflists.h"

namespace {

int Clamp(int value, int low, int high) { return value < low ? low : (value > high ? high : value); }

} // namespace

bool TRtfFormatWords::Apply(TRtfWord w, int p, bool has, TRtfCharProps& c, TRtfParaProps& para) {
    const bool on = !has || p != 0;
    constexpr int MaxListLevels = TRtfLists::MaxLevels;
    switch (w) {
    case TRtfWord::Plain:
        c = TRtfCharProps{.Link = c.Link};
        return true;
    case TRtfWord::Font:
        c.Font = has ? p : 0;
        return true;
    case TRtfWord::FontSize:
        c.HalfPoints = (has && p > 0) ? Clamp(p, 2, 3276) : 24;
        return true;
    case TRtfWord::Bold:
        c.Bold = on;
        return true;
    case TRtfWord::Italic:
        c.Italic = on;
        return true;
    case TRtfWord::Underline:
        c.Underline = on;
        return true;
    case TRtfWord::UnderlineNone:
        c.Underline = false;
        return true;
    case TRtfWord::Strike:
        c.Strike = on;
        return true;
    case TRtfWord::Hidden:
        c.Hidden = on;
        return true;
    case TRtfWord::Super:
        c.Script = 1;
        return true;
    case TRtfWord::Sub:
        c.Script = 2;
        return true;
    case TRtfWord::NoSuperSub:
        c.Script = 0;
        return true;
    case TRtfWord::Up:
    case TRtfWord::Down:
        // A raised or lowered position (half points; 6 without a number) shows as such.
        c.Script = (has && p == 0) ? 0 : (w == TRtfWord::Up ? 1 : 2);
        return true;
    case TRtfWord::Colour:
        c.Colour = has ? qMax(p, 0) : 0;
        return true;
    case TRtfWord::Highlight:
        c.Highlight = has ? qMax(p, 0) : 0;
        return true;
    case TRtfWord::Pard:
        para = TRtfParaProps();
        return true;
    case TRtfWord::AlignLeft:
        para.Alignment = 0;
        return true;
    case TRtfWord::AlignCentre:
        para.Alignment = 1;
        return true;
    case TRtfWord::AlignRight:
        para.Alignment = 2;
        return true;
    case TRtfWord::AlignJustify:
        para.Alignment = 3;
        return true;
    case TRtfWord::LeftIndent:
        para.Left = Clamp(p, -MaxIndent, MaxIndent);
        return true;
    case TRtfWord::RightIndent:
        para.Right = Clamp(p, -MaxIndent, MaxIndent);
        return true;
    case TRtfWord::FirstIndent:
        para.First = Clamp(p, -MaxIndent, MaxIndent);
        return true;
    case TRtfWord::SpaceBefore:
        para.Before = Clamp(p, 0, MaxIndent);
        return true;
    case TRtfWord::SpaceAfter:
        para.After = Clamp(p, 0, MaxIndent);
        return true;
    case TRtfWord::ListOverrideNumber:
        para.ListOverride = qMax(p, 0);
        return true;
    case TRtfWord::ListLevelNumber:
        para.ListLevel = Clamp(p, 0, MaxListLevels - 1);
        return true;
    case TRtfWord::TabRight:
        para.NextTabType = QTextOption::RightTab;
        return true;
    case TRtfWord::TabCentre:
        para.NextTabType = QTextOption::CenterTab;
        return true;
    case TRtfWord::TabDecimal:
        para.NextTabType = QTextOption::DelimiterTab;
        return true;
    case TRtfWord::TabPosition:
        if (para.Tabs.size() < MaxTabs && has) {
            para.Tabs.append(QTextOption::Tab(Clamp(p, 0, MaxIndent), para.NextTabType,
                                              para.NextTabType == QTextOption::DelimiterTab ? QChar(u'.') : QChar()));
        }
        para.NextTabType = QTextOption::LeftTab;
        return true;
    default:
        return false;
    }
}
