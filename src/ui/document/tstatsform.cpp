#include "tstatsform.h"

#include "document/tparagraphlayout.h"
#include "document/ttextlines.h"
#include "document/treporttext.h"
#include "document/ttextstatistics.h"
#include "shell/tdialogbuttons.h"
#include "shell/tscreencentre.h"
#include "treportview.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTextDocument>
#include <QTextEdit>
#include <QTimer>
#include <QVBoxLayout>

#include <optional>

TStatsForm::TStatsForm(QTextEdit* richEdit, QWidget* parent) : QDialog(parent), RichEdit(richEdit) {
    setObjectName(QStringLiteral("StatsForm"));
    setWindowTitle(QStringLiteral("Document Statistics"));
    setProperty("HelpContext", HelpContext);

    auto* layout = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    const QString captions[] = {QStringLiteral("Number of Characters"),
                                QStringLiteral("Number of Words"),
                                QStringLiteral("Number of Paragraphs"),
                                QStringLiteral("Number of Lines")};
    QLineEdit** edits[] = {&Edit1, &Edit2, &Edit3, &Edit4};
    for (int row = 0; row < 4; ++row) {
        auto* edit = new QLineEdit(QStringLiteral("0"), this);
        edit->setObjectName(QStringLiteral("Edit%1").arg(row + 1));
        edit->setReadOnly(true);
        edit->setMinimumWidth(150);
        auto* label = new QLabel(captions[row], this);
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        label->setBuddy(edit);
        grid->addWidget(label, row, 0);
        grid->addWidget(edit, row, 1);
        *edits[row] = edit;
    }
    layout->addLayout(grid);
    layout->addStretch(1);

    const TDialogButtons buttons(this, layout, TDialogButtons::NoCancel | TDialogButtons::Unnamed);
    OKButton = buttons.OKButton;
    HelpButton = buttons.HelpButton;
    // The fields only show; the focus starts on OK.
    for (QLineEdit* edit : {Edit1, Edit2, Edit3, Edit4})
        edit->setFocusPolicy(Qt::ClickFocus);

    Timer1 = new QTimer(this);
    Timer1->setSingleShot(true);
    Timer1->setInterval(10);
    connect(Timer1, &QTimer::timeout, this, &TStatsForm::FormCreate);

    setFixedHeight(232);
    setMinimumWidth(410);
    resize(410, 232);
    TScreenCentre::Place(this);
}

void TStatsForm::SetFileName(const QString& fileName) {
    setWindowTitle(QStringLiteral("Document Statistics - ") + QFileInfo(fileName).fileName());
}

void TStatsForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!Counting)
        Timer1->start();
}

void TStatsForm::done(int result) {
    StopRequested = true;
    if (Counting)
        return;
    QDialog::done(result);
}

void TStatsForm::FormCreate() {
    Timer1->stop();
    if (!RichEdit || Counting)
        return;
    // The hourglass and the flag go back on every exit.
    struct TCountGuard {
        bool& Counting;
        TCountGuard(bool& counting) : Counting(counting) {
            Counting = true;
            QApplication::setOverrideCursor(Qt::WaitCursor);
        }
        ~TCountGuard() {
            QApplication::restoreOverrideCursor();
            Counting = false;
        }
    };
    std::optional<TCountGuard> guard(std::in_place, Counting);
    // A long report shown over the editor is counted from its own text, line by line; its
    // lines are not wrapped.
    const auto* view = RichEdit->findChild<TReportView*>();
    const TReportText* report = view ? view->Report() : nullptr;
    QStringList lines;
    qsizetype lineCount = 0;
    if (report) {
        lineCount = report->LineCount();
        Edit1->setText(QString::number(report->CharacterCount()));
    } else {
        QTextDocument* document = RichEdit->document();
        // Wrapped lines count as the area shows them, so the text is laid out first as far as
        // the count needs. Under Qt's layout that is the whole text even without word wrap: the
        // area would otherwise lay out what is left at the count's event points, which costs far
        // more.
        TParagraphLayout::LayOutForLines(*document);
        // The lines are taken at the start: the count works on them while events run.
        lines = TTextLines::Texts(*document);
        lineCount = lines.size();
        Edit1->setText(QString::number(TTextLines::CharacterCount(*document)));
    }
    Edit4->setText(QString::number(lineCount));

    TTextStatistics statistics;
    // Events run every 10 lines, so a close request is noticed at once. The fields show the
    // counts so far at those points too, but at most 25 times a second: redrawing them every
    // 10 lines would cost a long document many times what its count does.
    QElapsedTimer sinceShown;
    sinceShown.start();
    for (qsizetype i = 0; i < lineCount && !StopRequested; ++i) {
        statistics.AddLine(report ? report->Line(i) : lines.at(i));
        if (i % 10 == 0) {
            if (i == 0 || sinceShown.elapsed() >= 40) {
                Edit2->setText(QString::number(statistics.Words));
                Edit3->setText(QString::number(statistics.Paragraphs));
                sinceShown.restart();
            }
            QCoreApplication::processEvents();
        }
    }
    if (!StopRequested)
        statistics.Finish();
    Edit2->setText(QString::number(statistics.Words));
    Edit3->setText(QString::number(statistics.Paragraphs));

    guard.reset();
    if (StopRequested)
        done(Accepted);
}
