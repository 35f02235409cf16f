#include "tframecommands.h"

#include "document/tbaseform.h"
#include "model/tboltgroupform.h"
#include "model/tboltviewmenu.h"
#include "shell/tsettings.h"
#include "tdialogs.h"
#include "tframearea.h"
#include "thelpviewer.h"
#include "timagelist.h"
#include "tmainform.h"
#include "tmakercontact.h"
#include "tmenubarstyle.h"
#include "tmenuitems.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFontMetrics>
#include <QLineEdit>
#include <QListView>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPainter>
#include <QPointer>
#include <QStyledItemDelegate>
#include <QTextEdit>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

namespace {

// A hint "tip |status text": the tool tip is the part before the bar, the status text the part
// after it; a hint without a bar is both.
void SetHint(QAction* action, const QString& hint) {
    const qsizetype bar = hint.indexOf(QLatin1Char('|'));
    if (bar < 0) {
        action->setToolTip(hint);
        action->setStatusTip(hint);
    } else {
        action->setToolTip(hint.left(bar).trimmed());
        action->setStatusTip(hint.mid(bar + 1).trimmed());
    }
}

QAction* AddButton(QToolBar* bar, const char* name, TImageList::TImage image, const QString& hint) {
    auto* action = bar->addAction(TImageList::Icon(image), QString());
    action->setObjectName(QLatin1String(name));
    SetHint(action, hint);
    if (action->toolTip().isEmpty())
        action->setToolTip(QLatin1String(name));
    action->setText(action->toolTip());
    return action;
}


// The font-name box's items: the sample "Aa" in the item's font, then the name in the box's own.
class TFontNameDelegate : public QStyledItemDelegate {
public:
    TFontNameDelegate(TMainForm* form, QObject* parent) : QStyledItemDelegate(parent), Form(form) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        const bool selected = option.state & QStyle::State_Selected;
        painter->fillRect(option.rect, option.palette.brush(selected ? QPalette::Highlight
                                                                     : QPalette::Base));
        painter->setPen(option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
        const QString name = index.data().toString();
        QFont sample(name);
        sample.setPointSizeF(option.font.pointSizeF());
        painter->setFont(sample);
        QRect r = option.rect.adjusted(5, 0, 0, 0);
        painter->drawText(r, Qt::AlignLeft | Qt::AlignVCenter, Form->FontSampleText);
        painter->setFont(option.font);
        r = option.rect.adjusted(Form->FontSampleWidth + 10, 0, 0, 0);
        painter->drawText(r, Qt::AlignLeft | Qt::AlignVCenter, name);
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QFont sample(index.data().toString());
        sample.setPointSizeF(option.font.pointSizeF());
        QFont sans(QStringLiteral("MS Sans Serif"));
        sans.setPointSizeF(option.font.pointSizeF());
        const int h = qMax(QFontMetrics(sample).height() + 2, QFontMetrics(sans).height() + 2);
        return QSize(Form->FontSampleWidth + 10 +
                         QFontMetrics(option.font).horizontalAdvance(index.data().toString()) + 4,
                     h);
    }

private:
    TMainForm* Form;
};

// The font-name box stops the frame's timer while its list is dropped down.
class TFontNameBox : public QComboBox {
public:
    TFontNameBox(TMainForm* form, QWidget* parent) : QComboBox(parent), Form(form) {}
    void showPopup() override {
        Form->Timer1->stop();
        QComboBox::showPopup();
    }
    void hidePopup() override {
        QComboBox::hidePopup();
        if (!Form->Timer1->isActive())
            Form->Timer1->start();
    }

private:
    TMainForm* Form;
};

} // namespace

void TFrameCommands::CreateMenus(TMainForm* self) {
    self->MainMenu1 = new QMenuBar(self);
    self->MainMenu1->setObjectName(QStringLiteral("MainMenu1"));
    self->MainMenu1->setNativeMenuBar(false);
    // The File menu shows its picture beside its caption.
    auto* menuStyle = new TMenuBarStyle;
    menuStyle->setParent(self->MainMenu1);
    self->MainMenu1->setStyle(menuStyle);
    TFrameCommands::CreateFileMenu(self);
    TFrameCommands::CreateEditMenu(self);
    TFrameCommands::CreateOptionsMenu(self);
    self->View1 = self->MainMenu1->addMenu(QStringLiteral("&View"));
    self->View1->setObjectName(QStringLiteral("View1"));
    self->ViewMenuAction = self->View1->menuAction();
    // The view commands of the active bolt group window.
    QPointer<TMainForm> frame(self);
    TBoltViewMenu::BuildFrameMenu(self->View1, [frame]() -> TBoltGroupForm* {
        return frame ? qobject_cast<TBoltGroupForm*>(frame->ActiveDocument()) : nullptr;
    });
    TFrameCommands::CreateWindowMenu(self);
    TFrameCommands::CreateHelpMenu(self);
}

