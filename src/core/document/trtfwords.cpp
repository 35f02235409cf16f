#include "trtfwords.h"

#include "trtftokenizer.h"

#include <string_view>
#include <unordered_map>

namespace {

using TWordTable = std::unordered_map<std::string_view, TRtfWord>;

const TWordTable& Words() {
    using W = TRtfWord;
    static const TWordTable table = [] {
        TWordTable t{
            {"rtf", W::Rtf}, {"ansi", W::Ansi}, {"mac", W::Mac}, {"pc", W::Pc},
            {"pca", W::Pca}, {"ansicpg", W::AnsiCpg}, {"deff", W::Deff},
            {"fonttbl", W::FontTable}, {"colortbl", W::ColourTable},
            {"listtable", W::ListTable}, {"list", W::List}, {"listlevel", W::ListLevel},
            {"listid", W::ListId}, {"levelnfc", W::LevelNfc}, {"levelnfcn", W::LevelNfc},
            {"leveltext", W::LevelText}, {"listoverridetable", W::ListOverrideTable},
            {"listoverride", W::ListOverride}, {"pn", W::Pn}, {"pnlvlblt", W::PnLvlBlt},
            {"pnlvlbody", W::PnLvlBody}, {"pnlvl", W::PnLvl}, {"pndec", W::PnDec},
            {"pnucltr", W::PnUcLtr}, {"pnlcltr", W::PnLcLtr}, {"pnucrm", W::PnUcRm},
            {"pnlcrm", W::PnLcRm}, {"pntxtb", W::PnTextBefore}, {"pntxta", W::PnTextAfter},
            {"nesttableprops", W::NestTableProps}, {"footnote", W::Footnote},
            {"chftn", W::NoteMark}, {"ftnalt", W::Endnote}, {"ftnstart", W::NoteStartAt},
            {"aftnstart", W::NoteStartAt}, {"fldrslt", W::FieldResult},
            {"fldinst", W::FieldInstruction}, {"upr", W::Upr}, {"ud", W::Ud},
            {"object", W::Object}, {"result", W::Result}, {"pict", W::Picture},
            {"shppict", W::ShapePicture}, {"nonshppict", W::NonShapePicture}, {"shp", W::Shape},
            {"shpinst", W::ShapeInstruction}, {"shprslt", W::ShapeResult},
            {"header", W::HeaderFooter}, {"headerl", W::HeaderFooter},
            {"headerr", W::HeaderFooter}, {"headerf", W::HeaderFooter},
            {"footer", W::HeaderFooter}, {"footerl", W::HeaderFooter},
            {"footerr", W::HeaderFooter}, {"footerf", W::HeaderFooter},
            {"titlepg", W::TitlePage}, {"facingp", W::FacingPages},
            {"f", W::Font}, {"fcharset", W::Charset}, {"cpg", W::Cpg}, {"red", W::Red},
            {"green", W::Green}, {"blue", W::Blue}, {"u", W::Unicode}, {"uc", W::UnicodeSkip},
            {"par", W::Par}, {"sect", W::Par}, {"page", W::Par}, {"line", W::Line},
            {"tab", W::Tab}, {"cell", W::Cell}, {"nestcell", W::NestCell}, {"row", W::Row},
            {"nestrow", W::NestRow}, {"emdash", W::EmDash}, {"endash", W::EnDash},
            {"lquote", W::LQuote}, {"rquote", W::RQuote}, {"ldblquote", W::LDblQuote},
            {"rdblquote", W::RDblQuote}, {"bullet", W::Bullet}, {"emspace", W::EmSpace},
            {"enspace", W::EnSpace}, {"qmspace", W::QmSpace}, {"zwj", W::Zwj},
            {"zwnj", W::Zwnj}, {"plain", W::Plain}, {"b", W::Bold}, {"i", W::Italic},
            {"ul", W::Underline}, {"uld", W::Underline}, {"uldb", W::Underline},
            {"ulw", W::Underline}, {"ulwave", W::Underline}, {"uldash", W::Underline},
            {"uldashd", W::Underline}, {"uldashdd", W::Underline}, {"ulth", W::Underline},
            {"ulhwave", W::Underline}, {"ululdbwave", W::Underline}, {"ulthd", W::Underline},
            {"ulthdash", W::Underline}, {"ulnone", W::UnderlineNone}, {"strike", W::Strike},
            {"striked", W::Strike}, {"fs", W::FontSize}, {"cf", W::Colour},
            {"highlight", W::Highlight}, {"cb", W::Highlight}, {"v", W::Hidden},
            {"super", W::Super}, {"sub", W::Sub}, {"nosupersub", W::NoSuperSub},
            {"up", W::Up}, {"dn", W::Down}, {"pard", W::Pard}, {"ql", W::AlignLeft},
            {"qc", W::AlignCentre}, {"qr", W::AlignRight}, {"qj", W::AlignJustify},
            {"li", W::LeftIndent}, {"lin", W::LeftIndent}, {"ri", W::RightIndent},
            {"rin", W::RightIndent}, {"fi", W::FirstIndent}, {"sb", W::SpaceBefore},
            {"sa", W::SpaceAfter}, {"ls", W::ListOverrideNumber}, {"ilvl", W::ListLevelNumber},
            {"tx", W::TabPosition}, {"tqr", W::TabRight}, {"tqc", W::TabCentre},
            {"tqdec", W::TabDecimal}, {"intbl", W::InTable}, {"itap", W::NestingLevel},
            {"trowd", W::RowDefaults}, {"trgaph", W::RowGap}, {"trleft", W::RowLeft},
            {"trql", W::RowAlignLeft}, {"trqc", W::RowAlignCentre}, {"trqr", W::RowAlignRight},
            {"trhdr", W::RowHeader}, {"trbrdrt", W::RowBorderTop},
            {"trbrdrl", W::RowBorderLeft}, {"trbrdrb", W::RowBorderBottom},
            {"trbrdrr", W::RowBorderRight}, {"trbrdrh", W::RowBorderInnerH},
            {"trbrdrv", W::RowBorderInnerV}, {"cellx", W::CellRight},
            {"clmgf", W::CellMergeFirst}, {"clmrg", W::CellMerge},
            {"clvmgf", W::CellVMergeFirst}, {"clvmrg", W::CellVMerge},
            {"clcbpat", W::CellBackground}, {"clcfpat", W::CellPatternColour},
            {"clshdng", W::CellShading}, {"clvertalt", W::CellTop},
            {"clvertalc", W::CellMiddle}, {"clvertalb", W::CellBottom},
            {"clbrdrt", W::CellBorderTop}, {"clbrdrl", W::CellBorderLeft},
            {"clbrdrb", W::CellBorderBottom}, {"clbrdrr", W::CellBorderRight},
            {"brdrt", W::ParagraphBorder}, {"brdrl", W::ParagraphBorder},
            {"brdrb", W::ParagraphBorder}, {"brdrr", W::ParagraphBorder},
            {"box", W::ParagraphBorder}, {"brdrbtw", W::ParagraphBorder},
            {"brdrnone", W::BorderNone}, {"brdrnil", W::BorderNone}, {"brdrs", W::BorderSingle},
            {"brdrsh", W::BorderSingle}, {"brdrhair", W::BorderSingle},
            {"brdrdb", W::BorderDouble}, {"brdrtriple", W::BorderDouble},
            {"brdrdot", W::BorderDotted}, {"brdrdash", W::BorderDashed},
            {"brdrdashsm", W::BorderDashed}, {"brdrdashd", W::BorderDashed},
            {"brdrdashdd", W::BorderDashed}, {"brdrth", W::BorderThick},
            {"brdrw", W::BorderWidth}, {"brdrcf", W::BorderColour},
            {"pngblip", W::PictureFormat}, {"jpegblip", W::PictureFormat},
            {"emfblip", W::PictureFormat}, {"wmetafile", W::PictureFormat},
            {"dibitmap", W::PictureFormat}, {"wbitmap", W::PictureFormat},
            {"macpict", W::PictureFormat}, {"pmmetafile", W::PictureFormat},
            {"picw", W::PictureWidth}, {"pich", W::PictureHeight},
            {"picwgoal", W::PictureGoalWidth}, {"pichgoal", W::PictureGoalHeight},
            {"picscalex", W::PictureScaleX}, {"picscaley", W::PictureScaleY},
        };
        for (const char* w : {"ftnnar", "ftnnalc", "ftnnauc", "ftnnrlc", "ftnnruc", "ftnnchi",
                              "aftnnar", "aftnnalc", "aftnnauc", "aftnnrlc", "aftnnruc", "aftnnchi"})
            t.emplace(w, W::NoteNumbering);
        // Destinations whose content is not part of the text; the text for readers that do
        // not know nested tables (\nonesttables) repeats what the nested cells hold.
        for (const char* w :
             {"info", "stylesheet", "nonesttables", "annotation", "atnid", "atnauthor", "xe",
              "tc", "txe", "rxe", "pntext", "listtext", "revtbl", "filetbl", "rsidtbl",
              "ftnsep", "ftnsepc", "ftncn", "aftnsep", "aftnsepc", "aftncn", "pnseclvl",
              "levelnumbers", "listname", "listpicture", "generator", "themedata",
              "colorschememapping", "datastore", "latentstyles", "xmlnstbl", "bkmkstart",
              "bkmkend", "template", "docvar", "userprops", "comment", "objdata", "objclass",
              "objname", "fldtype", "mmathPr", "pgdsctbl", "protusertbl", "falt", "panose",
              "lfolevel", "keywords", "title", "subject", "author", "operator", "doccomm",
              "blipuid", "picprop"})
            t.emplace(w, W::SkipDestination);
        return t;
    }();
    return table;
}

} // namespace

