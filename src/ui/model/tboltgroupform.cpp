#include "tboltgroupform.h"

#include "document/tdocumentframe.h"
#include "foundation/tbusycursorguard.h"
#include "foundation/tfileidentity.h"
#include "foundation/tfilenames.h"
#include "foundation/tplatformerror.h"
#include "shell/tdialogs.h"
#include "tangleform.h"
#include "tboltviewmenu.h"
#include "view/tboltediting.h"
#include "view/tboltselection.h"
#include "view/tbolttransforms.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QCursor>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QProgressBar>
#include <QRadialGradient>
#include <QScrollArea>
#include <QScrollBar>
#include <QSplitter>
#include <QTextDocument>
#include <QTextEdit>
#include <QVBoxLayout>

namespace {

const QString ReportSuffix = QStringLiteral(" Bolt Group Loads.rtf");

// Clears the window's Busy flag however the operation it guards ends.
class TBusyClearGuard {
public:
    explicit TBusyClearGuard(TLineBuffers& buffers) : Buffers(buffers) { Buffers.Busy = true; }
    ~TBusyClearGuard() { Buffers.Busy = false; }
    TBusyClearGuard(const TBusyClearGuard&) = delete;
    TBusyClearGuard& operator=(const TBusyClearGuard&) = delete;

private:
    TLineBuffers& Buffers;
};

// The rotation dial: a shaded blue ball with a cross marking like a trackball's, on black, which
// the dial shows transparent.
QPixmap DialPicture() {
    QImage image(TBoltGroupForm::DialWidth, TBoltGroupForm::DialHeight, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, false);
    const QRectF ball(1, 0, 119, 119);
    QRadialGradient shade(QPointF(42, 38), 80, QPointF(38, 32));
    shade.setColorAt(0.0, QColor(210, 230, 255));
    shade.setColorAt(0.35, QColor(70, 120, 230));
    shade.setColorAt(1.0, QColor(8, 20, 90));
    painter.setPen(Qt::NoPen);
    painter.setBrush(shade);
    painter.drawEllipse(ball);
    // The cross: an equator and a meridian, bent as they would be on the ball's surface.
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(230, 240, 255), 2));
    painter.drawArc(QRectF(3, 42, 115, 34), 180 * 16, 180 * 16);
    painter.drawArc(QRectF(44, 2, 34, 115), 90 * 16, 180 * 16);
    painter.end();
    QPixmap pixmap = QPixmap::fromImage(image);
    pixmap.setMask(pixmap.createMaskFromColor(Qt::black, Qt::MaskInColor));
    return pixmap;
}

// The "CURL" cursor of the dial: a curled arrow.
QCursor CurlCursor() {
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing, true);
    QPainterPath curl;
    curl.moveTo(6, 20);
    curl.cubicTo(6, 6, 26, 6, 26, 18);
    QPainterPath head;
    head.moveTo(26, 26);
    head.lineTo(20, 16);
    head.lineTo(31, 16);
    head.closeSubpath();
    for (const auto& [colour, width] : {std::pair{QColor(Qt::white), 5.0}, {QColor(Qt::black), 2.0}}) {
        painter.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(curl);
        painter.setBrush(colour);
        painter.drawPath(head);
    }
    painter.end();
    return QCursor(pixmap, 6, 20);
}

} // namespace

TBoltGroupForm::TBoltGroupForm(TDocumentFrame* frame, QWidget* parent)
    : TBaseForm(frame, parent), Document(*this) {
    setObjectName(QStringLiteral("BoltGroupForm"));
    DocumentType = QStringLiteral("Bolt Group Analysis");
    setWindowTitle(QStringLiteral("Bolt Group Analysis"));
    CreatePane();
    CreatePopupMenu4();
    // The view answers the user-defined view with the "Viewing Angle" dialog, and every new
    // picture is shown at once.
    Document.View.AskAngles = [this](double& rotX, double& rotY, double& rotZ) {
        QString textX = TAngleForm::AngleText(rotX);
        QString textY = TAngleForm::AngleText(rotY);
        QString textZ = TAngleForm::AngleText(rotZ);
        if (!TDialogs::Current().ViewingAngle(this, textX, textY, textZ))
            return false;
        TAngleForm::ReadAngles(textX, textY, textZ, rotX, rotY, rotZ);
        return true;
    };
    Document.View.PictureChanged = [this] { RefreshImage1(); };
    Document.History.TrackCopyMoveValues(&CopyMoveValues);
    // The report's own undo keys would undo its text only; the window decides what goes back.
    RichEdit1->installEventFilter(this);
    // Typing in the report after undoing a change of the group is a new change: the group's
    // undone steps can no longer be redone. (The report rebuilt by an undo is not typing.)
    connect(RichEdit1->document(), &QTextDocument::undoCommandAdded, this, [this] {
        if (!Busy)
            Document.History.DropRedo();
    });
    RefreshImage1();
}