void TFrameCommands::CreateFileMenu(TMainForm* self) {
    self->File1 = self->MainMenu1->addMenu(QStringLiteral("&File"));
    self->File1->setObjectName(QStringLiteral("File1"));
    self->File1->menuAction()->setProperty("HelpContext", 301);
    self->New1 = TMenuItems::AddSubmenu(self->File1, "New1", QStringLiteral("&New"), 301,
                                        QStringLiteral("Choose New Document Type"));
    self->New1->menuAction()->setIcon(TImageList::Icon(TImageList::New));
    self->TextEditFile1 =
        TMenuItems::AddItem(self->New1, "TextEditFile1", QStringLiteral("Text Editor"), 301,
                            QStringLiteral("New Text Editor Document"));
    self->New1->addSeparator();
    self->BoltGroupAnalysis1 =
        TMenuItems::AddItem(self->New1, "BoltGroupAnalysis1", QStringLiteral("Bolt Group Analysis"),
                            301, QStringLiteral("New Bolt Group Analysis"));
    self->Open1 = TMenuItems::AddItem(self->File1, "Open1", QStringLiteral("&Open"), 302,
                                      QStringLiteral("Open Existing Document"),
                                      QKeySequence(QStringLiteral("Ctrl+O")));
    self->Close1 = TMenuItems::AddItem(self->File1, "Close1", QStringLiteral("&Close"), 303,
                                       QStringLiteral("Close Document"),
                                       QKeySequence(QStringLiteral("Ctrl+F4")));
    self->Save1 = TMenuItems::AddItem(self->File1, "Save1", QStringLiteral("Save"), 304,
                                      QStringLiteral("Save Document"),
                                      QKeySequence(QStringLiteral("Ctrl+S")));
    self->SaveAs1 = TMenuItems::AddItem(self->File1, "SaveAs1", QStringLiteral("Save &As..."), 305,
                                        QStringLiteral("Save Document with a New Name"));
    self->File1->addSeparator();
    self->Print1 = TMenuItems::AddItem(self->File1, "Print1", QStringLiteral("&Print"), 306,
                                       QStringLiteral("Print Document"),
                                       QKeySequence(QStringLiteral("Ctrl+P")));
    self->PrinterSetup1 =
        TMenuItems::AddItem(self->File1, "PrinterSetup1", QStringLiteral("Printer Setup"), 307,
                            QStringLiteral("Select Printer and Printer Settings"));
    self->File1->addSeparator();
    self->Send1 = TMenuItems::AddItem(self->File1, "Send1", QStringLiteral("Send..."), 308,
                                      QStringLiteral("Send Document as an E-Mail Attachment"));
    self->SendSeparator = self->File1->addSeparator();
    self->Exit1 = TMenuItems::AddItem(self->File1, "Exit1", QStringLiteral("&Exit"), 309,
                                      QStringLiteral("Exit, Closing all Documents"));
    self->Open1->setIcon(TImageList::Icon(TImageList::Open));
    self->Close1->setIcon(TImageList::Icon(TImageList::Close));
    self->Save1->setIcon(TImageList::Icon(TImageList::Save));
    self->SaveAs1->setIcon(TImageList::Icon(TImageList::SaveAs));
    self->Print1->setIcon(TImageList::Icon(TImageList::Print));
    self->Exit1->setIcon(TImageList::Icon(TImageList::Exit));

    QObject::connect(self->TextEditFile1, &QAction::triggered, self, &TMainForm::TextEditFile1Click);
    QObject::connect(self->BoltGroupAnalysis1, &QAction::triggered, self, &TMainForm::BoltGroupAnalysis1Click);
    QObject::connect(self->Open1, &QAction::triggered, self, &TMainForm::Open1Click);
    QObject::connect(self->Close1, &QAction::triggered, self, &TMainForm::Close1Click);
    QObject::connect(self->Save1, &QAction::triggered, self, [self] {
        if (TBaseForm* d = self->ActiveDocument())
            d->SaveDocument();
    });
    QObject::connect(self->SaveAs1, &QAction::triggered, self, [self] {
        if (TBaseForm* d = self->ActiveDocument())
            d->SaveDocumentAs();
    });
    QObject::connect(self->Print1, &QAction::triggered, self, &TMainForm::Print1Click);
    QObject::connect(self->PrinterSetup1, &QAction::triggered, self, &TMainForm::PrinterSetup1Click);
    QObject::connect(self->Send1, &QAction::triggered, self, [self] {
        if (TBaseForm* d = self->ActiveDocument())
            d->SendDocument();
    });
    QObject::connect(self->Exit1, &QAction::triggered, self, &TMainForm::Exit1Click);
    QObject::connect(self->File1, &QMenu::aboutToShow, self, &TMainForm::File1Click);
}

