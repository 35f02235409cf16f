#include "tboltcopyform.h"

#include "model/tnumberformat.h"
#include "view/tbolttransforms.h"
#include "shell/tdialogbuttons.h"
#include "shell/tscreencentre.h"

#include <QComboBox>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

const char* const AxisNames[] = {"X", "Y", "Z"};
// The rows of the fullest " To " group (the rotate page's); the space below them stays empty.
const int RowsAtMost = 7;

// Wide enough for every number the dialog shows in full: 15 digits with a sign, a point and
// leading zeros or an exponent.
int FieldWidth(const QWidget* widget) {
    const QFontMetrics metrics = widget->fontMetrics();
    int text = 0;
    for (const char* widest : {"-0.0000888888888888888", "-8.88888888888888E-308"})
        text = qMax(text, metrics.horizontalAdvance(QLatin1String(widest)));
    return text + 16;
}

// Three columns of a caption and a field, so that the rows of every group line up.
QGridLayout* Grid(QWidget* group) {
    auto* grid = new QGridLayout(group);
    for (int column = 0; column < 6; column += 2) {
        grid->setColumnMinimumWidth(column, 14);
        grid->setColumnMinimumWidth(column + 1, FieldWidth(group));
    }
    grid->setColumnStretch(6, 1);
    return grid;
}

QLineEdit* Edit(const char* name, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QLatin1String(name));
    edit->setFixedWidth(FieldWidth(edit));
    return edit;
}

// A read-only number, framed like an edit so that the from and to positions line up.
QLabel* Value(const char* name, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label->setFixedWidth(FieldWidth(label));
    label->setMinimumHeight(QLineEdit().sizeHint().height());
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

// An axis name in front of its field.
QLabel* Caption(const QString& text, QWidget* parent, const char* name = nullptr) {
    auto* caption = new QLabel(text, parent);
    if (name)
        caption->setObjectName(QLatin1String(name));
    caption->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return caption;
}

// A heading over the grid's row: across all of it, or over the first caption and field.
QLabel* AddHeading(QGridLayout* grid, int row, const QString& text, int span = 6,
                   const char* name = nullptr) {
    auto* heading = new QLabel(text, grid->parentWidget());
    if (name)
        heading->setObjectName(QLatin1String(name));
    grid->addWidget(heading, row, 0, 1, span);
    return heading;
}

// A row of three fields made by `make`, captioned X, Y and Z.
template <typename TField>
void AddRow(QGridLayout* grid, int row, TField* (*make)(const char*, QWidget*), TField*& x,
            TField*& y, TField*& z, const char* xName, const char* yName, const char* zName) {
    QWidget* group = grid->parentWidget();
    x = make(xName, group);
    y = make(yName, group);
    z = make(zName, group);
    TField* fields[] = {x, y, z};
    for (int i = 0; i < 3; ++i) {
        grid->addWidget(Caption(QLatin1String(AxisNames[i]), group), row, 2 * i);
        grid->addWidget(fields[i], row, 2 * i + 1);
    }
}

// One field with its axis caption in the grid's row, in the caption and field pair `pair`.
QLineEdit* AddEdit(QGridLayout* grid, int row, int pair, QLabel*& caption,
                   const char* captionName, const QString& axis, const char* name) {
    caption = Caption(axis, grid->parentWidget(), captionName);
    QLineEdit* edit = Edit(name, grid->parentWidget());
    grid->addWidget(caption, row, 2 * pair);
    grid->addWidget(edit, row, 2 * pair + 1);
    return edit;
}

// The list of the grid's first row: the axis or the plane.
QComboBox* AddList(QGridLayout* grid, const char* name, const QStringList& items) {
    AddHeading(grid, 0, QStringLiteral("Axis"), 2);
    auto* list = new QComboBox(grid->parentWidget());
    list->setObjectName(QLatin1String(name));
    list->setFixedWidth(FieldWidth(list));
    list->addItems(items);
    grid->addWidget(list, 0, 3);
    return list;
}

// The number of copies on the grid's row: its heading and its up-down.
QSpinBox* AddCopies(QGridLayout* grid, int row, QLabel*& heading, const char* headingName,
                    const char* name) {
    heading = AddHeading(grid, row, QStringLiteral("Number of Copies"), 2, headingName);
    auto* upDown = new QSpinBox(grid->parentWidget());
    upDown->setObjectName(QLatin1String(name));
    upDown->setRange(TCopyMoveValues::MinCopies, TCopyMoveValues::MaxCopies);
    upDown->setWrapping(true);
    upDown->setFixedWidth(FieldWidth(upDown));
    upDown->setValue(1);
    grid->addWidget(upDown, row, 3);
    return upDown;
}

// A page, not yet on its tab: the " From " group showing the example's position, and the
// " To " group, whose grid the page goes on to fill.
QGridLayout* NewPage(const char* name, QLabel*& x, QLabel*& y, QLabel*& z, const char* xName,
                     const char* yName, const char* zName) {
    auto* page = new QWidget;
    page->setObjectName(QLatin1String(name));
    auto* from = new QGroupBox(QStringLiteral(" From "), page);
    QGridLayout* fromGrid = Grid(from);
    AddHeading(fromGrid, 0, QStringLiteral("Absolute Position of Original Bolt"));
    AddRow(fromGrid, 1, Value, x, y, z, xName, yName, zName);
    auto* to = new QGroupBox(QStringLiteral(" To "), page);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(from);
    // The " To " group fills the page, so that both groups keep their size from page to page.
    layout->addWidget(to, 1);
    QGridLayout* grid = Grid(to);
    grid->setRowStretch(RowsAtMost, 1);
    return grid;
}

// Puts the page whose " To " grid this is on its tab.
void AddPage(QTabWidget* tabs, QGridLayout* to, const QString& caption) {
    tabs->addTab(to->parentWidget()->parentWidget(), caption);
}

} // namespace