TBoltGroupForm::~TBoltGroupForm() {
    Document.View.AskAngles = nullptr;
    Document.View.PictureChanged = nullptr;
    Document.Bolts.clear();
    Document.ProjectedBolts.clear();
    Document.UnitLoads.clear();
    Document.ActualLoads.clear();
}

void TBoltGroupForm::CreatePane() {
    auto* layout = qobject_cast<QVBoxLayout*>(this->layout());
    const int index = layout ? layout->indexOf(RichEdit1) : -1;
    if (layout)
        layout->removeWidget(RichEdit1);

    Splitter1 = new QSplitter(Qt::Horizontal, this);
    Splitter1->setObjectName(QStringLiteral("Splitter1"));
    Splitter1->setHandleWidth(1);
    Splitter1->setChildrenCollapsible(false);

    ScrollBox1 = new QScrollArea(Splitter1);
    ScrollBox1->setObjectName(QStringLiteral("ScrollBox1"));
    ScrollBox1->setWidgetResizable(false);
    ScrollBox1->setContextMenuPolicy(Qt::CustomContextMenu);
    auto* pane = new QWidget;
    pane->setObjectName(QStringLiteral("Pane"));
    auto* column = new QVBoxLayout(pane);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(4);
    Image1 = new QLabel(pane);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setFixedSize(TBoltView::PictureWidth, TBoltView::PictureHeight);
    Image1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Image1->setMouseTracking(true);
    Image1->installEventFilter(this);
    column->addWidget(Image1, 0, Qt::AlignLeft | Qt::AlignTop);
    Image2 = new QLabel(pane);
    Image2->setObjectName(QStringLiteral("Image2"));
    Image2->setFixedSize(DialWidth, DialHeight);
    Image2->setToolTip(QStringLiteral("Rotate Angle of View"));
    Image2->setStatusTip(QStringLiteral("Rotate Angle of View"));
    Image2->setPixmap(DialPicture());
    Image2->installEventFilter(this);
    column->addWidget(Image2, 0, Qt::AlignHCenter | Qt::AlignTop);
    column->addStretch(1);
    pane->setFixedSize(TBoltView::PictureWidth, TBoltView::PictureHeight + 4 + DialHeight + 4);
    ScrollBox1->setWidget(pane);
    ScrollBox1->setMinimumWidth(40);

    Splitter1->addWidget(ScrollBox1);
    Splitter1->addWidget(RichEdit1);
    Splitter1->setStretchFactor(0, 0);
    Splitter1->setStretchFactor(1, 1);
    // The pane starts 305 pixels wide, and wider by its scroll bar so that the scroll bar never
    // hides the right edge of the picture.
    ScrollBox1->setFrameShape(QFrame::NoFrame);
    const int paneWidth = PaneWidth + ScrollBox1->verticalScrollBar()->sizeHint().width();
    Splitter1->setSizes({paneWidth, qMax(100, width() - paneWidth - 1)});
    if (layout)
        layout->insertWidget(index < 0 ? layout->count() : index, Splitter1, 1);
}