void TFrameCommands::CreateEditMenu(TMainForm* self) {
    self->Edit1 = self->MainMenu1->addMenu(QStringLiteral("&Edit"));
    self->Edit1->setObjectName(QStringLiteral("Edit1"));
    QMenu* m = self->Edit1;
    self->Undo1 = TMenuItems::AddItem(m, "Undo1", QStringLiteral("&Undo"), 350,
                                      QStringLiteral("Undo Last Action"),
                                      QKeySequence(QStringLiteral("Ctrl+Z")));
    self->Redo1 = TMenuItems::AddItem(m, "Redo1", QStringLiteral("&Redo"), 350,
                                      QStringLiteral("Redo Last Undone Action"),
                                      QKeySequence(QStringLiteral("Ctrl+Y")));
    self->Redo1->setShortcuts({QKeySequence(QStringLiteral("Ctrl+Y")),
                               QKeySequence(QStringLiteral("Ctrl+Shift+Z"))});
    QAction* s1 = m->addSeparator();
    self->Cut1 = TMenuItems::AddItem(m, "Cut1", QStringLiteral("Cu&t"), 351,
                                     QStringLiteral("Cut Selection to Clipboard"),
                                     QKeySequence(QStringLiteral("Ctrl+X")));
    self->Copy1 = TMenuItems::AddItem(m, "Copy1", QStringLiteral("&Copy"), 352,
                                      QStringLiteral("Copy Selection to Clipboard"),
                                      QKeySequence(QStringLiteral("Ctrl+C")));
    self->Paste1 = TMenuItems::AddItem(m, "Paste1", QStringLiteral("&Paste"), 353,
                                       QStringLiteral("Paste from Clipboard"),
                                       QKeySequence(QStringLiteral("Ctrl+V")));
    QAction* s2 = m->addSeparator();
    self->SelectAll1 = TMenuItems::AddItem(m, "SelectAll1", QStringLiteral("Se&lect All"), 354,
                                           QStringLiteral("Select All text in Document"));
    QAction* s3 = m->addSeparator();
    self->Font1 = TMenuItems::AddItem(m, "Font1", QStringLiteral("Font ..."), 355,
                                      QStringLiteral("Change Font Details"));
    self->WordWrap1 = TMenuItems::AddItem(m, "WordWrap1", QStringLiteral("Word Wrap"), 356,
                                          QStringLiteral("Wrap Text to fit within window"));
    self->WordWrap1->setCheckable(true);
    self->TextStyle1 = TMenuItems::AddSubmenu(m, "TextStyle1", QStringLiteral("Text Style"), 357,
                                              QStringLiteral("Change Text Style"));
    const char* styleNames[] = {"Bold2", "Itallics1", "Underline2", "Strikeout2"};
    const QString styleCaptions[] = {QStringLiteral("Bold"), QStringLiteral("Itallics"),
                                     QStringLiteral("Underline"), QStringLiteral("Strikeout")};
    for (int tag = 0; tag < 4; ++tag) {
        QAction* a = TMenuItems::AddItem(self->TextStyle1, styleNames[tag], styleCaptions[tag], 357,
                                         QStringLiteral("Change Text Style"));
        a->setData(tag);
        self->TextStyleItems.append(a);
        QObject::connect(a, &QAction::triggered, self, [self, tag] {
            if (TBaseForm* d = self->ActiveDocument())
                d->Bold1Click(tag);
        });
    }
    self->TextAlignment2 =
        TMenuItems::AddSubmenu(m, "TextAlignment2", QStringLiteral("Text Alignment"), 358,
                               QStringLiteral("Change Text Alignment"));
    const struct {
        const char* name;
        const char* caption;
        int tag;
    } alignments[] = {{"Left2", "Left", 0}, {"Centre2", "Centre", 2}, {"Right2", "Right", 1}};
    for (const auto& a : alignments) {
        QAction* item = TMenuItems::AddItem(self->TextAlignment2, a.name, QLatin1String(a.caption),
                                            358, QStringLiteral("Change Text Alignment"));
        const int tag = a.tag;
        item->setData(tag);
        QObject::connect(item, &QAction::triggered, self, [self, tag] {
            if (TBaseForm* d = self->ActiveDocument())
                d->Left1Click(tag);
        });
    }
    self->TextCase1 = TMenuItems::AddSubmenu(m, "TextCase1", QStringLiteral("Text Case"), 359,
                                             QStringLiteral("Change Text Case"));
    const struct {
        const char* name;
        const char* caption;
    } cases[] = {{"UPPERCASE1", "&UPPER CASE"}, {"lowercase1", "&Lower case"},
                 {"InitialCapitals1", "&Initial Capitals"}};
    for (int tag = 0; tag < 3; ++tag) {
        QAction* item =
            TMenuItems::AddItem(self->TextCase1, cases[tag].name, QLatin1String(cases[tag].caption),
                                359, QStringLiteral("Change Text Case"));
        item->setData(tag);
        QObject::connect(item, &QAction::triggered, self, [self, tag] {
            if (TBaseForm* d = self->ActiveDocument())
                d->ChangeTextCase(tag);
        });
    }
    QAction* s4 = m->addSeparator();
    self->SpellCheck1 = TMenuItems::AddItem(m, "SpellCheck1", QStringLiteral("Spell Check"), 360,
                                            QStringLiteral("Spell Check Document"));
    self->Find1 = TMenuItems::AddItem(m, "Find1", QStringLiteral("Find..."), 361,
                                      QStringLiteral("Find Text in Document"));
    self->Replace1 = TMenuItems::AddItem(m, "Replace1", QStringLiteral("Replace..."), 362,
                                         QStringLiteral("Find & Replace Text in Document"));
    self->Statistics1 = TMenuItems::AddItem(m, "Statistics1", QStringLiteral("Statistics..."), 770,
                                            QStringLiteral("Document Statistics"));
    self->GotoLine1 = TMenuItems::AddItem(m, "GotoLine1", QStringLiteral("Goto Line..."), 771,
                                          QStringLiteral("Goto a specified line in the document"));
    QAction* s5 = m->addSeparator();
    self->Preferences1 = TMenuItems::AddItem(m, "Preferences1", QStringLiteral("Preferences..."),
                                             760, QStringLiteral("Environment Preferences"));
    m->addSeparator();
    self->ToolBars1 = TMenuItems::AddSubmenu(m, "ToolBars1", QStringLiteral("Tool Bars"), 363,
                                             QStringLiteral("Tool Bar Options"));
    const struct {
        const char* name;
        const char* caption;
        int help;
        const char* hint;
    } bars[] = {
        {"File2", "File Toolbar", 201, "Toolbar with File Handling Operations"},
        {"Clipboard1", "Editing Toolbar", 202, "Toolbar with Clipboard & Editing Options"},
        {"Help3", "Help Toolbar", 204, "Toolbar with Help Options"},
        {"TextFormat1", "Text Format Toolbar", 203, "Toolbar with Text Format Options"},
        {"ParagraphFormat1", "Paragraph Format Toolbar", 205, "Toolbar with Paragraph Format Options"},
        {"WordTools2", "Word Tools", 206, "Toolbar with Spell Checker & Find/ Replace"},
    };
    // Menu order File, Editing, Help, Text Format, Paragraph Format, Word: tool bars 1, 2, 4, 3,
    // 5, 6.
    const int barIndex[] = {1, 2, 4, 3, 5, 6};
    for (int i = 0; i < 6; ++i) {
        QAction* a =
            TMenuItems::AddItem(self->ToolBars1, bars[i].name, QLatin1String(bars[i].caption),
                                bars[i].help, QLatin1String(bars[i].hint));
        a->setCheckable(true);
        a->setData(barIndex[i]);
        self->ToolBarItems.append(a);
        const int index = barIndex[i];
        QObject::connect(a, &QAction::triggered, self, [self, index] { self->ToggleToolBar(index); });
    }
    self->ToolBars1->addSeparator();
    QAction* restore =
        TMenuItems::AddItem(self->ToolBars1, "Restore2", QStringLiteral("Restore Toolbars"), 363,
                            QStringLiteral("Restore all toolbars to their default settings"));
    QObject::connect(restore, &QAction::triggered, self, &TMainForm::Restore1Click);
    QObject::connect(self->ToolBars1, &QMenu::aboutToShow, self, [self] { self->UpdateToolBarChecks(self->ToolBarItems); });

    self->Undo1->setIcon(TImageList::Icon(TImageList::Undo));
    self->Cut1->setIcon(TImageList::Icon(TImageList::Cut));
    self->Copy1->setIcon(TImageList::Icon(TImageList::Copy));
    self->Paste1->setIcon(TImageList::Icon(TImageList::Paste));
    self->Font1->setIcon(TImageList::Icon(TImageList::Font));
    self->SpellCheck1->setIcon(TImageList::Icon(TImageList::SpellCheck));
    self->Find1->setIcon(TImageList::Icon(TImageList::Find));
    self->Replace1->setIcon(TImageList::Icon(TImageList::Replace));

    self->DocumentEditItems = {self->Undo1, self->Redo1, s1, self->Cut1, self->Copy1, self->Paste1, s2, self->SelectAll1, s3, self->Font1, self->WordWrap1,
                         self->TextStyle1->menuAction(), self->TextAlignment2->menuAction(),
                         self->TextCase1->menuAction(), s4, self->SpellCheck1, self->Find1, self->Replace1, self->Statistics1,
                         self->GotoLine1, s5};

    auto forward = [self](QAction* a, void (TBaseForm::*op)()) {
        QObject::connect(a, &QAction::triggered, self, [self, op] {
            if (TBaseForm* d = self->ActiveDocument())
                (d->*op)();
        });
    };
    forward(self->Undo1, &TBaseForm::Undo);
    forward(self->Redo1, &TBaseForm::Redo);
    forward(self->Cut1, &TBaseForm::Cut);
    forward(self->Copy1, &TBaseForm::Copy);
    forward(self->Paste1, &TBaseForm::Paste);
    forward(self->SelectAll1, &TBaseForm::SelectAllText);
    forward(self->Font1, &TBaseForm::ChooseFont);
    forward(self->WordWrap1, &TBaseForm::ToggleWordWrap);
    forward(self->SpellCheck1, &TBaseForm::SpellCheckDocument);
    forward(self->Find1, &TBaseForm::Find1Click);
    forward(self->Replace1, &TBaseForm::Replace1Click);
    forward(self->Statistics1, &TBaseForm::ShowStatistics);
    forward(self->GotoLine1, &TBaseForm::GotoLine);
    QObject::connect(self->Preferences1, &QAction::triggered, self, &TMainForm::Preferences1Click);
    QObject::connect(self->Edit1, &QMenu::aboutToShow, self, &TMainForm::Edit1Click);
    // The submenus show the selection's style and the paragraph's alignment; the case items
    // work only on a selection.
    QObject::connect(self->TextStyle1, &QMenu::aboutToShow, self, [self] {
        if (TBaseForm* d = self->ActiveDocument())
            d->TextStyle1Click(self->TextStyle1->actions());
    });
    QObject::connect(self->TextAlignment2, &QMenu::aboutToShow, self, [self] {
        if (TBaseForm* d = self->ActiveDocument())
            d->TextAlignment1Click(self->TextAlignment2->actions());
    });
    QObject::connect(self->TextCase1, &QMenu::aboutToShow, self, [self] {
        TBaseForm* d = self->ActiveDocument();
        for (QAction* a : self->TextCase1->actions())
            a->setEnabled(d && d->HasSelection());
    });
}

