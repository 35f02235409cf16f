#include "taboutbox.h"

#include <QDialogButtonBox>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QMovie>
#include <QPainter>
#include <QTextDocument>
#include <QTimer>
#include <QVBoxLayout>

static void InitAboutResources() { Q_INIT_RESOURCE(fastenex); }

// The about box's text: it shows from the top when the box opens, moves up one pixel every
// 40 ms, and starts again from below once it has all gone by.
class TScrollingText : public QWidget {
public:
    TScrollingText(const QString& text, QWidget* parent) : QWidget(parent) {
        Text.setPlainText(text);
        Text.setDocumentMargin(6);
        setMinimumSize(360, 120);
        auto* timer = new QTimer(this);
        timer->setInterval(40);
        connect(timer, &QTimer::timeout, this, [this] {
            Offset += 1;
            if (Offset > Text.size().height() + height())
                Offset = 0;
            update();
        });
        timer->start();
    }

protected:
    void resizeEvent(QResizeEvent*) override { Text.setTextWidth(width()); }
    void showEvent(QShowEvent*) override {
        if (!Shown) {
            Shown = true;
            Offset = height();
        }
    }

    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), palette().base());
        painter.translate(0, height() - Offset);
        Text.drawContents(&painter, QRectF(0, Offset - height(), width(), height()));
    }

private:
    QTextDocument Text;
    int Offset = 0;
    bool Shown = false;
};

QString TAboutBox::Title() { return QStringLiteral("Quorvane Fastenex"); }

QString TAboutBox::ReleaseText() { return QStringLiteral("Release 0.1, 8 December 2026"); }

QString TAboutBox::AnimationFileName() { return QStringLiteral("About.gif"); }

QString TAboutBox::BlurbFileName() { return QStringLiteral("About Blurb.txt"); }

QString TAboutBox::FindFile(const TSharedFolders& folders, const QString& name) {
    const QString shared = folders.FindMakerFile(name);
    if (!shared.isEmpty())
        return shared;
    const QString beside = folders.ProgramFolderFile(name);
    return QFileInfo(beside).isFile() ? beside : QString();
}

QString TAboutBox::BuiltInBlurb() {
    return QStringLiteral(
        "Quorvane Fastenex shares a load applied at any point among the bolts of a group, "
        "each with its own position and stiffness in X, Y and Z.\n\n"
        "It reports the loads on every bolt for unit loads in +X, +Y and +Z, the centroids and "
        "r\u00B2 sums of the group, and the axial and shear load on each bolt for the load "
        "case.\n\n"
        "Bolt groups come from its own analysis data files or from NISA finite-element input, "
        "and the loads go back to NISA as a load fragment.\n\n"
        "Check every result against your own judgement: the program finds the loads the "
        "stiffnesses give; it does not know the strength of your bolts or plates.\n\n"
        "Copyright \u00A9 Quorvane Engineering Software.");
}

QString TAboutBox::BlurbText(const TSharedFolders& folders) {
    const QString name = FindFile(folders, BlurbFileName());
    if (name.isEmpty())
        return BuiltInBlurb();
    QFile file(name);
    if (!file.open(QIODevice::ReadOnly))
        return BuiltInBlurb();
    const QByteArray bytes = file.read(64 * 1024);
    QString text = QString::fromUtf8(bytes);
    QString clean;
    clean.reserve(text.size());
    for (const QChar c : text) {
        if (c == QLatin1Char('\n') || c == QLatin1Char('\t') || !(c.isNonCharacter() || c.category() == QChar::Other_Control))
            clean.append(c);
    }
    clean = clean.trimmed();
    return clean.isEmpty() ? BuiltInBlurb() : clean;
}

TAboutBox::TAboutBox(const TSharedFolders& folders, QWidget* parent) : QDialog(parent) {
    InitAboutResources();
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("About ") + Title());
    setProperty("HelpContext", 506);

    Logo = new QLabel(this);
    Logo->setObjectName(QStringLiteral("Logo"));
    Logo->setAlignment(Qt::AlignCenter);
    Logo->setPixmap(QPixmap(QStringLiteral(":/bitmaps/LTBITMAP.bmp")));
    const QString animation = FindFile(folders, AnimationFileName());
    if (!animation.isEmpty() && QFileInfo(animation).size() <= 16 * 1024 * 1024) {
        Movie = new QMovie(animation, QByteArray(), this);
        // Only a file whose first picture can be read replaces the logo.
        if (Movie->isValid() && Movie->jumpToFrame(0) && !Movie->currentImage().isNull()) {
            // Played in a loop, whatever the file's own loop count says. The restart waits for
            // the event loop, so a file that ends at once cannot restart itself without end.
            connect(Movie, &QMovie::finished, Movie, &QMovie::start, Qt::QueuedConnection);
            // A picture that turns out damaged further on leaves the logo in its place.
            connect(Movie, &QMovie::error, this, [this] {
                Movie->stop();
                Logo->setPixmap(QPixmap(QStringLiteral(":/bitmaps/LTBITMAP.bmp")));
            });
            Logo->setMovie(Movie);
            Movie->start();
        } else {
            delete Movie;
            Movie = nullptr;
        }
    }

    auto* title = new QLabel(Title(), this);
    title->setObjectName(QStringLiteral("ProductName"));
    ProductName = title;
    QFont big = title->font();
    big.setPointSizeF(big.pointSizeF() * 1.8);
    big.setBold(true);
    title->setFont(big);
    auto* release = new QLabel(ReleaseText(), this);
    release->setObjectName(QStringLiteral("Version"));
    auto* purpose = new QLabel(
        QStringLiteral("Bolt group analysis for structural and mechanical engineers"), this);
    purpose->setWordWrap(true);
    auto* copyright = new QLabel(
        QStringLiteral("Copyright \u00A9 Quorvane Engineering Software"), this);
    copyright->setObjectName(QStringLiteral("Copyright"));

    BlurbShown = BlurbText(folders);
    Blurb = new TScrollingText(BlurbShown, this);
    Blurb->setObjectName(QStringLiteral("Blurb"));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* texts = new QVBoxLayout;
    texts->addWidget(title);
    texts->addWidget(release);
    texts->addWidget(purpose);
    texts->addWidget(copyright);
    texts->addStretch(1);
    auto* top = new QHBoxLayout;
    top->addWidget(Logo, 0, Qt::AlignTop);
    top->addSpacing(12);
    top->addLayout(texts, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(Blurb, 1);
    layout->addWidget(buttons);
    resize(520, 380);
}

void TAboutBox::SetTitle(const QString& title) {
    setWindowTitle(QStringLiteral("About ") + title);
    ProductName->setText(title);
}