TBoltCopyForm::TBoltCopyForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("BoltCopyForm"));
    setWindowTitle(QStringLiteral("Copy Bolt"));
    setProperty("HelpContext", HelpContext);

    auto* layout = new QVBoxLayout(this);
    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    layout->addWidget(PageControl1);

    // Translate.
    QGridLayout* grid = NewPage("TranslateSheet", X, Y, Z, "X", "Y", "Z");
    FirstCopyLabel = AddHeading(grid, 0, QStringLiteral("Absolute Position of First Copy"), 6,
                                "FirstCopyLabel");
    AddRow(grid, 1, Edit, XTrans, YTrans, ZTrans, "XTrans", "YTrans", "ZTrans");
    DisplacementLabel = AddHeading(grid, 2, QStringLiteral("Relative Displacement per Copy"), 6,
                                   "DisplacementLabel");
    AddRow(grid, 3, Edit, dX, dY, dZ, "dX", "dY", "dZ");
    TranslationCopies = AddCopies(grid, 4, TransCopiesLabel, "TransCopiesLabel", "TranslationCopies");
    AddPage(PageControl1, grid, QStringLiteral("Translate"));

    // Rotate.
    grid = NewPage("RotateSheet", RX, RY, RZ, "RX", "RY", "RZ");
    Axis = AddList(grid, "Axis",
                   {QStringLiteral("X Axis"), QStringLiteral("Y Axis"), QStringLiteral("Z Axis")});
    RotationPerCopyLabel = AddHeading(grid, 1, QStringLiteral("Rotation per Copy"), 2,
                                      "RotationPerCopyLabel");
    Angle = Edit("Angle", grid->parentWidget());
    grid->addWidget(Angle, 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("Degrees"), grid->parentWidget()), 1, 4, 1, 2);
    AddHeading(grid, 2, QStringLiteral("Centre"));
    CentreX = AddEdit(grid, 3, 0, CentreXLabel, "CentreXLabel", QStringLiteral("Y"), "CentreX");
    CentreY = AddEdit(grid, 3, 1, CentreYLabel, "CentreYLabel", QStringLiteral("Z"), "CentreY");
    RotatedLabel = AddHeading(grid, 4, QStringLiteral("Absolute Position of First Copy"), 6,
                              "RotatedLabel");
    AddRow(grid, 5, Value, RXR, RYR, RZR, "RXR", "RYR", "RZR");
    RotationCopies = AddCopies(grid, 6, RotationCopiesLabel, "RotationCopiesLabel", "RotationCopies");
    AddPage(PageControl1, grid, QStringLiteral("Rotate"));

    // Mirror.
    grid = NewPage("MirrorSheet", MX, MY, MZ, "MX", "MY", "MZ");
    Plane = AddList(grid, "Plane",
                    {QStringLiteral("YZ Plane"), QStringLiteral("XZ Plane"), QStringLiteral("XY Plane")});
    AddHeading(grid, 1, QStringLiteral("Plane Position"));
    PlaneValue = AddEdit(grid, 2, 0, PlaneLabel, "PlaneLabel", QStringLiteral("X"), "PlaneValue");
    AddHeading(grid, 3, QStringLiteral("Absolute Position of Mirrored Bolt"));
    AddRow(grid, 4, Value, MXM, MYM, MZM, "MXM", "MYM", "MZM");
    AddPage(PageControl1, grid, QStringLiteral("Mirror"));

    // Scale.
    grid = NewPage("ScaleSheet", SX, SY, SZ, "SX", "SY", "SZ");
    AddHeading(grid, 0, QStringLiteral("Base Point"));
    AddRow(grid, 1, Edit, BaseX, BaseY, BaseZ, "BaseX", "BaseY", "BaseZ");
    AddHeading(grid, 2, QStringLiteral("Scale In each Axis"));
    AddRow(grid, 3, Edit, ScaleX, ScaleY, ScaleZ, "ScaleX", "ScaleY", "ScaleZ");
    AddHeading(grid, 4, QStringLiteral("Absolute Position of Scaled Bolt"));
    AddRow(grid, 5, Value, SXS, SYS, SZS, "SXS", "SYS", "SZS");
    AddPage(PageControl1, grid, QStringLiteral("Scale"));

    // The edit part of each up-down.
    TransCopiesEdit = TranslationCopies->findChild<QLineEdit*>();
    TransCopiesEdit->setObjectName(QStringLiteral("TransCopiesEdit"));
    Nrotation = RotationCopies->findChild<QLineEdit*>();
    Nrotation->setObjectName(QStringLiteral("Nrotation"));

    const TDialogButtons buttons(this, layout);
    OKButton = buttons.OKButton;
    CancelButton = buttons.CancelButton;
    HelpButton = buttons.HelpButton;

    for (QLineEdit* e : {XTrans, YTrans, ZTrans})
        connect(e, &QLineEdit::textChanged, this, &TBoltCopyForm::XTransChange);
    for (QLineEdit* e : {dX, dY, dZ})
        connect(e, &QLineEdit::textChanged, this, &TBoltCopyForm::dXChange);
    connect(Axis, &QComboBox::currentIndexChanged, this, &TBoltCopyForm::AxisChange);
    for (QLineEdit* e : {Angle, CentreX, CentreY})
        connect(e, &QLineEdit::textChanged, this, &TBoltCopyForm::CalculateRotatedPos);
    connect(Plane, &QComboBox::currentIndexChanged, this, &TBoltCopyForm::PlaneChange);
    connect(PlaneValue, &QLineEdit::textChanged, this, &TBoltCopyForm::CalculateMirroredPos);
    for (QLineEdit* e : {BaseX, BaseY, BaseZ, ScaleX, ScaleY, ScaleZ})
        connect(e, &QLineEdit::textChanged, this, &TBoltCopyForm::ScaleChange);
    for (QSpinBox* s : {TranslationCopies, RotationCopies})
        connect(s, &QSpinBox::valueChanged, this, &TBoltCopyForm::RotationCopiesClick);

    // Not resizable, centred on the screen.
    layout->setSizeConstraint(QLayout::SetFixedSize);
    adjustSize();
    TScreenCentre::Place(this);
}