void TFrameCommands::CreateOptionsMenu(TMainForm* self) {
    self->Options1 = self->MainMenu1->addMenu(QStringLiteral("&Options"));
    self->Options1->setObjectName(QStringLiteral("Options1"));
    self->OptionsMenuAction = self->Options1->menuAction();
    self->Titles1 =
        TMenuItems::AddSubmenu(self->Options1, "Titles1", QStringLiteral("Titles"), 401,
                               QStringLiteral("Change Auto Format settings for Titles"));
    self->N9 = self->Options1->addSeparator();
    self->N9->setObjectName(QStringLiteral("N9"));
    self->Subtitles1 =
        TMenuItems::AddSubmenu(self->Options1, "Subtitles1", QStringLiteral("Subtitles"), 402,
                               QStringLiteral("Change Auto Format settings for Subtitles"));
    const QString captions[] = {QStringLiteral("&Bold"), QStringLiteral("&Itallics"),
                                QStringLiteral("&Underline"), QStringLiteral("&Strikeout")};
    const char* titleNames[] = {"Bold3", "Itallics2", "Underline3", "Strikeout3"};
    const char* subtitleNames[] = {"Bold4", "Itallics3", "Underline4", "Strikeout4"};
    for (int tag = 0; tag < 4; ++tag) {
        QAction* t = TMenuItems::AddItem(self->Titles1, titleNames[tag], captions[tag], 401,
                                         QStringLiteral("Change Auto Format settings for Titles"));
        QAction* s =
            TMenuItems::AddItem(self->Subtitles1, subtitleNames[tag], captions[tag], 402,
                                QStringLiteral("Change Auto Format settings for Subtitles"));
        for (QAction* a : {t, s}) {
            a->setCheckable(true);
            a->setData(tag);
        }
        QObject::connect(t, &QAction::triggered, self, [self, tag] {
            if (TBaseForm* d = self->ActiveDocument())
                d->ToggleTitleStyle(tag);
        });
        QObject::connect(s, &QAction::triggered, self, [self, tag] {
            if (TBaseForm* d = self->ActiveDocument())
                d->ToggleSubtitleStyle(tag);
        });
    }
    QObject::connect(self->Titles1, &QMenu::aboutToShow, self, [self] {
        const TBaseForm* d = self->ActiveDocument();
        for (QAction* a : self->Titles1->actions())
            a->setChecked(d && d->TitleStyle.Has(TFontStyle(a->data().toInt())));
    });
    QObject::connect(self->Subtitles1, &QMenu::aboutToShow, self, [self] {
        const TBaseForm* d = self->ActiveDocument();
        for (QAction* a : self->Subtitles1->actions())
            a->setChecked(d && d->SubtitleStyle.Has(TFontStyle(a->data().toInt())));
    });
    QObject::connect(self->Options1, &QMenu::aboutToShow, self, &TMainForm::Options1Click);
}

void TFrameCommands::CreateWindowMenu(TMainForm* self) {
    self->Window1 = self->MainMenu1->addMenu(QStringLiteral("&Window"));
    self->Window1->setObjectName(QStringLiteral("Window1"));
    self->WindowMenuAction = self->Window1->menuAction();
    self->Cascade1 = TMenuItems::AddItem(self->Window1, "Cascade1", QStringLiteral("&Cascade"), 451,
                                         QStringLiteral("Cascade Documents"));
    self->TileHorizontal1 =
        TMenuItems::AddItem(self->Window1, "TileHorizontal1", QStringLiteral("Tile &Horizontal"),
                            452, QStringLiteral("Tile Documents Horizontally"));
    self->TileHorizontal1->setData(0);
    self->TileVertical1 =
        TMenuItems::AddItem(self->Window1, "TileVertical1", QStringLiteral("Tile &Vertical"), 453,
                            QStringLiteral("Tile Documents Vertically"));
    self->TileVertical1->setData(1);
    self->NextWindow1 =
        TMenuItems::AddItem(self->Window1, "NextWindow1", QStringLiteral("&Next Window"), 454,
                            QStringLiteral("Change to Next Document"));
    self->PreviousWindow1 =
        TMenuItems::AddItem(self->Window1, "PreviousWindow1", QStringLiteral("&Previous Window"),
                            455, QStringLiteral("Change to Previous Document"));
    self->ArrangeIcons1 =
        TMenuItems::AddItem(self->Window1, "ArrangeIcons1", QStringLiteral("&Arrange Icons"), 456,
                            QStringLiteral("Arrange Document Icons"));
    self->Window1->addSeparator();
    self->Maximise1 =
        TMenuItems::AddItem(self->Window1, "Maximise1", QStringLiteral("Maximize Window"), 457,
                            QStringLiteral("Maximize Document Window"));
    self->Maximise1->setData(2);
    self->Restore3 =
        TMenuItems::AddItem(self->Window1, "Restore3", QStringLiteral("Restore Window"), 457,
                            QStringLiteral("Restore Document Window Size"));
    self->Restore3->setData(0);
    self->Minimize1 =
        TMenuItems::AddItem(self->Window1, "Minimize1", QStringLiteral("Minimize Window"), 457,
                            QStringLiteral("Minimize Document Window"));
    self->Minimize1->setData(1);
    QObject::connect(self->Cascade1, &QAction::triggered, self->ClientArea, &QMdiArea::cascadeSubWindows);
    QObject::connect(self->TileHorizontal1, &QAction::triggered, self, [self] { self->TileDocuments(0); });
    QObject::connect(self->TileVertical1, &QAction::triggered, self, [self] { self->TileDocuments(1); });
    QObject::connect(self->NextWindow1, &QAction::triggered, self->ClientArea, &QMdiArea::activateNextSubWindow);
    QObject::connect(self->PreviousWindow1, &QAction::triggered, self->ClientArea, &QMdiArea::activatePreviousSubWindow);
    QObject::connect(self->ArrangeIcons1, &QAction::triggered, self->ClientArea, &TFrameArea::ArrangeIcons);
    for (QAction* a : {self->Maximise1, self->Restore3, self->Minimize1}) {
        const int tag = a->data().toInt();
        QObject::connect(a, &QAction::triggered, self, [self, tag] { self->SetWindowState(tag); });
    }
    QObject::connect(self->Window1, &QMenu::aboutToShow, self, &TMainForm::Window1Click);
}

