#include "credittab.h"

#include "config/identity.h"

#include <QTextEdit>
#include <QVBoxLayout>

CreditTab::CreditTab(QWidget *parent)
    : QWidget(parent)
{
    auto *text = new QTextEdit;
    text->setObjectName(QStringLiteral("creditText"));
    text->setHtml(tr("<center><p>Velkarinth V2.2</p>"
                     "<p>Réalisé par %1</p>"
                     "<p><a href=\"%2\">%2</a></p>"
                     "<p>Maya&copy; est une marque déposée par "
                     "<a href=\"http://www.alias.com\">Alias</a> (http://www.alias.com).</p>"
                     "<p>Mental Ray&copy; est une marque déposée par "
                     "<a href=\"http://www.mentalimages.com\">mental images</a> "
                     "(http://www.mentalimages.com).</p>"
                     "<br><br>"
                     "<p>Ce logiciel a été développée à l'aide <b>QT %3 OpenSource</b> "
                     "(http://www.qt.io).</p>"
                     "<p>Velkarinth version 2.0, copyright &copy; %4 %5</p></center>")
                      .arg(QString::fromUtf8(Identity::author), QString::fromUtf8(Identity::webSite),
                           QString::number(QT_VERSION_MAJOR),
                           QString::number(Identity::copyrightYear),
                           QString::fromUtf8(Identity::copyrightHolder)));
    // Tab moves on rather than typing into the credits.
    text->setTabChangesFocus(true);

    auto *layout = new QVBoxLayout;
    layout->addWidget(text);
    layout->addStretch(1);
    setLayout(layout);
}