QString TBoltCopyForm::NumberText(double value) {
    return TNumberFormat::FormatGeneral(value);
}

double TBoltCopyForm::ReadNumber(const QString& text) {
    return TNumberFormat::ParseReal(text, 0);
}

TVector3 TBoltCopyForm::ShownPosition(const QLabel* x, const QLabel* y, const QLabel* z) {
    return {ReadNumber(x->text()), ReadNumber(y->text()), ReadNumber(z->text())};
}

void TBoltCopyForm::ShowPosition(const TVector3& p, QLabel* x, QLabel* y, QLabel* z) {
    x->setText(NumberText(p.X));
    y->setText(NumberText(p.Y));
    z->setText(NumberText(p.Z));
}

void TBoltCopyForm::SetExample(const TVector3& position) {
    ShowPosition(position, X, Y, Z);
    ShowPosition(position, RX, RY, RZ);
    ShowPosition(position, MX, MY, MZ);
    ShowPosition(position, SX, SY, SZ);
}

void TBoltCopyForm::SetValues(const TCopyMoveValues& values, bool withCopies) {
    dX->setText(NumberText(values.CopyOffset.X));
    dY->setText(NumberText(values.CopyOffset.Y));
    dZ->setText(NumberText(values.CopyOffset.Z));
    if (withCopies) {
        TranslationCopies->setValue(values.CopyCount);
        RotationCopies->setValue(values.CopyCount);
    }
    CentreX->setText(NumberText(values.RotationCentre[0]));
    CentreY->setText(NumberText(values.RotationCentre[1]));
    Angle->setText(NumberText(values.RotationAngle));
    Axis->setCurrentIndex(values.RotationAxis <= 2 ? values.RotationAxis : 0);
    Plane->setCurrentIndex(values.MirrorPlane <= 2 ? values.MirrorPlane : 0);
    PlaneValue->setText(NumberText(values.MirrorPosition));
    BaseX->setText(NumberText(values.ScaleBase.X));
    BaseY->setText(NumberText(values.ScaleBase.Y));
    BaseZ->setText(NumberText(values.ScaleBase.Z));
    ScaleX->setText(NumberText(values.ScaleFactors.X));
    ScaleY->setText(NumberText(values.ScaleFactors.Y));
    ScaleZ->setText(NumberText(values.ScaleFactors.Z));
}