void TFrameCommands::CreateHelpMenu(TMainForm* self) {
    self->Help1 = self->MainMenu1->addMenu(QStringLiteral("&Help"));
    self->Help1->setObjectName(QStringLiteral("Help1"));
    QAction* help =
        TMenuItems::AddItem(self->Help1, "Help2", QStringLiteral("&Help"), 501,
                            QStringLiteral("Open the Help File"), QKeySequence(Qt::Key_F1));
    help->setIcon(TImageList::Icon(TImageList::Help));
    QAction* helpOnHelp =
        TMenuItems::AddItem(self->Help1, "HelpOnHelp1", QStringLiteral("Help &On Help"), 502,
                            QStringLiteral("How to use Help Files"));
    self->Help1->addSeparator();
    QAction* web =
        TMenuItems::AddItem(self->Help1, "QuorvaneWebSite1", QStringLiteral("Quorvane &Web Site"),
                            503, QStringLiteral("Visit ") + TMakerContact::WebSiteAddress());
    QAction* sales = TMenuItems::AddItem(self->Help1, "SalesDepartment1",
                                         QStringLiteral("Quorvane &Sales Department"), 504,
                                         QStringLiteral("E-Mail The Quorvane Sales Department"));
    self->Help1->addSeparator();
    QAction* support =
        TMenuItems::AddItem(self->Help1, "TechnicalSupport1", QStringLiteral("&Technical Support"),
                            505, QStringLiteral("E-Mail Technical Support"));
    self->Help1->addSeparator();
    QAction* about = TMenuItems::AddItem(self->Help1, "About1", QStringLiteral("&About"), 506,
                                         QStringLiteral("Information about Quorvane"));
    about->setIcon(TImageList::Icon(TImageList::About));
    QObject::connect(help, &QAction::triggered, self, [self] { self->HelpViewer()->ShowContents(); });
    QObject::connect(helpOnHelp, &QAction::triggered, self,
                     [self] { self->HelpViewer()->ShowHelpOnHelp(); });
    QObject::connect(web, &QAction::triggered, self, [] { TMakerContact::OpenWebSite(); });
    QObject::connect(sales, &QAction::triggered, self,
                     [] { TMakerContact::MailSales(QStringLiteral("Quorvane Fastenex enquiry")); });
    QObject::connect(support, &QAction::triggered, self, [] {
        TMakerContact::MailSupport(QStringLiteral("Quorvane Fastenex support request"));
    });
    QObject::connect(about, &QAction::triggered, self, [self] { TDialogs::Current().About(self); });
}