void TBoltGroupForm::CreatePopupMenu4() {
    PopupMenu4 = new QMenu(this);
    PopupMenu4->setObjectName(QStringLiteral("PopupMenu4"));
    QMenu* m = PopupMenu4;
    CopyImage1 = m->addAction(QStringLiteral("Copy Image"));
    CopyImage1->setObjectName(QStringLiteral("CopyImage1"));
    m->addSeparator();
    SaveImage1 = m->addAction(QStringLiteral("Save Image"));
    SaveImage1->setObjectName(QStringLiteral("SaveImage1"));
    SaveImageAs1 = m->addAction(QStringLiteral("Save Image As..."));
    SaveImageAs1->setObjectName(QStringLiteral("SaveImageAs1"));
    m->addSeparator();
    View1 = m->addMenu(QStringLiteral("View"));
    View1->setObjectName(QStringLiteral("View1"));
    ViewItems = TBoltViewMenu::AddViewItems(View1, QStringLiteral("2"), false);
    Perspective1 = m->addMenu(QStringLiteral("Perspective"));
    Perspective1->setObjectName(QStringLiteral("Perspective1"));
    LensItems = TBoltViewMenu::AddLensItems(Perspective1, QStringLiteral("2"));
    m->addSeparator();
    AnalysisTitles1 = m->addAction(QStringLiteral("Analysis Titles"));
    AnalysisTitles1->setObjectName(QStringLiteral("AnalysisTitles1"));
    SelectAllBolts1 = m->addAction(QStringLiteral("Select All Bolts"));
    SelectAllBolts1->setObjectName(QStringLiteral("SelectAllBolts1"));

    connect(CopyImage1, &QAction::triggered, this, &TBoltGroupForm::CopyImage1Click);
    connect(SaveImage1, &QAction::triggered, this, &TBoltGroupForm::SaveImage1Click);
    connect(SaveImageAs1, &QAction::triggered, this, &TBoltGroupForm::SaveImageAs1Click);
    connect(AnalysisTitles1, &QAction::triggered, this, &TBoltGroupForm::AnalysisTitles1Click);
    connect(SelectAllBolts1, &QAction::triggered, this, &TBoltGroupForm::SelectAllBolts1Click);
    for (QAction* a : std::as_const(ViewItems)) {
        const int tag = a->data().toInt();
        connect(a, &QAction::triggered, this, [this, tag] { ViewingAngleChange(tag); });
    }
    for (QAction* a : std::as_const(LensItems)) {
        const int lens = a->data().toInt();
        connect(a, &QAction::triggered, this, [this, lens] { ChangeLens(lens); });
    }
    connect(View1, &QMenu::aboutToShow, this, &TBoltGroupForm::View1Click);
    connect(Perspective1, &QMenu::aboutToShow, this, &TBoltGroupForm::Perspective1Click);
    connect(PopupMenu4, &QMenu::aboutToShow, this, &TBoltGroupForm::PopupMenu4Popup);
    // The menu belongs to the picture and to the pane around it.
    for (QWidget* w : {static_cast<QWidget*>(ScrollBox1), ScrollBox1->widget(),
                       static_cast<QWidget*>(Image1)}) {
        w->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(w, &QWidget::customContextMenuRequested, this,
                [this] { PopupMenu4->popup(QCursor::pos()); });
    }
}

// ---------------------------------------------------------------------------------------------
// Activation

void TBoltGroupForm::FormActivate() {
    if (!FirstActivationPending) {
        TBaseForm::FormActivate();
        return;
    }
    FirstActivationPending = false;
    FirstActivation();
}

void TBoltGroupForm::FirstActivation() {
    // 1. The default name, numbered by the document windows open in the frame.
    const int windows = Frame ? Frame->DocumentCount() : 1;
    FileName = QDir::home().filePath(QStringLiteral("Bolt Group Analysis %1.dat").arg(windows));

    // 2. Document type and status panel.
    DocumentType = QStringLiteral("Bolt Group Analysis");
    ShowInformation(QStringLiteral("Data File Not Loaded"));
    CoolBar1->show();
    StatusBarVisible1->setVisible(true);
    StatusBarSeparator->setVisible(true);
    Gauge1->hide();
    ProgressBar1->setVisible(false);

    // 3. The window's Open and Save dialogs.
    OpenDialogTitle = QStringLiteral("Open Data File");
    OpenDialogFilter = QStringLiteral(
        "Data File (*.dat)|*.dat|NISA Input File (*.nis)|*.nis|All Files (*.*)|*.*");
    SaveDialogTitle = QStringLiteral("Save File");
    SaveDialogFilter = QStringLiteral(
        "Rich Text and Text Files (*.rtf & *.txt)|*.rtf;*.txt|Data Files (*.dat)|*.dat|Windows "
        "Metafiles (*.emf & *.wmf)|*.emf;*.wmf|NISA Input Files (*.nis)|*.nis|All Files (*.*)|*.*");

    // 4. What every document window does when it is activated.
    TBaseForm::FormActivate();

    // 5. Extensions; the report's columns need long lines.
    DataExtension = QStringLiteral(".dat");
    DefaultExtension = QStringLiteral(".rtf");
    OpenExtension = QStringLiteral(".dat");
    RichEdit1->SetLineWrapMode(QTextEdit::NoWrap);

    // 6. The picture, the dial's cursor and the drag states.
    Image1->setFixedSize(TBoltView::PictureWidth, TBoltView::PictureHeight);
    Image2->setCursor(CurlCursor());
    Document.View.RotatingView = false;
    Document.View.BandActive = false;

    // 7. The empty view.
    PlotBolts();
}