void TBoltCopyForm::SetMoveMode() {
    // The hidden rows keep their room, so that the dialog keeps the one height it opened with
    // whichever page shows.
    for (QWidget* w : std::initializer_list<QWidget*>{TransCopiesLabel, TranslationCopies,
                                                      RotationCopiesLabel, RotationCopies}) {
        QSizePolicy policy = w->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        w->setSizePolicy(policy);
        w->hide();
    }
    FirstCopyLabel->setText(QStringLiteral("Absolute Position of Moved Bolt"));
    DisplacementLabel->setText(QStringLiteral("Relative Displacement per Bolt"));
    RotatedLabel->setText(QStringLiteral("Absolute Position of Moved Bolt"));
    RotationPerCopyLabel->setText(QStringLiteral("Rotation Angle"));
}

void TBoltCopyForm::FillPreviews() {
    dXChange();
    AxisChange();
    PlaneChange();
    ScaleChange();
}

TCopyMovePage TBoltCopyForm::Page() const {
    return TCopyMovePage(qBound(0, PageControl1->currentIndex(), 3));
}

void TBoltCopyForm::SetPage(TCopyMovePage page) {
    PageControl1->setCurrentIndex(int(page));
}

TCopyMoveValues TBoltCopyForm::RotationShown() const {
    TCopyMoveValues v;
    v.RotationAxis = quint8(qBound(0, Axis->currentIndex(), 2));
    v.RotationCentre[0] = ReadNumber(CentreX->text());
    v.RotationCentre[1] = ReadNumber(CentreY->text());
    v.RotationAngle = ReadNumber(Angle->text());
    return v;
}

TCopyMoveValues TBoltCopyForm::MirrorShown() const {
    TCopyMoveValues v;
    v.MirrorPlane = quint8(qBound(0, Plane->currentIndex(), 2));
    v.MirrorPosition = ReadNumber(PlaneValue->text());
    return v;
}