void TFrameCommands::CreateToolBars(TMainForm* self) {
    auto makeBar = [self](const char* name, const QString& caption) {
        auto* bar = new QToolBar(caption, self);
        bar->setObjectName(QLatin1String(name));
        bar->setIconSize(QSize(16, 16));
        bar->setMovable(true);
        bar->setFloatable(true);
        bar->setAllowedAreas(Qt::TopToolBarArea | Qt::BottomToolBarArea | Qt::LeftToolBarArea |
                             Qt::RightToolBarArea);
        return bar;
    };
    self->ToolBar7 = makeBar("ToolBar7", QString());
    self->ToolBar7->setMovable(false);
    self->ToolBar7->setFloatable(false);
    self->ToolBar7->addWidget(self->MainMenu1);
    self->ToolBar8 = makeBar("ToolBar8", QString());
    self->ToolBar8->setMovable(false);
    self->MinimizeButton = AddButton(self->ToolBar8, "MinimizeButton", TImageList::Minimize,
                               QStringLiteral("Minimize Document Window"));
    self->MaximizeButton = AddButton(self->ToolBar8, "MaximizeButton", TImageList::Maximize,
                               QStringLiteral("Maximize Document Window"));
    self->RestoreButton = AddButton(self->ToolBar8, "RestoreButton", TImageList::Restore,
                              QStringLiteral("Restore Document Window Size"));
    self->CloseWindowButton = AddButton(self->ToolBar8, "CloseWindowButton", TImageList::Close,
                                  QStringLiteral("Close |Close Document"));
    self->MinimizeButton->setData(1);
    self->MaximizeButton->setData(2);
    self->RestoreButton->setData(0);
    for (QAction* a : {self->MinimizeButton, self->MaximizeButton, self->RestoreButton}) {
        const int tag = a->data().toInt();
        QObject::connect(a, &QAction::triggered, self, [self, tag] { self->SetWindowState(tag); });
    }
    QObject::connect(self->CloseWindowButton, &QAction::triggered, self, &TMainForm::Close1Click);
    // The document window buttons sit at the right end of the menu's row.
    self->MainMenu1->setCornerWidget(self->ToolBar8, Qt::TopRightCorner);
    self->ToolBar8->hide();

    self->ToolBar1 = makeBar("ToolBar1", QStringLiteral("File Toolbar"));
    self->NewButton = AddButton(self->ToolBar1, "NewButton", TImageList::New,
                          QStringLiteral("New Text Editor |New Text Editor Document"));
    self->PopupMenu1 = new QMenu(self);
    self->PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    QAction* textEditor = self->PopupMenu1->addAction(QStringLiteral("Text Editor"));
    textEditor->setObjectName(QStringLiteral("TextEditor1"));
    self->PopupMenu1->addSeparator();
    QAction* boltGroup = self->PopupMenu1->addAction(QStringLiteral("Bolt Group Analysis"));
    boltGroup->setObjectName(QStringLiteral("BoltGroupAnalysis2"));
    self->NewButton->setMenu(self->PopupMenu1);
    if (auto* button = qobject_cast<QToolButton*>(self->ToolBar1->widgetForAction(self->NewButton)))
        button->setPopupMode(QToolButton::MenuButtonPopup);
    QObject::connect(self->NewButton, &QAction::triggered, self, &TMainForm::TextEditFile1Click);
    QObject::connect(textEditor, &QAction::triggered, self, &TMainForm::TextEditFile1Click);
    QObject::connect(boltGroup, &QAction::triggered, self, &TMainForm::BoltGroupAnalysis1Click);
    self->OpenButton = AddButton(self->ToolBar1, "OpenButton", TImageList::Open, QStringLiteral("Open | Open File"));
    self->CloseButton = AddButton(self->ToolBar1, "CloseButton", TImageList::Close,
                            QStringLiteral("Close |Close Document"));
    self->SaveButton = AddButton(self->ToolBar1, "SaveButton", TImageList::Save,
                           QStringLiteral("Save |Save Document"));
    self->SaveAsButton = AddButton(self->ToolBar1, "SaveAsButton", TImageList::SaveAs,
                             QStringLiteral("Save As... |Save Document with a New Name"));
    self->PrintButton = AddButton(self->ToolBar1, "PrintButton", TImageList::Print,
                            QStringLiteral("Print |Print Document"));
    self->ToolBar1->addSeparator();
    self->ExitButton = AddButton(self->ToolBar1, "ExitButton", TImageList::Exit,
                           QStringLiteral("Exit |Exit Program, Closing all Documents"));
    QObject::connect(self->OpenButton, &QAction::triggered, self, &TMainForm::Open1Click);
    QObject::connect(self->CloseButton, &QAction::triggered, self, &TMainForm::Close1Click);
    QObject::connect(self->SaveButton, &QAction::triggered, self->Save1, &QAction::trigger);
    QObject::connect(self->SaveAsButton, &QAction::triggered, self->SaveAs1, &QAction::trigger);
    QObject::connect(self->PrintButton, &QAction::triggered, self, &TMainForm::Print1Click);
    QObject::connect(self->ExitButton, &QAction::triggered, self, &TMainForm::Exit1Click);

    self->ToolBar2 = makeBar("ToolBar2", QStringLiteral("Edit Toolbar"));
    self->CutButton = AddButton(self->ToolBar2, "CutButton", TImageList::Cut, QStringLiteral("Cut |Cut Selected Text"));
    self->CopyButton = AddButton(self->ToolBar2, "CopyButton", TImageList::Copy,
                           QStringLiteral("Copy |Copy Selected Text"));
    self->PasteButton = AddButton(self->ToolBar2, "PasteButton", TImageList::Paste,
                            QStringLiteral("Paste |Paste from Clipboard to document"));
    self->ToolBar2->addSeparator();
    self->UndoButton = AddButton(self->ToolBar2, "UndoButton", TImageList::Undo,
                           QStringLiteral("Undo |Undo last action"));
    QObject::connect(self->CutButton, &QAction::triggered, self->Cut1, &QAction::trigger);
    QObject::connect(self->CopyButton, &QAction::triggered, self->Copy1, &QAction::trigger);
    QObject::connect(self->PasteButton, &QAction::triggered, self->Paste1, &QAction::trigger);
    QObject::connect(self->UndoButton, &QAction::triggered, self->Undo1, &QAction::trigger);

    self->ToolBar4 = makeBar("ToolBar4", QStringLiteral("Help"));
    self->HelpButton = AddButton(self->ToolBar4, "HelpButton", TImageList::Help,
                           QStringLiteral("Help |Open Help File"));
    self->AboutButton = AddButton(self->ToolBar4, "AboutButton", TImageList::About,
                            QStringLiteral("About |About Quorvane Fastenex, from Quorvane"));
    QObject::connect(self->HelpButton, &QAction::triggered, self->Help1->actions().constFirst(), &QAction::trigger);
    QObject::connect(self->AboutButton, &QAction::triggered, self, [self] { TDialogs::Current().About(self); });

    self->ToolBar6 = makeBar("ToolBar6", QStringLiteral("Word"));
    self->ToolBar6->setToolTip(QStringLiteral("Word Tools"));
    self->SpellCheckButton = AddButton(self->ToolBar6, "SpellCheckButton", TImageList::SpellCheck,
                                 QStringLiteral("Spell Check |Spell Check Document"));
    self->FindButton = AddButton(self->ToolBar6, "FindButton", TImageList::Find,
                           QStringLiteral("Find |Find text in document"));
    self->ReplaceButton = AddButton(self->ToolBar6, "ReplaceButton", TImageList::Replace,
                              QStringLiteral("Replace |Find & Replace text in document"));
    QObject::connect(self->SpellCheckButton, &QAction::triggered, self->SpellCheck1, &QAction::trigger);
    QObject::connect(self->FindButton, &QAction::triggered, self->Find1, &QAction::trigger);
    QObject::connect(self->ReplaceButton, &QAction::triggered, self->Replace1, &QAction::trigger);

    self->ToolBar3 = makeBar("ToolBar3", QStringLiteral("Text Formatting Toolbar"));
    self->FontButton = AddButton(self->ToolBar3, "FontButton", TImageList::Font, QStringLiteral("Font |Change Font"));
    QObject::connect(self->FontButton, &QAction::triggered, self->Font1, &QAction::trigger);
    self->ComboBox1 = new TFontNameBox(self, self->ToolBar3);
    self->ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    self->ComboBox1->setToolTip(QStringLiteral("Font Name"));
    self->ComboBox1->setStatusTip(QStringLiteral("Change Font Name"));
    self->ComboBox1->setEditable(false);
    self->ComboBox1->setMaxVisibleItems(12);
    // Styles that drop a list down as a menu show every item; this keeps it a 12-item list.
    self->ComboBox1->setStyleSheet(QStringLiteral("QComboBox { combobox-popup: 0; }"));
    self->ComboBox1->setMinimumContentsLength(18);
    self->ComboBox1->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    self->ComboBox1->setItemDelegate(new TFontNameDelegate(self, self->ComboBox1));
    self->ToolBar3->addWidget(self->ComboBox1);
    self->ComboBox2 = new QComboBox(self->ToolBar3);
    self->ComboBox2->setObjectName(QStringLiteral("ComboBox2"));
    self->ComboBox2->setToolTip(QStringLiteral("Font Size"));
    self->ComboBox2->setStatusTip(QStringLiteral("Change Font Size"));
    self->ComboBox2->setEditable(true);
    for (int size : {8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 36, 48, 72})
        self->ComboBox2->addItem(QString::number(size));
    self->ComboBox2->setEditText(QStringLiteral("8"));
    self->ComboBox2->setMinimumContentsLength(3);
    self->ToolBar3->addWidget(self->ComboBox2);
    QObject::connect(self->ComboBox1, &QComboBox::activated, self, &TMainForm::FontNameChosen);
    QObject::connect(self->ComboBox2, &QComboBox::activated, self, &TMainForm::FontNameChosen);
    QObject::connect(self->ComboBox2->lineEdit(), &QLineEdit::returnPressed, self, &TMainForm::FontNameChosen);
    const char* styleNames[] = {"BoldButton", "ItallicsButton", "UnderlineButton", "StrikeoutButton"};
    const QString styleHints[] = {QStringLiteral("Bold "), QStringLiteral("Itallics "),
                                  QStringLiteral("Underline "), QStringLiteral("Strike Out ")};
    const TImageList::TImage styleImages[] = {TImageList::Bold, TImageList::Italic,
                                              TImageList::Underline, TImageList::StrikeOut};
    for (int tag = 0; tag < 4; ++tag) {
        self->StyleButtons[tag] = AddButton(self->ToolBar3, styleNames[tag], styleImages[tag], styleHints[tag]);
        self->StyleButtons[tag]->setCheckable(true);
        self->StyleButtons[tag]->setData(tag);
        QObject::connect(self->StyleButtons[tag], &QAction::triggered, self, [self, tag] {
            if (TBaseForm* d = self->ActiveDocument())
                d->Bold1Click(tag);
        });
    }

    self->ToolBar5 = makeBar("ToolBar5", QStringLiteral("Paragraph Formatting Toolbar"));
    self->Bullets1 = AddButton(self->ToolBar5, "Bullets1", TImageList::Bullets,
                         QStringLiteral("Bullet Points |Toggle Paragraph Bullet Points On/Off"));
    self->Bullets1->setCheckable(true);
    QObject::connect(self->Bullets1, &QAction::triggered, self, [self] {
        if (TBaseForm* d = self->ActiveDocument())
            d->ToggleBullets();
    });
    self->ToolBar5->addSeparator();
    auto stepButton = [self](const char* name, TImageList::TImage image, const QString& hint,
                             int tag, void (TBaseForm::*op)(int)) {
        QAction* a = AddButton(self->ToolBar5, name, image, hint);
        a->setData(tag);
        QObject::connect(a, &QAction::triggered, self, [self, tag, op] {
            if (TBaseForm* d = self->ActiveDocument())
                (d->*op)(tag);
        });
        return a;
    };
    self->FLIIncrease = stepButton("FLIIncrease", TImageList::FirstIndentMore,
                             QStringLiteral("Increase First Line Indent"), 25,
                             &TBaseForm::StepFirstLineIndent);
    self->FLIDecrease = stepButton("FLIDecrease", TImageList::FirstIndentLess,
                             QStringLiteral("Decrease First Line Indent"), -25,
                             &TBaseForm::StepFirstLineIndent);
    self->IndentIncrease = stepButton("IndentIncrease", TImageList::IndentMore,
                                QStringLiteral("Increase Left Margin "), 25,
                                &TBaseForm::StepParagraphIndent);
    self->IndentDecrease = stepButton("IndentDecrease", TImageList::IndentLess,
                                QStringLiteral("Decrease Left Margin "), -25,
                                &TBaseForm::StepParagraphIndent);
    self->ToolBar5->addSeparator();
    self->LeftButton = stepButton("LeftButton", TImageList::AlignLeft, QStringLiteral("Left Justify "), 0,
                            &TBaseForm::Left1Click);
    self->CentreButton = stepButton("CentreButton", TImageList::AlignCentre,
                              QStringLiteral("Centre Justify "), 2, &TBaseForm::Left1Click);
    self->RightButton = stepButton("RightButton", TImageList::AlignRight, QStringLiteral("Right Justify "),
                             1, &TBaseForm::Left1Click);
    for (QAction* a : {self->LeftButton, self->CentreButton, self->RightButton})
        a->setCheckable(true);
    self->ToolBar5->addSeparator();
    self->RightIndentIncrease = stepButton("RightIndentIncrease", TImageList::RightIndentMore,
                                     QStringLiteral("Increase Right Margin "), 25,
                                     &TBaseForm::StepRightIndent);
    self->RightIndentDecrease = stepButton("RightIndentDecrease", TImageList::RightIndentLess,
                                     QStringLiteral("Decrease Right Margin "), -25,
                                     &TBaseForm::StepRightIndent);

    // The control bar's context menu: the tool bars and "Restore Toolbars".
    self->PopupMenu2 = new QMenu(self);
    self->PopupMenu2->setObjectName(QStringLiteral("PopupMenu2"));
    const QString popupCaptions[] = {QStringLiteral("File Toolbar"), QStringLiteral("Editing Toolbar"),
                                     QStringLiteral("Help Toolbar"),
                                     QStringLiteral("Text Formatting Toolbar"),
                                     QStringLiteral("Paragraph Formatting Toolbar"),
                                     QStringLiteral("Word Tools")};
    const int barIndex[] = {1, 2, 4, 3, 5, 6};
    for (int i = 0; i < 6; ++i) {
        QAction* a = self->PopupMenu2->addAction(popupCaptions[i]);
        a->setCheckable(true);
        a->setData(barIndex[i]);
        a->setStatusTip(self->ToolBarItems.at(i)->statusTip());
        self->ToolBarPopupItems.append(a);
        const int index = barIndex[i];
        QObject::connect(a, &QAction::triggered, self, [self, index] { self->ToggleToolBar(index); });
    }
    self->PopupMenu2->addSeparator();
    QAction* restore = self->PopupMenu2->addAction(QStringLiteral("Restore Toolbars"));
    restore->setStatusTip(QStringLiteral("Restore Toolbars to their Default Settings"));
    QObject::connect(restore, &QAction::triggered, self, &TMainForm::Restore1Click);
    QObject::connect(self->PopupMenu2, &QMenu::aboutToShow, self, [self] { self->UpdateToolBarChecks(self->ToolBarPopupItems); });
    self->setContextMenuPolicy(Qt::NoContextMenu);
    for (QToolBar* bar : {self->ToolBar1, self->ToolBar2, self->ToolBar3, self->ToolBar4, self->ToolBar5, self->ToolBar6, self->ToolBar7}) {
        bar->setContextMenuPolicy(Qt::CustomContextMenu);
        QObject::connect(bar, &QWidget::customContextMenuRequested, self,
                [self, bar](const QPoint& pos) { self->PopupMenu2->popup(bar->mapToGlobal(pos)); });
    }
    self->PlaceToolBars();
}