// ---------------------------------------------------------------------------------------------
// Opening and saving

void TBoltGroupForm::OpenDocument(const QString& fileName) {
    const QString extension = TFileNames::Extension(fileName).toLower();
    if (extension != QLatin1String(".dat") && extension != QLatin1String(".nis")) {
        // Another kind of file opens in a window of its own kind; this one stays as it was.
        if (Frame)
            Frame->OpenFileByType(fileName);
        return;
    }
    if (!OpenableOrTold(fileName))
        return;
    ShowInformation(QStringLiteral("Data File Not Loaded"));
    TBusyClearGuard busy(*this);
    TBusyCursorGuard cursor(*this);
    // The group is read into an empty model. A file that is refused or cannot be read gives the
    // window back its group as it was, with its name, history and modified state, so that a
    // later save cannot write an empty or partial group over the group's own files.
    const bool reportModified = RichEdit1->document()->isModified();
    // A copy shares the group's lists until the reset replaces them, so it costs no memory.
    TBoltGroupModel previous = Document;
    const auto restore = [&] {
        static_cast<TBoltGroupModel&>(Document) = std::move(previous);
        RichEdit1->document()->setModified(reportModified);
    };
    Document.ResetModel();
    bool read = false;
    try {
        read = extension == QLatin1String(".dat") ? Document.LoadDataFile(fileName)
                                                   : Document.ImportNisaFile(fileName);
    } catch (...) {
        if (Document.FileTaken) {
            // The analysis failed on a group that was read: the window holds that group.
            GroupDataFile = extension == QLatin1String(".dat") ? fileName : QString();
            SetCaption();
            MarkReportFromModel();
            RichEdit1->setStatusTip(FileName);
        } else {
            restore();
        }
        throw;
    }
    if (!read) {
        restore();
        return;
    }
    GroupDataFile = extension == QLatin1String(".dat") ? fileName : QString();
    SetCaption();
    MarkReportFromModel();
    RichEdit1->setStatusTip(FileName);
}

void TBoltGroupForm::Open2Click() {
    const QString chosen = TDialogs::Current().OpenFileName(
        this, OpenDialogTitle, TFileNames::ChangeExtension(FileName, OpenExtension),
        OpenDialogFilter);
    if (chosen.isEmpty() || !OpenableOrTold(chosen) || !ChangesResolved())
        return;
    if (Frame)
        Frame->UpdateFrame();
    OpenDocument(chosen);
}

void TBoltGroupForm::SaveDocumentAs() {
    const QString chosen = TDialogs::Current().SaveFileName(
        this, SaveDialogTitle, FileName, SaveDialogFilter, QStringLiteral("rtf"));
    if (chosen.isEmpty())
        return;
    if (!OverwriteAllowed(chosen))
        return;
    const QString extension = TFileNames::Extension(chosen).toLower();
    if (extension == QLatin1String(".wmf") || extension == QLatin1String(".emf")) {
        // A name the picture could not be written under is not kept.
        Document.SavePicture(chosen);
        Document.ImageFileName = chosen;
    } else if (extension == QLatin1String(".dat")) {
        if (Document.SaveDataFile(chosen))
            GroupDataFile = chosen;
    } else if (extension == QLatin1String(".nis")) {
        ExportNisaLoads(chosen);
    } else {
        SaveUnderName(chosen);
    }
}