TRtfWord TRtfWords::Lookup(QByteArrayView word) {
    if (word.size() > TRtfTokenizer::MaxWordLength)
        return TRtfWord::Unknown;
    const auto& table = Words();
    auto it = table.find(std::string_view(word.data(), size_t(word.size())));
    return it == table.end() ? TRtfWord::Unknown : it->second;
}

bool TRtfWords::IsDestination(TRtfWord w) {
    switch (w) {
    case TRtfWord::FontTable:
    case TRtfWord::ColourTable:
    case TRtfWord::ListTable:
    case TRtfWord::List:
    case TRtfWord::ListLevel:
    case TRtfWord::ListOverrideTable:
    case TRtfWord::ListOverride:
    case TRtfWord::Pn:
    case TRtfWord::FieldResult:
    case TRtfWord::FieldInstruction:
    case TRtfWord::Upr:
    case TRtfWord::Ud:
    case TRtfWord::Object:
    case TRtfWord::Result:
    case TRtfWord::LevelText:
    case TRtfWord::PnTextBefore:
    case TRtfWord::PnTextAfter:
    case TRtfWord::NestTableProps:
    case TRtfWord::Footnote:
    case TRtfWord::SkipDestination:
    case TRtfWord::Picture:
    case TRtfWord::ShapePicture:
    case TRtfWord::NonShapePicture:
    case TRtfWord::Shape:
    case TRtfWord::ShapeInstruction:
    case TRtfWord::ShapeResult:
    case TRtfWord::HeaderFooter:
        return true;
    default:
        return false;
    }
}
