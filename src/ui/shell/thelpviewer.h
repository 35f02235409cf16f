#pragma once

#include <QString>
#include <QStringList>
#include <QWidget>

class QAction;
class QTextBrowser;
class QUrl;

// The program's help: one non-modal window with a browser over the HTML pages compiled into
// the resources (":/help/"). Every window, dialog and many menu items carry a help context
// number (their "HelpContext" property); one table maps each number to its page and place on
// the page, and a number the table does not know shows the contents.
class THelpViewer : public QWidget {
    Q_OBJECT
public:
    explicit THelpViewer(QWidget* parent = nullptr);

    // The help contexts the viewer itself answers.
    static constexpr int ContentsContext = 501;
    static constexpr int HelpOnHelpContext = 502;

    // "qrc:/help/<page>.html" with an optional "#place" for a help context; the contents for
    // a number the table does not know.
    static QUrl PageForContext(int helpContext);
    // Every context number in the table, and every page the help consists of.
    static QList<int> KnownContexts();
    static QStringList Pages();
    // The help context of a widget: the first "HelpContext" property found from the widget up
    // through its parents; 0 when there is none.
    static int ContextOf(const QWidget* widget);

    void ShowContents();
    void ShowHelpOnHelp();
    void ShowContext(int helpContext);
    // The page shown, without its "#place".
    QString CurrentPage() const;

    QTextBrowser* Browser = nullptr;
    QAction* ContentsAction = nullptr;
    QAction* BackAction = nullptr;
    QAction* ForwardAction = nullptr;

private:
    void ShowUrl(const QUrl& url);
};