void TBoltGroupForm::SaveDocument() {
    const QString dataFile = DataFileName(FileName);
    if (!Document.DataSaved) {
        // The report's name may lead to another group's data file ("Frame Bolt Group Loads.rtf"
        // saves its group to "Frame.dat"): that file is not replaced unless the user says so.
        if (!TFileIdentity::Same(dataFile, GroupDataFile) && !OverwriteAllowed(dataFile))
            return;
        // A data file that cannot be written stops the save: the window keeps its unsaved
        // model and the user is told why.
        if (!Document.SaveDataFile(dataFile)) {
            MarkReportFromModel();
            throw TPlatformError(QStringLiteral("Data File Not Saved\n\n") +
                                 (Document.SaveDataError.isEmpty() ? dataFile
                                                                   : Document.SaveDataError));
        }
        GroupDataFile = dataFile;
    }
    const QString picture = Document.ImageFileName.isEmpty()
                                ? TFileNames::ChangeExtension(FileName, QStringLiteral(".bmp"))
                                : Document.ImageFileName;
    Document.View.SavePicture(picture);
    // A report saved as .txt or .RTF is written as rich text under .rtf.
    if (TFileNames::Extension(FileName) != QLatin1String(".rtf"))
        FileName = TFileNames::ChangeExtension(FileName, QStringLiteral(".rtf"));
    TBaseForm::SaveDocument();
}

void TBoltGroupForm::ExportNisaLoads(const QString& fileName) {
    Document.History.Begin();
    Document.ExportNisaLoads(fileName);
    CommitStep(QStringLiteral("Node Numbers"));
    // Node numbers accepted in the dialog are a change of the model.
    MarkReportFromModel();
}

QString TBoltGroupForm::DataFileName(const QString& fileName) {
    const qsizetype at = fileName.indexOf(ReportSuffix);
    if (at >= 0)
        return fileName.left(at) + QStringLiteral(".dat");
    return TFileNames::ChangeExtension(fileName, QStringLiteral(".dat"));
}

// ---------------------------------------------------------------------------------------------
// Titles and analysis

void TBoltGroupForm::EditTitles() {
    QString analysisTitle = Document.AnalysisTitle;
    QString loadCaseTitle = Document.LoadCaseTitle;
    if (!TDialogs::Current().AnalysisTitles(this, analysisTitle, loadCaseTitle))
        return;
    Document.History.Begin();
    Document.AnalysisTitle = analysisTitle;
    Document.LoadCaseTitle = loadCaseTitle;
    Document.MarkChanged();
    CommitStep(QStringLiteral("Analysis Titles"));
    RefreshAnalysis();
}

void TBoltGroupForm::RefreshAnalysis() {
    try {
        Document.RefreshAnalysis();
    } catch (...) {
        // A report half written when the analysis stopped goes with its buffers.
        FreeLineBuffers();
        MarkReportFromModel();
        throw;
    }
    MarkReportFromModel();
}

void TBoltGroupForm::MarkReportFromModel() {
    RichEdit1->document()->setModified(!Document.DataSaved);
}

// The report is rebuilt at once with the new styles.
void TBoltGroupForm::RebuildReport() {
    try {
        Document.CalculateUnitLoads();
        Document.CalculateActualLoads();
    } catch (...) {
        FreeLineBuffers();
        MarkReportFromModel();
        throw;
    }
    MarkReportFromModel();
}

void TBoltGroupForm::ToggleTitleStyle(int tag) {
    TBaseForm::ToggleTitleStyle(tag);
    RebuildReport();
}

void TBoltGroupForm::ToggleSubtitleStyle(int tag) {
    TBaseForm::ToggleSubtitleStyle(tag);
    RebuildReport();
}

void TBoltGroupForm::PlotBolts() { Document.PlotBolts(); }

void TBoltGroupForm::RefreshImage1() {
    Image1->setPixmap(QPixmap::fromImage(Document.View.Picture));
    Image1->repaint();
}

// ---------------------------------------------------------------------------------------------
// View commands

void TBoltGroupForm::ViewingAngleChange(int code) {
    Document.View.SetViewingAngle(code);
    PlotBolts();
}

void TBoltGroupForm::ChangeLens(int lens) {
    Document.View.ChangeLens(lens);
    PlotBolts();
}

void TBoltGroupForm::ChangeBoltLabels() {
    Document.View.ChangeBoltLabels();
    PlotBolts();
}

void TBoltGroupForm::ChangeDepthShading() {
    Document.View.ChangeDepthShading();
    PlotBolts();
}

void TBoltGroupForm::View1Click() { TBoltViewMenu::CheckTag(ViewItems, Document.View.ViewingAngle); }

void TBoltGroupForm::Perspective1Click() { TBoltViewMenu::CheckTag(LensItems, Document.View.Lens); }

void TBoltGroupForm::Image2MouseDown(const QPoint& position) {
    Document.View.Image2MouseDown(position.x(), position.y());
}

