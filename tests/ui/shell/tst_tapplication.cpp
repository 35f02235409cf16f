#include "foundation/tplatformerror.h"
#include "shell/tapplication.h"
#include "tscripteddialogs.h"

#include <QTest>
#include <QTimer>

namespace {

// Throws whatever it is told to from its event handler, as a command handler would.
class TThrower : public QObject {
public:
    int Kind = 0;
    int Handled = 0;
    bool event(QEvent* e) override {
        if (e->type() != QEvent::User)
            return QObject::event(e);
        ++Handled;
        switch (Kind) {
        case 0:
            throw TPlatformError(QString::fromLatin1(TPlatformError::DivisionByZero));
        case 1:
            throw std::runtime_error("Cannot open file \"x.dat\"");
        default:
            throw 42;
        }
    }
};

} // namespace

class TstTApplication : public QObject {
    Q_OBJECT

private slots:
    void ErrorReachingTheLoopIsShownAndTheProgramGoesOn_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("message");
        QTest::newRow("platform error") << 0 << QStringLiteral("Floating point division by zero");
        QTest::newRow("standard exception") << 1 << QStringLiteral("Cannot open file \"x.dat\"");
        QTest::newRow("anything else") << 2 << QStringLiteral("Unknown error");
    }
    void ErrorReachingTheLoopIsShownAndTheProgramGoesOn() {
        QFETCH(int, kind);
        QFETCH(QString, message);
        TScriptedDialogs dialogs;
        TThrower thrower;
        thrower.Kind = kind;
        QCoreApplication::postEvent(&thrower, new QEvent(QEvent::User));
        QCoreApplication::postEvent(&thrower, new QEvent(QEvent::User));
        QCoreApplication::sendPostedEvents(&thrower, QEvent::User);
        QCOMPARE(thrower.Handled, 2);
        QCOMPARE(dialogs.Messages.size(), 2);
        QCOMPARE(dialogs.Messages[0].Text, message);
        QCOMPARE(dialogs.Messages[0].Caption, QStringLiteral("Quorvane Fastenex"));
        QCOMPARE(dialogs.Messages[0].Icon, TMessageIcon::Error);
        QCOMPARE(dialogs.Messages[0].Buttons, TMessageButtons::Ok);
        // The event loop still runs afterwards.
        bool ran = false;
        QTimer::singleShot(0, [&ran] { ran = true; });
        QTRY_VERIFY(ran);
    }
};

int main(int argc, char* argv[]) {
    TApplication app(argc, argv);
    TstTApplication test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_tapplication.moc"
