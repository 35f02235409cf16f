#include "tframestatusbar.h"

#include "document/tbaseform.h"
#include "telidedlabel.h"
#include "tlockkeys.h"

#include <QDateTime>
#include <QFontMetrics>
#include <QLabel>
#include <QLocale>
#include <QMouseEvent>

namespace {

QString LongHint(const QString& hint) {
    const qsizetype bar = hint.indexOf(QLatin1Char('|'));
    return bar < 0 ? hint : hint.mid(bar + 1);
}

} // namespace

TFrameStatusBar::TFrameStatusBar(QWidget* parent) : QStatusBar(parent) {
    setObjectName(QStringLiteral("StatusBar1"));
    setSizeGripEnabled(true);
    const QFontMetrics metrics(font());
    const QString widths[] = {
        QStringLiteral(" No Document"),  QStringLiteral("   NUM  CAPS  SCROLL  "),
        QStringLiteral("  12.00 PM  "),  QStringLiteral("   ") + DateText(QDate::currentDate()),
        QStringLiteral("   Typeover  "), QString()};
    for (int i = 0; i < 6; ++i) {
        // The last panel takes hints of any length.
        QLabel* panel = i < 5 ? new QLabel(this) : new TElidedLabel(this);
        panel->setObjectName(QStringLiteral("Panel%1").arg(i));
        panel->setFrameShape(QFrame::Panel);
        panel->setFrameShadow(QFrame::Sunken);
        if (i < 5) {
            // The label's frame and margins come on top of the text.
            const int frame = 2 * panel->frameWidth() + 2;
            panel->setFixedWidth(metrics.horizontalAdvance(widths[i]) + frame + (i == 0 ? 5 : 0));
            addWidget(panel);
        } else {
            panel->setMinimumWidth(20);
            addWidget(panel, 1);
        }
        panel->installEventFilter(this);
        Panels[i] = panel;
    }
    Panels[0]->setText(QStringLiteral(" No Document"));
    Panels[4]->setText(QStringLiteral(" "));
}

QString TFrameStatusBar::LockKeysText(bool caps, bool num, bool scroll) {
    QString text = QStringLiteral(" ");
    if (caps)
        text += QStringLiteral("CAPS  ");
    if (num)
        text += QStringLiteral("NUM  ");
    if (scroll)
        text += QStringLiteral("SCROLL");
    return text;
}

QString TFrameStatusBar::TimeText(const QTime& time) {
    return QLocale::system().toString(time, QStringLiteral(" h:mm AP "));
}

QString TFrameStatusBar::DateText(const QDate& date) {
    return QLocale::system().toString(date, QStringLiteral(" dddd, d MMMM yyyy."));
}

void TFrameStatusBar::Tick(TBaseForm* document, bool clock) {
    if (clock || LocksDue) {
        LocksDue = false;
        const std::optional<TLockKeyStates> locks = TLockKeys::Read();
        Panels[1]->setText(locks ? LockKeysText(locks->Caps, locks->Num, locks->Scroll) : QString());
    }
    ShowInsertMode(document);
    if (clock) {
        const QDateTime now = QDateTime::currentDateTime();
        Panels[2]->setText(TimeText(now.time()));
        Panels[3]->setText(DateText(now.date()));
    }

    // Caret; the panel grows to its text and never shrinks.
    if (document) {
        const QPoint caret = document->CaretPosition();
        Panels[0]->setText(QStringLiteral(" Line %1  Column %2").arg(caret.x()).arg(caret.y()));
    } else {
        Panels[0]->setText(QStringLiteral(" No Document "));
    }
    const int needed = QFontMetrics(Panels[0]->font()).horizontalAdvance(Panels[0]->text()) + 5 +
                       2 * Panels[0]->frameWidth() + 2;
    if (needed > Panels[0]->width())
        Panels[0]->setFixedWidth(needed);

    if (document) {
        setStatusTip(document->RichEditHint());
        if (CurrentHint.isEmpty() || HintFromEditor)
            Panels[5]->setText(QStringLiteral(" ") + LongHint(document->RichEditHint()));
    } else {
        setStatusTip(window()->windowTitle());
    }
}

void TFrameStatusBar::ShowInsertMode(const TBaseForm* document) {
    if (!document)
        Panels[4]->setText(QStringLiteral(" "));
    else
        Panels[4]->setText(document->InsertMode() ? QStringLiteral(" Insert")
                                                  : QStringLiteral(" Typeover"));
}

void TFrameStatusBar::ShowHint(const QString& hint) {
    const QString longPart = LongHint(hint);
    CurrentHint = longPart;
    if (!longPart.isEmpty()) {
        Panels[5]->setText(QStringLiteral(" ") + longPart);
    } else if (TBaseForm* d = ActiveDocument ? ActiveDocument() : nullptr) {
        Panels[5]->setText(QStringLiteral(" ") + LongHint(d->RichEditHint()));
    }
}

void TFrameStatusBar::ShowStatusTip(const QString& tip) {
    ShowHint(tip);
    HintFromEditor = EditorHint;
    EditorHint = false;
}

void TFrameStatusBar::StatusBar1MouseDown(const QPoint& pos) {
    TBaseForm* d = ActiveDocument ? ActiveDocument() : nullptr;
    if (!d)
        return;
    QLabel* clicked = nullptr;
    for (QLabel* panel : Panels) {
        if (panel->isVisible() && panel->geometry().left() < pos.x())
            clicked = panel;
    }
    if (!clicked)
        return;
    d->TypeText(clicked->text().trimmed() + QLatin1Char(' '));
}

void TFrameStatusBar::mousePressEvent(QMouseEvent* event) {
    StatusBar1MouseDown(event->position().toPoint());
    event->accept();
}

bool TFrameStatusBar::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress) {
        if (auto* panel = qobject_cast<QLabel*>(watched); panel && panel->parentWidget() == this) {
            auto* mouse = static_cast<QMouseEvent*>(event);
            StatusBar1MouseDown(panel->mapTo(this, mouse->position().toPoint()));
            return true;
        }
    }
    return QStatusBar::eventFilter(watched, event);
}