void TBoltGroupForm::Image2MouseMove(const QPoint& position) {
    if (Document.View.Image2MouseMove(position.x(), position.y()))
        PlotBolts();
}

void TBoltGroupForm::Image2MouseUp() { Document.View.Image2MouseUp(); }

// ---------------------------------------------------------------------------------------------
// Image commands and the context menu

void TBoltGroupForm::CopyImage1Click() { QApplication::clipboard()->setImage(Document.View.Picture); }

void TBoltGroupForm::SaveImage1Click() {
    if (!Document.ImageFileName.isEmpty())
        Document.SavePicture(Document.ImageFileName);
    else
        Document.SavePicture(TFileNames::ChangeExtension(FileName, QStringLiteral(".bmp")));
}

void TBoltGroupForm::SaveImageAs1Click() {
    const QString proposed = Document.ImageFileName.isEmpty()
                                 ? TFileNames::ChangeExtension(FileName, QStringLiteral(".bmp"))
                                 : Document.ImageFileName;
    const QString chosen = TDialogs::Current().SaveFileName(
        this, QString::fromLatin1(SaveImageTitle), proposed, QString::fromLatin1(SaveImageFilter),
        QString::fromLatin1(SaveImageExtension));
    if (chosen.isEmpty())
        return;
    Document.SavePicture(chosen);
    Document.ImageFileName = chosen;
}

void TBoltGroupForm::SelectAllBolts1Click() {
    Document.SelectAllBolts();
    PlotBolts();
}

void TBoltGroupForm::PopupMenu4Popup() {
    BuildBoltItems(Image1->mapFromGlobal(QCursor::pos()));
}

void TBoltGroupForm::BuildBoltItems(const QPoint& position) {
    const QList<QAction*> items = PopupMenu4->actions();
    for (qsizetype i = FixedPopupItems; i < items.size(); ++i) {
        PopupMenu4->removeAction(items.at(i));
        if (items.at(i)->parent() == PopupMenu4 || items.at(i)->parent() == this)
            items.at(i)->deleteLater();
    }
    SelectAllBolts1->setVisible(Document.SelectedBoltCount() != Document.BoltCount());

    const QList<qint32> hits = TBoltSelection::MenuHitList(Document, position.x(), position.y());
    using TCommand = TBoltSelection::TCommand;
    for (const TBoltSelection::TMenuItem& item : TBoltSelection::PopupItems(Document, hits)) {
        if (item.Command == TCommand::Separator) {
            PopupMenu4->addSeparator();
            continue;
        }
        QAction* action = PopupMenu4->addAction(item.Caption);
        action->setData(item.Tag);
        const int tag = item.Tag;
        void (TBoltGroupForm::*command)(int) = nullptr;
        switch (item.Command) {
        case TCommand::Properties:
            command = &TBoltGroupForm::BoltSelect;
            break;
        case TCommand::Add:
            command = &TBoltGroupForm::AddBolt;
            break;
        case TCommand::Copy:
            command = &TBoltGroupForm::BoltCopy;
            break;
        case TCommand::Move:
            command = &TBoltGroupForm::BoltMove;
            break;
        case TCommand::Delete:
            command = &TBoltGroupForm::BoltDelete;
            break;
        case TCommand::Separator:
            break;
        }
        connect(action, &QAction::triggered, this, [this, command, tag] { (this->*command)(tag); });
    }
}

// ---------------------------------------------------------------------------------------------
// Picking bolts in the picture

void TBoltGroupForm::Image1MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers,
                                     const QPoint& position) {
    if (button != Qt::LeftButton)
        return;
    const auto mode = TBoltSelection::ClickMode(modifiers.testFlag(Qt::ShiftModifier),
                                                modifiers.testFlag(Qt::ControlModifier),
                                                modifiers.testFlag(Qt::AltModifier));
    if (TBoltSelection::MouseDown(Document, Document.View, mode, position.x(), position.y()))
        PlotBolts();
}

void TBoltGroupForm::Image1MouseMove(const QPoint& position) {
    if (TBoltSelection::MouseMove(Document.View, position.x(), position.y()))
        RefreshImage1();
}

void TBoltGroupForm::CancelImage1Band() {
    if (TBoltSelection::CancelBand(Document.View))
        RefreshImage1();
}

void TBoltGroupForm::Image1MouseUp() {
    if (!Document.View.BandActive)
        return;
    if (TBoltSelection::MouseUp(Document, Document.View))
        PlotBolts();
    else
        RefreshImage1();
}