TCopyMoveValues TBoltCopyForm::ScaleShown() const {
    TCopyMoveValues v;
    v.ScaleBase = {ReadNumber(BaseX->text()), ReadNumber(BaseY->text()), ReadNumber(BaseZ->text())};
    v.ScaleFactors = {ReadNumber(ScaleX->text()), ReadNumber(ScaleY->text()),
                      ReadNumber(ScaleZ->text())};
    return v;
}

void TBoltCopyForm::ReadValues(TCopyMoveValues& values, bool move) const {
    switch (Page()) {
    case TCopyMovePage::Translate:
        if (!move)
            values.CopyCount = TranslationCopies->value();
        values.CopyOffset = {ReadNumber(dX->text()), ReadNumber(dY->text()),
                             ReadNumber(dZ->text())};
        break;
    case TCopyMovePage::Rotate: {
        const TCopyMoveValues shown = RotationShown();
        values.CopyCount = RotationCopies->value();
        values.RotationAxis = shown.RotationAxis;
        values.RotationCentre[0] = shown.RotationCentre[0];
        values.RotationCentre[1] = shown.RotationCentre[1];
        values.RotationAngle = shown.RotationAngle;
        break;
    }
    case TCopyMovePage::Mirror: {
        const TCopyMoveValues shown = MirrorShown();
        values.MirrorPlane = shown.MirrorPlane;
        values.MirrorPosition = shown.MirrorPosition;
        break;
    }
    case TCopyMovePage::Scale: {
        const TCopyMoveValues shown = ScaleShown();
        values.ScaleBase = shown.ScaleBase;
        values.ScaleFactors = shown.ScaleFactors;
        break;
    }
    }
}

void TBoltCopyForm::XTransChange() {
    const TVector3 p = ShownPosition(X, Y, Z);
    const QSignalBlocker bx(dX), by(dY), bz(dZ);
    dX->setText(NumberText(ReadNumber(XTrans->text()) - p.X));
    dY->setText(NumberText(ReadNumber(YTrans->text()) - p.Y));
    dZ->setText(NumberText(ReadNumber(ZTrans->text()) - p.Z));
}

void TBoltCopyForm::dXChange() {
    const TVector3 p = ShownPosition(X, Y, Z);
    const QSignalBlocker bx(XTrans), by(YTrans), bz(ZTrans);
    XTrans->setText(NumberText(p.X + ReadNumber(dX->text())));
    YTrans->setText(NumberText(p.Y + ReadNumber(dY->text())));
    ZTrans->setText(NumberText(p.Z + ReadNumber(dZ->text())));
}

void TBoltCopyForm::AxisChange() {
    const int axis = qBound(0, Axis->currentIndex(), 2);
    CentreXLabel->setText(QLatin1String(AxisNames[axis == 0 ? 1 : 0]));
    CentreYLabel->setText(QLatin1String(AxisNames[axis == 2 ? 1 : 2]));
    CalculateRotatedPos();
}

void TBoltCopyForm::CalculateRotatedPos() {
    ShowPosition(TBoltTransforms::Rotated(ShownPosition(RX, RY, RZ), RotationShown(), 1), RXR, RYR,
                 RZR);
}

void TBoltCopyForm::PlaneChange() {
    PlaneLabel->setText(QLatin1String(AxisNames[qBound(0, Plane->currentIndex(), 2)]));
    CalculateMirroredPos();
}

void TBoltCopyForm::CalculateMirroredPos() {
    ShowPosition(TBoltTransforms::Mirrored(ShownPosition(MX, MY, MZ), MirrorShown()), MXM, MYM,
                 MZM);
}

void TBoltCopyForm::ScaleChange() {
    ShowPosition(TBoltTransforms::Scaled(ShownPosition(SX, SY, SZ), ScaleShown()), SXS, SYS, SZS);
}

void TBoltCopyForm::RotationCopiesClick(int position) {
    const QSignalBlocker bt(TranslationCopies), br(RotationCopies);
    TranslationCopies->setValue(position);
    RotationCopies->setValue(position);
}
