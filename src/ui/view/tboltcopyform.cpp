#include "tboltcopyform.h"

#include "model/tnumberformat.h"
#include "view/tbolttransforms.h"
#include "shell/tdialogbuttons.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

const char* const AxisNames[] = {"X", "Y", "Z"};
const int FieldWidth = 130;

// Three columns of a caption and a field, so that the rows of every group line up.
QGridLayout* Grid(QWidget* group) {
    auto* grid = new QGridLayout(group);
    for (int column = 0; column < 6; column += 2) {
        grid->setColumnMinimumWidth(column, 14);
        grid->setColumnMinimumWidth(column + 1, FieldWidth);
    }
    grid->setColumnStretch(6, 1);
    return grid;
}

QLineEdit* Edit(const char* name, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QLatin1String(name));
    edit->setFixedWidth(FieldWidth);
    return edit;
}

// A read-only number, framed like an edit so that the from and to positions line up.
QLabel* Value(const char* name, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label->setFixedWidth(FieldWidth);
    label->setMinimumHeight(QLineEdit().sizeHint().height());
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

QLabel* Heading(const QString& text, QWidget* parent) {
    return new QLabel(text, parent);
}

// A row of three fields captioned X, Y and Z.
void AddRow(QGridLayout* grid, int row, QWidget* x, QWidget* y, QWidget* z) {
    QWidget* fields[] = {x, y, z};
    for (int i = 0; i < 3; ++i) {
        auto* caption = new QLabel(QLatin1String(AxisNames[i]), fields[i]->parentWidget());
        caption->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        grid->addWidget(caption, row, 2 * i);
        grid->addWidget(fields[i], row, 2 * i + 1);
    }
}

QSpinBox* UpDown(const char* name, QWidget* parent) {
    auto* upDown = new QSpinBox(parent);
    upDown->setObjectName(QLatin1String(name));
    upDown->setRange(TCopyMoveValues::MinCopies, TCopyMoveValues::MaxCopies);
    upDown->setWrapping(true);
    upDown->setFixedWidth(FieldWidth);
    upDown->setValue(1);
    return upDown;
}

// The " From " group: the example's position.
QGroupBox* FromGroup(QWidget* page, QLabel*& x, QLabel*& y, QLabel*& z, const char* xName,
                     const char* yName, const char* zName) {
    auto* group = new QGroupBox(QStringLiteral(" From "), page);
    auto* grid = Grid(group);
    grid->addWidget(Heading(QStringLiteral("Absolute Position of Original Bolt"), group), 0, 0, 1,
                    6);
    x = Value(xName, group);
    y = Value(yName, group);
    z = Value(zName, group);
    AddRow(grid, 1, x, y, z);
    return group;
}

QWidget* AddPage(QTabWidget* tabs, const char* name, const QString& caption, QGroupBox* from,
                 QGroupBox* to) {
    auto* page = from->parentWidget();
    page->setObjectName(QLatin1String(name));
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(from);
    layout->addWidget(to);
    layout->addStretch(1);
    tabs->addTab(page, caption);
    return page;
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
    {
        auto* page = new QWidget;
        QGroupBox* from = FromGroup(page, X, Y, Z, "X", "Y", "Z");
        auto* to = new QGroupBox(QStringLiteral(" To "), page);
        auto* grid = Grid(to);
        FirstCopyLabel = Heading(QStringLiteral("Absolute Position of First Copy"), to);
        FirstCopyLabel->setObjectName(QStringLiteral("FirstCopyLabel"));
        grid->addWidget(FirstCopyLabel, 0, 0, 1, 6);
        XTrans = Edit("XTrans", to);
        YTrans = Edit("YTrans", to);
        ZTrans = Edit("ZTrans", to);
        AddRow(grid, 1, XTrans, YTrans, ZTrans);
        DisplacementLabel = Heading(QStringLiteral("Relative Displacement per Copy"), to);
        DisplacementLabel->setObjectName(QStringLiteral("DisplacementLabel"));
        grid->addWidget(DisplacementLabel, 2, 0, 1, 6);
        dX = Edit("dX", to);
        dY = Edit("dY", to);
        dZ = Edit("dZ", to);
        AddRow(grid, 3, dX, dY, dZ);
        TransCopiesLabel = Heading(QStringLiteral("Number of Copies"), to);
        TransCopiesLabel->setObjectName(QStringLiteral("TransCopiesLabel"));
        grid->addWidget(TransCopiesLabel, 4, 0, 1, 2);
        TranslationCopies = UpDown("TranslationCopies", to);
        grid->addWidget(TranslationCopies, 4, 3);
        AddPage(PageControl1, "TranslateSheet", QStringLiteral("Translate"), from, to);
    }
    // Rotate.
    {
        auto* page = new QWidget;
        QGroupBox* from = FromGroup(page, RX, RY, RZ, "RX", "RY", "RZ");
        auto* to = new QGroupBox(QStringLiteral(" To "), page);
        auto* grid = Grid(to);
        grid->addWidget(Heading(QStringLiteral("Axis"), to), 0, 0, 1, 2);
        Axis = new QComboBox(to);
        Axis->setObjectName(QStringLiteral("Axis"));
        Axis->setFixedWidth(FieldWidth);
        Axis->addItems(
            {QStringLiteral("X Axis"), QStringLiteral("Y Axis"), QStringLiteral("Z Axis")});
        grid->addWidget(Axis, 0, 3);
        RotationPerCopyLabel = Heading(QStringLiteral("Rotation per Copy"), to);
        RotationPerCopyLabel->setObjectName(QStringLiteral("RotationPerCopyLabel"));
        grid->addWidget(RotationPerCopyLabel, 1, 0, 1, 2);
        Angle = Edit("Angle", to);
        grid->addWidget(Angle, 1, 3);
        grid->addWidget(Heading(QStringLiteral("Degrees"), to), 1, 4, 1, 2);
        grid->addWidget(Heading(QStringLiteral("Centre"), to), 2, 0, 1, 6);
        CentreXLabel = new QLabel(QStringLiteral("Y"), to);
        CentreXLabel->setObjectName(QStringLiteral("CentreXLabel"));
        CentreXLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        CentreX = Edit("CentreX", to);
        CentreYLabel = new QLabel(QStringLiteral("Z"), to);
        CentreYLabel->setObjectName(QStringLiteral("CentreYLabel"));
        CentreYLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        CentreY = Edit("CentreY", to);
        grid->addWidget(CentreXLabel, 3, 0);
        grid->addWidget(CentreX, 3, 1);
        grid->addWidget(CentreYLabel, 3, 2);
        grid->addWidget(CentreY, 3, 3);
        RotatedLabel = Heading(QStringLiteral("Absolute Position of First Copy"), to);
        RotatedLabel->setObjectName(QStringLiteral("RotatedLabel"));
        grid->addWidget(RotatedLabel, 4, 0, 1, 6);
        RXR = Value("RXR", to);
        RYR = Value("RYR", to);
        RZR = Value("RZR", to);
        AddRow(grid, 5, RXR, RYR, RZR);
        RotationCopiesLabel = Heading(QStringLiteral("Number of Copies"), to);
        RotationCopiesLabel->setObjectName(QStringLiteral("RotationCopiesLabel"));
        grid->addWidget(RotationCopiesLabel, 6, 0, 1, 2);
        RotationCopies = UpDown("RotationCopies", to);
        grid->addWidget(RotationCopies, 6, 3);
        AddPage(PageControl1, "RotateSheet", QStringLiteral("Rotate"), from, to);
    }
    // Mirror.
    {
        auto* page = new QWidget;
        QGroupBox* from = FromGroup(page, MX, MY, MZ, "MX", "MY", "MZ");
        auto* to = new QGroupBox(QStringLiteral(" To "), page);
        auto* grid = Grid(to);
        grid->addWidget(Heading(QStringLiteral("Axis"), to), 0, 0, 1, 2);
        Plane = new QComboBox(to);
        Plane->setObjectName(QStringLiteral("Plane"));
        Plane->setFixedWidth(FieldWidth);
        Plane->addItems(
            {QStringLiteral("YZ Plane"), QStringLiteral("XZ Plane"), QStringLiteral("XY Plane")});
        grid->addWidget(Plane, 0, 3);
        grid->addWidget(Heading(QStringLiteral("Plane Position"), to), 1, 0, 1, 6);
        PlaneLabel = new QLabel(QStringLiteral("X"), to);
        PlaneLabel->setObjectName(QStringLiteral("PlaneLabel"));
        PlaneLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        PlaneValue = Edit("PlaneValue", to);
        grid->addWidget(PlaneLabel, 2, 0);
        grid->addWidget(PlaneValue, 2, 1);
        grid->addWidget(Heading(QStringLiteral("Absolute Position of Mirrored Bolt"), to), 3, 0, 1,
                        6);
        MXM = Value("MXM", to);
        MYM = Value("MYM", to);
        MZM = Value("MZM", to);
        AddRow(grid, 4, MXM, MYM, MZM);
        AddPage(PageControl1, "MirrorSheet", QStringLiteral("Mirror"), from, to);
    }
    // Scale.
    {
        auto* page = new QWidget;
        QGroupBox* from = FromGroup(page, SX, SY, SZ, "SX", "SY", "SZ");
        auto* to = new QGroupBox(QStringLiteral(" To "), page);
        auto* grid = Grid(to);
        grid->addWidget(Heading(QStringLiteral("Base Point"), to), 0, 0, 1, 6);
        BaseX = Edit("BaseX", to);
        BaseY = Edit("BaseY", to);
        BaseZ = Edit("BaseZ", to);
        AddRow(grid, 1, BaseX, BaseY, BaseZ);
        grid->addWidget(Heading(QStringLiteral("Scale In each Axis"), to), 2, 0, 1, 6);
        ScaleX = Edit("ScaleX", to);
        ScaleY = Edit("ScaleY", to);
        ScaleZ = Edit("ScaleZ", to);
        AddRow(grid, 3, ScaleX, ScaleY, ScaleZ);
        grid->addWidget(Heading(QStringLiteral("Absolute Position of Scaled Bolt"), to), 4, 0, 1,
                        6);
        SXS = Value("SXS", to);
        SYS = Value("SYS", to);
        SZS = Value("SZS", to);
        AddRow(grid, 5, SXS, SYS, SZS);
        AddPage(PageControl1, "ScaleSheet", QStringLiteral("Scale"), from, to);
    }
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
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame = geometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
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
    for (QWidget* w : std::initializer_list<QWidget*>{TransCopiesLabel, TranslationCopies,
                                                      RotationCopiesLabel, RotationCopies})
        w->hide();
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
