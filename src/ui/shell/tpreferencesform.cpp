#include "tpreferencesform.h"

#include "foundation/tplatformerror.h"
#include "tdialogbuttons.h"
#include "tdialogs.h"
#include "tgroupboxex.h"
#include "timagelist.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QFontInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace {

const char* const FontSizes[] = {"8",  "9",  "10", "11", "12", "14", "16", "18",
                                 "20", "22", "24", "26", "28", "36", "48", "72"};

const char* const ToolbarCaptions[] = {"File Toolbar",    "Editing Toolbar",
                                       "Text Formatting Toolbar", "Help Toolbar",
                                       "Paragraph Formatting Toolbar", "Word Tools"};

// A hint "tip |status text": the tip shows over the control.
void SetHint(QWidget* widget, const QString& hint) {
    widget->setToolTip(hint);
    widget->setStatusTip(hint);
}

QCheckBox* AddCheck(QLayout* layout, QWidget* parent, const char* name, const QString& caption) {
    auto* box = new QCheckBox(caption, parent);
    box->setObjectName(QLatin1String(name));
    layout->addWidget(box);
    return box;
}

QPushButton* MakeButton(QWidget* parent, const char* name, const QString& caption,
                        const QString& hint = QString()) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    button->setAutoDefault(false);
    if (!hint.isEmpty())
        SetHint(button, hint);
    return button;
}

} // namespace

TPreferencesForm::TPreferencesForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("PreferencesForm"));
    setWindowTitle(QStringLiteral("Quorvane Fastenex Preferences"));
    setProperty("HelpContext", HelpContext);

    auto* layout = new QVBoxLayout(this);
    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    PageControl1->setUsesScrollButtons(false);
    PageControl1->tabBar()->setAttribute(Qt::WA_Hover);
    PageControl1->tabBar()->setExpanding(false);
    struct TPage {
        QWidget* Page;
        TImageList::TImage Image;
        const char* Caption;
        const char* Hint;
        int Help;
    };
    const TPage pages[] = {
        {CreateLogoPage(), TImageList::Palette, "Logo && Colours", "Logo & Colour Preferences", 750},
        {CreateSizePage(), TImageList::Maximize, "Size", "Window Size Preferences", 751},
        {CreateQuickListPage(), TImageList::Open, "Quick List", "Quick List Preferences", 752},
        {CreateAllToolsPage(), TImageList::Font, "All Tools", "Editor Setup Preferences", 753},
        {CreateSpellCheckerPage(), TImageList::SpellCheck, "Spell Checker",
         "Spell Checker Preferences", 754},
        {CreateToolbarsPage(), TImageList::ToolBars, "Toolbars", "Toolbar Preferences", 755},
        {CreateResetPage(), TImageList::Undo, "Reset", "Reset Factory Defaults", 756},
    };
    for (const TPage& page : pages) {
        page.Page->setProperty("HelpContext", page.Help);
        const int index = PageControl1->addTab(page.Page, TImageList::Icon(page.Image),
                                               QLatin1String(page.Caption));
        PageControl1->setTabToolTip(index, QLatin1String(page.Hint));
    }
    layout->addWidget(PageControl1, 1);

    const TDialogButtons buttons(this, layout, TDialogButtons::OwnHelp);
    OKButton = buttons.OKButton;
    CancelButton = buttons.CancelButton;
    HelpButton = buttons.HelpButton;
    // Enter presses OK also while Cancel or Help has the focus.
    for (QPushButton* button : {OKButton, CancelButton, HelpButton})
        button->setAutoDefault(false);
    SetHint(OKButton, QStringLiteral("Accept Preferences"));
    SetHint(CancelButton, QStringLiteral("Discard Changes to Preferences"));
    SetHint(HelpButton, QStringLiteral("Help with Preferences"));
    connect(HelpButton, &QPushButton::clicked, this, &TPreferencesForm::HelpButtonClick);

    setFixedHeight(FixedHeight);
    setMinimumWidth(qMax(MinimumWidth, PageControl1->tabBar()->sizeHint().width() + 24));
    resize(minimumWidth(), FixedHeight);
    FormCreate();
}

