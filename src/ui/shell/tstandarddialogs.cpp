#include "tstandarddialogs.h"

#include "document/tfinddialog.h"
#include "document/tlineform.h"
#include "document/tstatsform.h"
#include "model/tangleform.h"
#include "model/tboltnodeform.h"
#include "model/ttitlesform.h"
#include "spell/tspellcheck.h"
#include "taboutbox.h"
#include "topentypeform.h"
#include "tpreferencesform.h"
#include "view/tboltcopyform.h"
#include "view/tboltpropertiesform.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QIcon>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>
#include <QInputDialog>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QRegularExpression>
#include <memory>

namespace {

TDialogs* Installed = nullptr;

QMessageBox::Icon BoxIcon(TMessageIcon icon) {
    switch (icon) {
    case TMessageIcon::Information:
        return QMessageBox::Information;
    case TMessageIcon::Warning:
    case TMessageIcon::Exclamation:
        return QMessageBox::Warning;
    case TMessageIcon::Error:
        return QMessageBox::Critical;
    case TMessageIcon::Question:
        return QMessageBox::Question;
    case TMessageIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

} // namespace

// The standard dialogs answer unless a test has installed its own.
TDialogs& TDialogs::Current() {
    static TStandardDialogs standard;
    return Installed ? *Installed : standard;
}

void TDialogs::Install(TDialogs* dialogs) {
    Installed = dialogs;
}

TMessageResult TStandardDialogs::Message(QWidget* parent, const QString& text,
                                         const QString& caption, TMessageIcon icon,
                                         TMessageButtons buttons) {
    QMessageBox box(BoxIcon(icon), caption, text, QMessageBox::NoButton, parent);
    switch (buttons) {
    case TMessageButtons::Ok:
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case TMessageButtons::OkCancel:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        break;
    case TMessageButtons::YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        break;
    case TMessageButtons::YesNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        break;
    }
    switch (box.exec()) {
    case QMessageBox::Yes:
        return TMessageResult::Yes;
    case QMessageBox::No:
        return TMessageResult::No;
    case QMessageBox::Cancel:
        return TMessageResult::Cancel;
    default:
        break;
    }
    // Closing a box without an OK button by its title bar answers as Cancel would.
    return buttons == TMessageButtons::Ok ? TMessageResult::Ok : TMessageResult::Cancel;
}

bool TStandardDialogs::InputText(QWidget* parent, const QString& caption, const QString& prompt,
                                 QString& value) {
    bool ok = false;
    const QString text =
        QInputDialog::getText(parent, caption, prompt, QLineEdit::Normal, value, &ok);
    if (ok)
        value = text;
    return ok;
}

QString TStandardDialogs::OpenFileName(QWidget* parent, const QString& title,
                                       const QString& fileName, const QString& filter) {
    return QFileDialog::getOpenFileName(parent, title, fileName, QtFilter(filter));
}

QString TStandardDialogs::SaveFileName(QWidget* parent, const QString& title,
                                       const QString& fileName, const QString& filter,
                                       const QString& defaultExtension) {
    // The overwrite question is the window's own, so the dialog does not ask it too.
    QFileDialog dialog(parent, title, QFileInfo(fileName).absolutePath(), QtFilter(filter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setDefaultSuffix(defaultExtension);
    dialog.selectFile(QFileInfo(fileName).fileName());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

bool TStandardDialogs::ChooseFont(QWidget* parent, QFont& font, QColor& colour) {
    // The font chooser with a colour button under it, in one dialog.
    QDialog box(parent);
    box.setWindowTitle(QStringLiteral("Font"));
    auto* layout = new QVBoxLayout(&box);
    auto* fonts = new QFontDialog(&box);
    fonts->setWindowFlags(Qt::Widget);
    fonts->setOptions(QFontDialog::NoButtons | QFontDialog::DontUseNativeDialog);
    fonts->setCurrentFont(font);
    // A family the font system resolves to another is shown as that other family; a font left
    // as shown gives back the font asked for, so that OK without a change changes nothing.
    const QFont shown = fonts->currentFont();
    layout->addWidget(fonts);
    QColor chosenColour = colour;
    auto* colourButton = new QPushButton(QStringLiteral("&Colour..."), &box);
    const auto showSwatch = [colourButton, &chosenColour] {
        QPixmap swatch(16, 16);
        swatch.fill(chosenColour.isValid() ? chosenColour : QColor(Qt::black));
        colourButton->setIcon(QIcon(swatch));
    };
    showSwatch();
    QObject::connect(colourButton, &QPushButton::clicked, &box, [this, &box, &chosenColour, showSwatch] {
        if (ChooseColour(&box, chosenColour))
            showSwatch();
    });
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &box);
    buttons->addButton(colourButton, QDialogButtonBox::ActionRole);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &box, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &box, &QDialog::reject);
    layout->addWidget(buttons);
    if (box.exec() != QDialog::Accepted)
        return false;
    const QFont chosen = fonts->currentFont();
    if (chosen != shown)
        font = chosen;
    colour = chosenColour;
    return true;
}

bool TStandardDialogs::ChooseColour(QWidget* parent, QColor& colour) {
    const QColor chosen = QColorDialog::getColor(colour, parent);
    if (!chosen.isValid())
        return false;
    colour = chosen;
    return true;
}

bool TStandardDialogs::Print(QWidget* parent, QPrinter& printer) {
    QPrintDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

bool TStandardDialogs::PrinterSetup(QWidget* parent, QPrinter& printer) {
    QPageSetupDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

TDialogs::TOpenTool TStandardDialogs::OpenType(QWidget* parent, const QString& fileName) {
    TOpenTypeForm form(fileName, parent);
    if (form.exec() != QDialog::Accepted)
        return TOpenTool::Cancelled;
    return form.ToolIndex() == 0 ? TOpenTool::BoltGroupAnalysis : TOpenTool::TextEditor;
}

bool TStandardDialogs::ViewingAngle(QWidget* parent, QString& rotX, QString& rotY, QString& rotZ) {
    TAngleForm form(parent);
    form.SetTexts(rotX, rotY, rotZ);
    if (form.exec() != QDialog::Accepted)
        return false;
    rotX = form.TextX();
    rotY = form.TextY();
    rotZ = form.TextZ();
    return true;
}

bool TStandardDialogs::AnalysisTitles(QWidget* parent, QString& analysisTitle,
                                      QString& loadCaseTitle) {
    TTitlesForm form(parent);
    form.AnalysisTitle->setText(analysisTitle);
    form.LoadCaseTitle->setText(loadCaseTitle);
    if (form.exec() != QDialog::Accepted)
        return false;
    analysisTitle = form.AnalysisTitle->text();
    loadCaseTitle = form.LoadCaseTitle->text();
    return true;
}

bool TStandardDialogs::BoltCopy(QWidget* parent, const QString& caption, bool move,
                                const TVector3& example, TCopyMoveValues& values,
                                TCopyMovePage& page) {
    TBoltCopyForm form(parent);
    form.setWindowTitle(caption);
    form.SetExample(example);
    form.SetValues(values, !move);
    if (move)
        form.SetMoveMode();
    form.FillPreviews();
    if (form.exec() != QDialog::Accepted)
        return false;
    page = form.Page();
    form.ReadValues(values, move);
    return true;
}

bool TStandardDialogs::NisaNodeNumbers(QWidget* parent, const QStringList& boltColumn,
                                       QStringList& nodeColumn) {
    TBoltNodeForm form(parent);
    form.SetRows(boltColumn, nodeColumn);
    if (form.exec() != QDialog::Accepted)
        return false;
    nodeColumn = form.NodeColumn();
    return true;
}

TFindDialog* TStandardDialogs::CreateFindDialog(QWidget* parent, bool replace) {
    return new TFindDialog(replace, parent);
}

bool TStandardDialogs::GotoLine(QWidget* parent, const QString& fileName, int maxLine,
                                int& chosenLine) {
    TLineForm form(parent);
    form.SetFileName(fileName);
    form.SetLines(maxLine, chosenLine);
    if (form.exec() != QDialog::Accepted)
        return false;
    chosenLine = form.ChosenLine;
    return true;
}

void TStandardDialogs::Statistics(QWidget* parent, QTextEdit* richEdit, const QString& fileName) {
    TStatsForm form(richEdit, parent);
    form.SetFileName(fileName);
    form.exec();
}

bool TStandardDialogs::BoltProperties(QWidget* parent, TBoltEditing::TProperties& values) {
    TBoltPropertiesForm form(parent);
    form.SetValues(values);
    if (form.exec() != QDialog::Accepted)
        return false;
    values = form.Values();
    return true;
}

void TStandardDialogs::About(QWidget* parent) {
    TAboutBox box(TSharedFolders(), parent);
    box.exec();
}

void TStandardDialogs::Preferences(QWidget* parent, const TEditFile& editFile) {
    TPreferencesForm form(parent);
    QObject::connect(&form, &TPreferencesForm::EditFile, &form, editFile);
    form.exec();
}

void TStandardDialogs::AboutTitled(QWidget* parent, const QString& title) {
    TAboutBox box(TSharedFolders(), parent);
    box.SetTitle(title);
    box.exec();
}

TSpellCorrections TStandardDialogs::SpellCheck(QWidget* parent, const QString& text) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    std::unique_ptr<TSpellCheck> checker;
    try {
        checker = std::make_unique<TSpellCheck>(parent);
    } catch (...) {
        QApplication::restoreOverrideCursor();
        throw;
    }
    checker->SetSourceText(text);
    checker->PrepareCheck();
    QApplication::restoreOverrideCursor();
    checker->exec();
    return checker->Corrections();
}

void TStandardDialogs::DictionaryMaintenance(QWidget* parent) {
    TSpellCheck checker(parent);
    checker.DictionaryOnlyMode();
    checker.exec();
}

void TStandardDialogs::Beep() {
    QApplication::beep();
}

QString TStandardDialogs::QtFilter(const QString& filter) {
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList filters;
    static const QRegularExpression trailingPatterns(QStringLiteral("\\s*\\([^()]*\\)\\s*$"));
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts.at(i);
        description.remove(trailingPatterns);
        QStringList patterns = parts.at(i + 1).split(QLatin1Char(';'), Qt::SkipEmptyParts);
        for (QString& p : patterns)
            p = p.trimmed();
        // "*.*" means every file, also those without a dot in their name.
        if (patterns == QStringList{QStringLiteral("*.*")})
            patterns = {QStringLiteral("*")};
        filters << description.trimmed() + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) +
                       QLatin1Char(')');
    }
    return filters.join(QStringLiteral(";;"));
}