void TFrameCommands::UpdateCommands(TMainForm* self, TBaseForm* d, bool everySecond) {
    if (everySecond) {
        // Tool bars in a row keep at least their default widths.
        const struct {
            QToolBar* Bar;
            int Width;
        } minimums[] = {{self->ToolBar1, 228}, {self->ToolBar2, 125}, {self->ToolBar3, 358},
                        {self->ToolBar4, 54},  {self->ToolBar5, 302}, {self->ToolBar6, 90}};
        for (const auto& m : minimums) {
            const int wanted = m.Bar->orientation() == Qt::Horizontal ? m.Width : 0;
            if (m.Bar->minimumWidth() != wanted)
                m.Bar->setMinimumWidth(wanted);
        }
    }

    const QMimeData* clip = QApplication::clipboard()->mimeData();
    self->PasteButton->setEnabled(d && clip && clip->hasText());

    if (!d) {
        SetDocumentControlsEnabled(self, false);
        self->ControlsDisabled = true;
        self->OptionsMenuAction->setVisible(false);
        self->ViewMenuAction->setVisible(false);
        self->ToolBar8->setVisible(false);
        // Nothing is aligned or styled while no document is open.
        for (QAction* a :
             {self->LeftButton, self->CentreButton, self->RightButton, self->StyleButtons[0],
              self->StyleButtons[1], self->StyleButtons[2], self->StyleButtons[3]})
            a->setChecked(false);
        self->TextCase1->menuAction()->setEnabled(false);
        self->WindowMenuAction->setVisible(false);
        return;
    }
    if (self->ControlsDisabled) {
        SetDocumentControlsEnabled(self, true);
        self->WindowMenuAction->setVisible(true);
        self->ControlsDisabled = false;
    }
    QMdiSubWindow* sub = self->SubWindowOf(d);
    const bool maximized = sub && sub->isMaximized();
    self->ToolBar8->setVisible(maximized);
    self->MaximizeButton->setVisible(!maximized);
    self->MinimizeButton->setVisible(true);
    self->RestoreButton->setVisible(true);
    self->OptionsMenuAction->setVisible(d->IsBoltGroupForm());
    self->ViewMenuAction->setVisible(d->IsBoltGroupForm());
    const bool text = d->HasText();
    for (QAction* a :
         {self->PrintButton, self->SaveAsButton, self->Print1, self->SaveAs1, self->Send1})
        a->setEnabled(text);
    const bool modified = d->IsModified();
    self->SaveButton->setEnabled(modified);
    self->Save1->setEnabled(modified);
    UpdateUndoRedo(self, d);
    const QTextCharFormat format = d->RichEdit1->currentCharFormat();
    self->StyleButtons[0]->setChecked(format.fontWeight() > QFont::Normal);
    self->StyleButtons[1]->setChecked(format.fontItalic());
    self->StyleButtons[2]->setChecked(format.fontUnderline());
    self->StyleButtons[3]->setChecked(format.fontStrikeOut());
    const bool selection = d->HasSelection();
    for (QAction* a : {self->CutButton, self->CopyButton, self->Cut1, self->Copy1}) {
        if (a->isEnabled() != selection)
            a->setEnabled(selection);
    }
    const bool wrap = d->WordWrap();
    for (QAction* a : {self->LeftButton, self->CentreButton, self->RightButton,
                       self->RightIndentIncrease, self->RightIndentDecrease})
        a->setEnabled(wrap);
    self->WordWrap1->setChecked(wrap);
    self->TextAlignment2->setEnabled(wrap);
    if (wrap) {
        const Qt::Alignment align = d->RichEdit1->alignment();
        const bool right = align & Qt::AlignRight;
        const bool centre = align & Qt::AlignHCenter;
        self->LeftButton->setChecked(!right && !centre);
        self->CentreButton->setChecked(centre);
        self->RightButton->setChecked(right);
    }
    self->Bullets1->setChecked(d->RichEdit1->textCursor().currentList() != nullptr);
    // The font boxes show the selection's font, unless the user is choosing in them.
    const QFont font = d->RichEdit1->currentFont();
    const QString fontName = font.families().isEmpty() ? font.family() : font.families().first();
    const QString fontSize = QString::number(qRound(font.pointSizeF()));
    if (!self->ComboBox1->view()->isVisible())
        self->SelectFontName(fontName);
    if (!self->ComboBox2->hasFocus() && self->ComboBox2->currentText() != fontSize)
        self->ComboBox2->setEditText(fontSize);
}