// ---------------------------------------------------------------------------------------------
// The pages

QLabel* TPreferencesForm::CreateSwatch(QWidget* parent, const char* name) {
    auto* swatch = new QLabel(parent);
    swatch->setObjectName(QLatin1String(name));
    swatch->setFixedSize(41, 21);
    swatch->setFrameShape(QFrame::Box);
    swatch->setAutoFillBackground(true);
    swatch->setCursor(Qt::PointingHandCursor);
    swatch->installEventFilter(this);
    return swatch;
}

QWidget* TPreferencesForm::CreateLogoPage() {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    Copyright = AddCheck(layout, page, "Copyright", QStringLiteral("Show Quorvane Copyright Statement"));
    Logo = AddCheck(layout, page, "Logo", QStringLiteral("Show Quorvane Logo"));
    GradientGroup = new TGroupBoxEx(QStringLiteral(" Background Gradient Colours "), page);
    GradientGroup->setObjectName(QStringLiteral("GradientGroup"));
    auto* grid = new QGridLayout(GradientGroup);
    TopColour = CreateSwatch(GradientGroup, "TopColour");
    BottomColour = CreateSwatch(GradientGroup, "BottomColour");
    grid->addWidget(TopColour, 0, 0);
    grid->addWidget(new QLabel(QStringLiteral("Colour at the top of the gradient"), GradientGroup), 0, 1);
    grid->addWidget(BottomColour, 1, 0);
    grid->addWidget(new QLabel(QStringLiteral("Colour at the bottom of the gradient"), GradientGroup),
                    1, 1);
    grid->setColumnStretch(1, 1);
    layout->addWidget(GradientGroup);
    layout->addStretch(1);
    return page;
}

QWidget* TPreferencesForm::CreateSizePage() {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    auto* main = new TGroupBoxEx(QStringLiteral(" Main Program Window "), page);
    auto* mainLayout = new QVBoxLayout(main);
    WindowMaximise = AddCheck(mainLayout, main, "WindowMaximise", QStringLiteral("Maximise Window on startup"));
    WindowSize = AddCheck(mainLayout, main, "WindowSize", QStringLiteral("Save Window Size when finishing."));
    auto* tools = new TGroupBoxEx(QStringLiteral(" Tool Windows "), page);
    auto* toolsLayout = new QVBoxLayout(tools);
    ToolWindowMaximise = AddCheck(toolsLayout, tools, "ToolWindowMaximise",
                                  QStringLiteral("Maximise Tool Window on creation"));
    layout->addWidget(main);
    layout->addWidget(tools);
    layout->addStretch(1);
    return page;
}

QWidget* TPreferencesForm::CreateQuickListPage() {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(QStringLiteral("Maximum Number of items in Quick List"), page));
    QuickListUpDown = new QSpinBox(page);
    QuickListUpDown->setObjectName(QStringLiteral("QuickListNumber"));
    QuickListUpDown->setRange(0, 10);
    QuickListUpDown->setWrapping(false);
    row->addWidget(QuickListUpDown);
    row->addStretch(1);
    layout->addLayout(row);
    auto* clearRow = new QHBoxLayout;
    ClearQuickList = MakeButton(page, "ClearQuickList", QStringLiteral("Clear Quick List"));
    clearRow->addWidget(ClearQuickList);
    clearRow->addStretch(1);
    layout->addLayout(clearRow);
    layout->addStretch(1);
    connect(ClearQuickList, &QPushButton::clicked, this, &TPreferencesForm::ClearQuickListClick);
    return page;
}