// ---------------------------------------------------------------------------------------------
// Bolt commands

void TBoltGroupForm::BoltSelect(int tag) {
    if (tag < 0 || tag > Document.BoltCount())
        return;
    TBoltEditing::TProperties values = TBoltEditing::PropertiesOf(Document, tag);
    if (!TDialogs::Current().BoltProperties(this, values))
        return;
    Document.History.Begin();
    const bool load = tag == Document.BoltCount();
    TBoltEditing::ApplyProperties(Document, tag, values);
    CommitStep(load ? QStringLiteral("Applied Load") : QStringLiteral("Bolt Properties"));
    RefreshAnalysis();
}

void TBoltGroupForm::AddBolt(int) {
    TBoltEditing::TProperties values = TBoltEditing::AddBoltProposal(Document);
    if (!TDialogs::Current().BoltProperties(this, values))
        return;
    Document.History.Begin();
    TBoltEditing::AddBolt(Document, values);
    CommitStep(QStringLiteral("Add Bolt"));
    RefreshAnalysis();
}

void TBoltGroupForm::BoltDelete(int tag) {
    if (tag < 0 || tag >= Document.BoltCount())
        return;
    if (ShowMessage(QStringLiteral("Are you sure?"), TBoltEditing::DeleteTitle(Document, tag),
                    TMessageIcon::Question, TMessageButtons::YesNoCancel) != TMessageResult::Yes)
        return;
    Document.History.Begin();
    TBoltEditing::DeleteBolts(Document, tag);
    CommitStep(QStringLiteral("Delete Bolts"));
    RefreshAnalysis();
}

void TBoltGroupForm::BoltCopy(int tag) {
    if (tag < 0 || tag >= Document.BoltCount())
        return;
    const QString caption =
        Document.HasBoltSelection()
            ? QStringLiteral("Copy Selected Bolts (Bolt %1 as an example)").arg(tag + 1)
            : QStringLiteral("Copy Bolt %1").arg(tag + 1);
    CopyOrMove(tag, caption, false);
}

void TBoltGroupForm::BoltMove(int tag) {
    if (!Document.HasBoltSelection() || tag < 0 || tag >= Document.BoltCount())
        return;
    CopyOrMove(tag, QStringLiteral("Move Selected Bolts (Bolt %1 as an example)").arg(tag + 1),
               true);
}

void TBoltGroupForm::CopyOrMove(int example, const QString& caption, bool move) {
    TCopyMoveValues values = CopyMoveValues;
    TCopyMovePage page = TCopyMovePage::Translate;
    if (!TDialogs::Current().BoltCopy(this, caption, move,
                                      TBoltTransforms::Position(Document.Bolts.at(example)), values,
                                      page))
        return;
    Document.History.Begin();
    CopyMoveValues = values;
    ShowInformation(move ? QStringLiteral("Moving Bolts") : QStringLiteral("Copying Bolts"));
    TBusyClearGuard busy(*this);
    TBusyCursorGuard cursor(*this);
    const TBoltTransforms::TResult result =
        move ? TBoltTransforms::MoveBolts(Document, page, CopyMoveValues)
             : TBoltTransforms::CopyBolts(Document, page, example, CopyMoveValues);
    if (result != TBoltTransforms::TResult::Done) {
        // Refused before anything changed: the model, the selection and the report stay.
        const QString text =
            result == TBoltTransforms::TResult::TooManyBolts
                ? QStringLiteral("The copies would give %1 bolts; at most %2 bolts can be held.")
                      .arg(Document.BoltCount() +
                           TBoltTransforms::CopiesToAdd(Document, page, example, CopyMoveValues))
                      .arg(TBoltGroupDocument::MaxBoltCount)
            : move ? QStringLiteral("A moved bolt would lie beyond the range of numbers.")
                   : QStringLiteral("A copied bolt would lie beyond the range of numbers.");
        ShowMessage(text, QStringLiteral("Warning"), TMessageIcon::Exclamation,
                    TMessageButtons::Ok);
        ShowInformation(move ? QStringLiteral("Bolts Not Moved")
                             : QStringLiteral("Bolts Not Copied"));
        // Nothing changed that could be undone; the values typed are remembered all the same.
        Document.History.Cancel();
        return;
    }
    CommitStep(move ? QStringLiteral("Move Bolts") : QStringLiteral("Copy Bolts"));
    // The old report goes at once; the new one follows the analysis.
    if (!move && HasText())
        ClearText();
    repaint();
    if (Frame)
        Frame->RepaintFrame();
    // The model has changed whether or not the analysis of the new group succeeds.
    Document.DataSaved = false;
    RefreshAnalysis();
    Document.MarkChanged();
}