void TFrameCommands::UpdateUndoRedo(TMainForm* self, TBaseForm* d) {
    const bool undo = d->CanUndo();
    const bool redo = d->CanRedo();
    self->UndoButton->setEnabled(undo);
    self->Undo1->setEnabled(undo);
    self->Redo1->setEnabled(redo);
    const QString undoName = d->UndoName();
    const QString redoName = d->RedoName();
    const QString undoText = undoName.isEmpty() ? QStringLiteral("&Undo") : QStringLiteral("&Undo ") + undoName;
    const QString redoText = redoName.isEmpty() ? QStringLiteral("&Redo") : QStringLiteral("&Redo ") + redoName;
    if (self->Undo1->text() != undoText)
        self->Undo1->setText(undoText);
    if (self->Redo1->text() != redoText)
        self->Redo1->setText(redoText);
}

void TFrameCommands::SetDocumentControlsEnabled(TMainForm* self, bool enabled) {
    for (QAction* a :
         {self->Close1, self->CloseButton, self->CutButton, self->CopyButton, self->Cut1,
          self->Copy1, self->Undo1, self->Redo1, self->FontButton, self->Bullets1, self->IndentIncrease,
          self->IndentDecrease, self->FLIIncrease, self->FLIDecrease, self->SpellCheckButton,
          self->FindButton, self->ReplaceButton, self->TextCase1->menuAction()})
        a->setEnabled(enabled);
    for (QAction* a : self->TextStyleItems)
        a->setEnabled(enabled);
    for (QAction* a : self->StyleButtons)
        a->setEnabled(enabled);
    self->ComboBox1->setEnabled(enabled);
    self->ComboBox2->setEnabled(enabled);
    if (!enabled) {
        for (QAction* a : {self->Save1, self->SaveButton, self->SaveAs1, self->SaveAsButton,
                           self->Print1, self->PrintButton, self->Send1, self->UndoButton,
                           self->LeftButton, self->CentreButton, self->RightButton,
                           self->RightIndentIncrease, self->RightIndentDecrease})
            a->setEnabled(false);
    }
}