QWidget* TPreferencesForm::CreateAllToolsPage() {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    auto* group = new TGroupBoxEx(QStringLiteral(" Default Font Properties on Tool Creation "), page);
    auto* grid = new QGridLayout(group);
    FontStyle = new QComboBox(group);
    FontStyle->setObjectName(QStringLiteral("FontStyle"));
    FontStyle->addItems(QFontDatabase::families());
    FontStyle->setMaxVisibleItems(12);
    FontStyle->setMinimumContentsLength(18);
    FontSize = new QComboBox(group);
    FontSize->setObjectName(QStringLiteral("FontSize"));
    FontSize->setEditable(true);
    FontSize->setInsertPolicy(QComboBox::NoInsert);
    for (const char* size : FontSizes)
        FontSize->addItem(QLatin1String(size));
    FontSize->setMinimumContentsLength(3);
    FontColour = CreateSwatch(group, "FontColour");
    ChangeFont = MakeButton(group, "ChangeFont", QStringLiteral("Change Font"));
    grid->addWidget(new QLabel(QStringLiteral("Font Style"), group), 0, 0);
    grid->addWidget(FontStyle, 0, 1, 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("Font Size"), group), 1, 0);
    FontSize->setFixedWidth(FontSize->sizeHint().width() + 12);
    grid->addWidget(FontSize, 1, 1, Qt::AlignLeft);
    grid->addWidget(new QLabel(QStringLiteral("Font Colour"), group), 1, 2, Qt::AlignRight);
    grid->addWidget(FontColour, 1, 3);
    auto* styles = new QHBoxLayout;
    Bold = AddCheck(styles, group, "Bold", QStringLiteral("Bold"));
    Underline = AddCheck(styles, group, "Underline", QStringLiteral("Underline"));
    Itallics = AddCheck(styles, group, "Itallics", QStringLiteral("Itallics"));
    Strikeout = AddCheck(styles, group, "Strikeout", QStringLiteral("Strikeout"));
    grid->addLayout(styles, 2, 0, 1, 4);
    grid->addWidget(ChangeFont, 3, 0, 1, 2, Qt::AlignLeft);
    grid->setColumnStretch(1, 1);
    layout->addWidget(group);
    layout->addStretch(1);
    connect(ChangeFont, &QPushButton::clicked, this, &TPreferencesForm::ChangeFontClick);
    return page;
}

