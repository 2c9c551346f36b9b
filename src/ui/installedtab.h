#ifndef INSTALLEDTAB_H
#define INSTALLEDTAB_H

#include "install/receipt.h"

#include <QWidget>

class QListWidget;
class QPlainTextEdit;
class QPushButton;

// The installed shaders, one per receipt, and what can be done with each:
// finish its install, take the version its folder holds now, go back to
// the one before, uninstall. Each action is the command line's own plan,
// shown first in a box that defaults to cancelling.
class InstalledTab : public QWidget
{
    Q_OBJECT

public:
    enum State { Installed, Unfinished, Changed, Missing, Outdated, Interrupted, Unreadable };

    explicit InstalledTab(QWidget *parent = nullptr);

    // The state words of the list, for a receipt checked against what is
    // there now.
    static State state(const ReceiptStatus &status, bool interrupted);
    static QString stateText(State state);

public slots:
    void refresh();

protected:
    void showEvent(QShowEvent *event) override;

private slots:
    void showDetails();
    void finishInstall();
    void upgradeShader();
    void rollbackShader();
    void uninstallShader();

private:
    struct Entry
    {
        ReceiptStatus status;
        State state = Installed;
    };
    const Entry *selected() const;
    // The folder of the maya.rayrc the shader went into.
    static QString mrDir(const Entry &entry);
    // Asks before an action, listing what its plan does; true to go on.
    bool confirm(const QString &action, const QStringList &plan);
    void failed(const QString &text, const QStringList &details);

    QList<Entry> entries;
    QListWidget *installedList;
    QPlainTextEdit *detailsView;
    QPushButton *refreshButton;
    QPushButton *finishButton;
    QPushButton *upgradeButton;
    QPushButton *rollbackButton;
    QPushButton *uninstallButton;
};

#endif