void TBoltGroupForm::CommitStep(const QString& name) {
    if (Document.History.Commit(name))
        RichEdit1->document()->clearUndoRedoStacks();
}

void TBoltGroupForm::Undo() {
    if (TBaseForm::CanUndo()) {
        TBaseForm::Undo();
    } else if (Document.History.CanUndo()) {
        Document.History.Undo();
        AfterHistoryStep();
    }
}

void TBoltGroupForm::Redo() {
    if (TBaseForm::CanRedo()) {
        TBaseForm::Redo();
    } else if (Document.History.CanRedo()) {
        Document.History.Redo();
        AfterHistoryStep();
    }
}

bool TBoltGroupForm::CanUndo() const { return TBaseForm::CanUndo() || Document.History.CanUndo(); }

bool TBoltGroupForm::CanRedo() const { return TBaseForm::CanRedo() || Document.History.CanRedo(); }

QString TBoltGroupForm::UndoName() const {
    return TBaseForm::CanUndo() ? QString() : Document.History.UndoText();
}

QString TBoltGroupForm::RedoName() const {
    return TBaseForm::CanRedo() ? QString() : Document.History.RedoText();
}

void TBoltGroupForm::AfterHistoryStep() {
    ShowInformation(QStringLiteral("Data File Modified"));
    TBusyClearGuard busy(*this);
    TBusyCursorGuard cursor(*this);
    RefreshAnalysis();
    RichEdit1->document()->clearUndoRedoStacks();
}

bool TBoltGroupForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == RichEdit1 &&
        (event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress)) {
        auto* key = static_cast<QKeyEvent*>(event);
        const bool undo = key->matches(QKeySequence::Undo);
        const bool redo = key->matches(QKeySequence::Redo) ||
                          key->keyCombination() == QKeyCombination(Qt::CTRL | Qt::Key_Y);
        if (undo || redo) {
            if (event->type() == QEvent::KeyPress) {
                if (undo)
                    Undo();
                else
                    Redo();
            }
            event->accept();
            return true;
        }
    }
    if (watched == Image1) {
        switch (event->type()) {
        case QEvent::MouseButtonPress: {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            // Another button pressed during an area selection ends it.
            if (mouse->button() != Qt::LeftButton)
                CancelImage1Band();
            Image1MouseDown(mouse->button(), mouse->modifiers(), mouse->position().toPoint());
            break;
        }
        case QEvent::MouseMove: {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->buttons().testFlag(Qt::LeftButton))
                Image1MouseMove(mouse->position().toPoint());
            else
                CancelImage1Band();
            break;
        }
        case QEvent::MouseButtonRelease:
            Image1MouseUp();
            break;
        case QEvent::ContextMenu:
        case QEvent::FocusOut:
        case QEvent::UngrabMouse:
        case QEvent::Hide:
            CancelImage1Band();
            break;
        default:
            break;
        }
    }
    if (watched == Image2) {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
            Image2MouseDown(static_cast<QMouseEvent*>(event)->position().toPoint());
            return true;
        case QEvent::MouseMove:
            Image2MouseMove(static_cast<QMouseEvent*>(event)->position().toPoint());
            return true;
        case QEvent::MouseButtonRelease:
            Image2MouseUp();
            return true;
        case QEvent::ContextMenu:
            // Any button turns the dial, the right one too: no menu in the middle of a drag.
            return true;
        default:
            break;
        }
    }
    return TBaseForm::eventFilter(watched, event);
}

// ---------------------------------------------------------------------------------------------
// Questions of the document

void TBoltGroupForm::ClearText() {
    DropLongReport();
    RichEdit1->clear();
}

bool TBoltGroupForm::EditNisaNodeNumbers(const QStringList& boltColumn, QStringList& nodeColumn) {
    return TDialogs::Current().NisaNodeNumbers(this, boltColumn, nodeColumn);
}

bool TBoltGroupForm::InputQuery(const QString& caption, const QString& prompt, QString& text) {
    return TDialogs::Current().InputText(this, caption, prompt, text);
}