QWidget* TPreferencesForm::CreateSpellCheckerPage() {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    auto* group = new TGroupBoxEx(QStringLiteral("Default Dictionary Names "), page);
    auto* grid = new QGridLayout(group);
    Dictionary = new QLineEdit(group);
    Dictionary->setObjectName(QStringLiteral("Dictionary"));
    SetHint(Dictionary, QStringLiteral("Main Dictionary Filename"));
    Custom = new QLineEdit(group);
    Custom->setObjectName(QStringLiteral("Custom"));
    SetHint(Custom, QStringLiteral("Custom Dictionary Filename"));
    BrowseButton1 = MakeButton(group, "BrowseButton1", QStringLiteral("Browse"), QStringLiteral("Find Main Dictionary"));
    EditButton1 = MakeButton(group, "EditButton1", QStringLiteral("Edit"), QStringLiteral("Edit Main Dictionary"));
    BrowseButton2 = MakeButton(group, "BrowseButton2", QStringLiteral("Browse"), QStringLiteral("Find Custom Dictionary"));
    EditButton2 = MakeButton(group, "EditButton2", QStringLiteral("Edit"), QStringLiteral("Edit Custom Dictionary"));
    grid->addWidget(new QLabel(QStringLiteral("Main Dictionary"), group), 0, 0, 1, 3);
    grid->addWidget(Dictionary, 1, 0);
    grid->addWidget(BrowseButton1, 1, 1);
    grid->addWidget(EditButton1, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Custom Dictionary"), group), 2, 0, 1, 3);
    grid->addWidget(Custom, 3, 0);
    grid->addWidget(BrowseButton2, 3, 1);
    grid->addWidget(EditButton2, 3, 2);
    grid->setColumnStretch(0, 1);
    layout->addWidget(group);
    auto* addRow = new QHBoxLayout;
    AddButton = MakeButton(page, "AddButton", QStringLiteral("Add Words"),
                           QStringLiteral("Add Words to Main Dictionary"));
    addRow->addWidget(AddButton);
    addRow->addStretch(1);
    layout->addLayout(addRow);
    layout->addStretch(1);
    connect(BrowseButton1, &QPushButton::clicked, this, [this] { BrowseButton1Click(0); });
    connect(BrowseButton2, &QPushButton::clicked, this, [this] { BrowseButton1Click(1); });
    connect(EditButton1, &QPushButton::clicked, this, [this] { EditButton1Click(0); });
    connect(EditButton2, &QPushButton::clicked, this, [this] { EditButton1Click(1); });
    connect(AddButton, &QPushButton::clicked, this, &TPreferencesForm::AddButtonClick);
    return page;
}

QWidget* TPreferencesForm::CreateToolbarsPage() {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    auto* group = new TGroupBoxEx(QStringLiteral(" Determine the Visibility of the Toolbars at Startup "), page);
    auto* grid = new QGridLayout(group);
    for (int i = 0; i < 6; ++i) {
        Toolbar[i] = new QCheckBox(QLatin1String(ToolbarCaptions[i]), group);
        Toolbar[i]->setObjectName(QStringLiteral("Toolbar%1").arg(i + 1));
        grid->addWidget(Toolbar[i], i % 3, i / 3);
    }
    layout->addWidget(group);
    layout->addStretch(1);
    return page;
}

QWidget* TPreferencesForm::CreateResetPage() {
    auto* page = new QWidget;
    auto* layout = new QHBoxLayout(page);
    Image1 = new QLabel(page);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setFixedSize(FacePicture(TFace::Face).size());
    Image1->installEventFilter(this);
    Reset = MakeButton(page, "Reset", QStringLiteral("Reset"));
    Reset->installEventFilter(this);
    layout->addStretch(1);
    layout->addWidget(Image1);
    layout->addSpacing(24);
    layout->addWidget(Reset);
    layout->addStretch(1);
    connect(Reset, &QPushButton::clicked, this, &TPreferencesForm::ResetClick);
    ShowFace(TFace::Face);
    return page;
}

// ---------------------------------------------------------------------------------------------
// Loading and writing

void TPreferencesForm::FormCreate() {
    const TSettings settings;
    const TPreferences p = settings.Preferences();
    Copyright->setChecked(p.Copyright);
    Logo->setChecked(p.Logo);
    SetSwatchColour(TopColour, TSettings::ColourFromBgr(p.TopColour));
    SetSwatchColour(BottomColour, TSettings::ColourFromBgr(p.BottomColour));
    WindowMaximise->setChecked(p.WindowMaximise);
    WindowSize->setChecked(p.WindowSize);
    ToolWindowMaximise->setChecked(p.ToolWindowMaximise);
    QuickListUpDown->setValue(p.QuickListLength);
    SelectFontStyle(p.FontStyle);
    FontSize->setEditText(p.FontSize);
    SetSwatchColour(FontColour, TSettings::ColourFromBgr(p.FontColour));
    Bold->setChecked(p.Bold);
    Underline->setChecked(p.Underline);
    Itallics->setChecked(p.Itallics);
    Strikeout->setChecked(p.Strikeout);
    Dictionary->setText(settings.DialogDictionary());
    Custom->setText(settings.DialogCustom());
    for (int i = 0; i < 6; ++i)
        Toolbar[i]->setChecked(p.ToolBar[size_t(i)]);
    ClearQuickList->setEnabled(settings.FileCount() != 0);
}

TPreferences TPreferencesForm::ControlPreferences() const {
    TPreferences p;
    p.Copyright = Copyright->isChecked();
    p.Logo = Logo->isChecked();
    p.TopColour = TSettings::BgrFromColour(SwatchColour(TopColour));
    p.BottomColour = TSettings::BgrFromColour(SwatchColour(BottomColour));
    p.WindowMaximise = WindowMaximise->isChecked();
    p.WindowSize = WindowSize->isChecked();
    p.ToolWindowMaximise = ToolWindowMaximise->isChecked();
    p.QuickListLength = QuickListUpDown->value();
    p.FontStyle = FontStyle->currentText();
    p.FontSize = FontSize->currentText();
    p.FontColour = TSettings::BgrFromColour(SwatchColour(FontColour));
    p.Bold = Bold->isChecked();
    p.Underline = Underline->isChecked();
    p.Itallics = Itallics->isChecked();
    p.Strikeout = Strikeout->isChecked();
    p.Dictionary = Dictionary->text();
    p.Custom = Custom->text();
    for (int i = 0; i < 6; ++i)
        p.ToolBar[size_t(i)] = Toolbar[i]->isChecked();
    return p;
}

bool TPreferencesForm::WritePreferences() {
    // A number typed into the field counts even when the focus has not left it yet.
    QuickListUpDown->interpretText();
    try {
        TSettings().SetPreferences(ControlPreferences());
    } catch (const TPlatformError& error) {
        ShowError(error.Text());
        return false;
    }
    return true;
}

void TPreferencesForm::accept() {
    if (WritePreferences())
        QDialog::accept();
}

void TPreferencesForm::ShowError(const QString& text) {
    TDialogs::Current().Message(this, text, QStringLiteral("Error"), TMessageIcon::Error,
                                TMessageButtons::Ok);
}

void TPreferencesForm::SelectFontStyle(const QString& name) {
    int index = FontStyle->findText(name, Qt::MatchFixedString);
    if (index < 0 && !name.isEmpty()) {
        // A name fontconfig knows only as an alias ("Courier New") is still a usable default.
        index = 0;
        while (index < FontStyle->count() &&
               FontStyle->itemText(index).compare(name, Qt::CaseInsensitive) < 0)
            ++index;
        FontStyle->insertItem(index, name);
    }
    FontStyle->setCurrentIndex(index);
}

QColor TPreferencesForm::SwatchColour(const QLabel* swatch) const {
    return swatch->palette().color(QPalette::Window);
}

void TPreferencesForm::SetSwatchColour(QLabel* swatch, const QColor& colour) {
    QPalette palette = swatch->palette();
    palette.setColor(QPalette::Window, colour);
    swatch->setPalette(palette);
}

// ---------------------------------------------------------------------------------------------
// Handlers

void TPreferencesForm::TopColourMouseUp(QLabel* swatch) {
    QColor colour = SwatchColour(swatch);
    if (TDialogs::Current().ChooseColour(this, colour))
        SetSwatchColour(swatch, colour);
}

void TPreferencesForm::ChangeFontClick() {
    // A name the font system knows only as an alias ("Courier New") is preset as the font it
    // stands for, and stays as it is when that font comes back unchanged.
    const QString name = FontStyle->currentText();
    const QString resolved = QFontInfo(QFont(name)).family();
    QFont font(resolved);
    font.setPointSize(TSettings::ParseFontSize(FontSize->currentText()));
    font.setBold(Bold->isChecked());
    font.setItalic(Itallics->isChecked());
    font.setUnderline(Underline->isChecked());
    font.setStrikeOut(Strikeout->isChecked());
    QColor colour = SwatchColour(FontColour);
    if (!TDialogs::Current().ChooseFont(this, font, colour))
        return;
    const QString chosen = font.families().isEmpty() ? font.family() : font.families().constFirst();
    SelectFontStyle(chosen == resolved ? name : chosen);
    FontSize->setEditText(QString::number(qRound(font.pointSizeF())));
    SetSwatchColour(FontColour, colour);
    Bold->setChecked(font.bold());
    Itallics->setChecked(font.italic());
    Underline->setChecked(font.underline());
    Strikeout->setChecked(font.strikeOut());
}

void TPreferencesForm::BrowseButton1Click(int tag) {
    QLineEdit* field = tag == 0 ? Dictionary : Custom;
    const QString chosen = TDialogs::Current().OpenFileName(
        this, tag == 0 ? QStringLiteral("Find Main Dictionary") : QStringLiteral("Find Custom Dictionary"),
        field->text(), QStringLiteral("Dictionary Files (*.dic)|*.dic|All Files (*.*)|*.*"));
    if (!chosen.isEmpty())
        field->setText(chosen);
}

void TPreferencesForm::EditButton1Click(int tag) {
    const QString fileName = (tag == 0 ? Dictionary : Custom)->text();
    emit EditFile(fileName);
    FormCreate();
    reject();
}

void TPreferencesForm::AddButtonClick() {
    // The hourglass shows while the spell checker loads its dictionaries; it goes as soon as
    // the spell checker's window takes events (or at once, when it never opens).
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QTimer::singleShot(0, qApp, [] { QApplication::restoreOverrideCursor(); });
    TDialogs::Current().DictionaryMaintenance(this);
}

void TPreferencesForm::ClearQuickListClick() {
    try {
        TSettings().ClearQuickList();
    } catch (const TPlatformError& error) {
        ShowError(error.Text());
        return;
    }
    ClearQuickList->setEnabled(false);
}

void TPreferencesForm::ResetClick() {
    ShowFace(TFace::Face);
    try {
        TSettings().ResetPreferences();
    } catch (const TPlatformError& error) {
        ShowError(error.Text());
        return;
    }
    reject();
}

void TPreferencesForm::HelpButtonClick() {
    // The frame's context help answers F1 with the topic of the widget that has it: the page.
    QWidget* page = PageControl1->currentWidget();
    TDialogButtons::PressHelpKey(page ? page : this);
}

void TPreferencesForm::ShowFace(TFace face) {
    ShownFace = face;
    Image1->setPixmap(FacePicture(face));
}

bool TPreferencesForm::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    const bool press = type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick;
    const bool release = type == QEvent::MouseButtonRelease;
    if ((press || release) && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        if (watched == Reset || watched == Image1) {
            if (press)
                ShowFace(watched == Reset ? TFace::FaceOh : TFace::FaceTongue);
            else
                ShowFace(TFace::Face);
        } else if (release && (watched == TopColour || watched == BottomColour ||
                               watched == FontColour)) {
            auto* swatch = static_cast<QLabel*>(watched);
            if (swatch->rect().contains(static_cast<QMouseEvent*>(event)->position().toPoint()))
                TopColourMouseUp(swatch);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TPreferencesForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (Centred)
        return;
    Centred = true;
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

// ---------------------------------------------------------------------------------------------
// The faces of the Reset tab, drawn here rather than loaded.

QPixmap TPreferencesForm::FacePicture(TFace face) {
    constexpr int Size = 96;
    QPixmap pixmap(Size, Size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor ink(40, 30, 20);
    p.setPen(QPen(ink, 3));
    p.setBrush(QColor(255, 210, 60));
    p.drawEllipse(QRectF(4, 4, Size - 8, Size - 8));

    // Eyes: round while surprised, one winking with the tongue out.
    p.setBrush(ink);
    p.setPen(Qt::NoPen);
    switch (face) {
    case TFace::Face:
        p.drawEllipse(QPointF(33, 38), 5, 7);
        p.drawEllipse(QPointF(63, 38), 5, 7);
        break;
    case TFace::FaceOh:
        p.setPen(QPen(ink, 3));
        p.setBrush(Qt::white);
        p.drawEllipse(QPointF(33, 36), 9, 10);
        p.drawEllipse(QPointF(63, 36), 9, 10);
        p.setBrush(ink);
        p.setPen(Qt::NoPen);
        p.drawEllipse(QPointF(33, 37), 4, 4);
        p.drawEllipse(QPointF(63, 37), 4, 4);
        break;
    case TFace::FaceTongue:
        p.drawEllipse(QPointF(33, 38), 5, 7);
        p.setPen(QPen(ink, 4, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(56, 39), QPointF(70, 39));
        break;
    }

    // Mouth.
    p.setPen(QPen(ink, 4, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    switch (face) {
    case TFace::Face:
        p.drawArc(QRectF(26, 40, 44, 34), 200 * 16, 140 * 16);
        break;
    case TFace::FaceOh:
        p.setPen(QPen(ink, 3));
        p.setBrush(QColor(120, 20, 20));
        p.drawEllipse(QPointF(48, 69), 9, 12);
        break;
    case TFace::FaceTongue: {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(220, 60, 80));
        QPainterPath tongue;
        tongue.moveTo(40, 66);
        tongue.lineTo(40, 76);
        tongue.arcTo(QRectF(40, 68, 18, 18), 180, 180);
        tongue.lineTo(58, 66);
        tongue.closeSubpath();
        p.drawPath(tongue);
        p.setPen(QPen(ink, 4, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        p.drawLine(QPointF(30, 66), QPointF(66, 66));
        p.setPen(QPen(QColor(150, 30, 50), 2));
        p.drawLine(QPointF(49, 68), QPointF(49, 78));
        break;
    }
    }
    return pixmap;
}
