#include "tabdialog.h"

#include "configtab.h"
#include "credittab.h"
#include "installedtab.h"
#include "shadertab.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

TabDialog::TabDialog(QWidget *parent)
    : QDialog(parent)
{
    tabWidget = new QTabWidget;
    tabWidget->setObjectName(QStringLiteral("tabWidget"));
    tabWidget->addTab(new ShaderTab, tr("Shader"));
    tabWidget->addTab(new ConfigTab, tr("Configuration"));
    tabWidget->addTab(new CreditTab, tr("Crédits"));
    // After the three pages, so that theirs keep their places.
    tabWidget->addTab(new InstalledTab, tr("Shaders installés"));

    auto *okButton = new QPushButton(tr("OK"));
    auto *cancelButton = new QPushButton(tr("Cancel"));
    connect(okButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);

    auto *buttonLayout = new QHBoxLayout;
    buttonLayout->addStretch(1);
    buttonLayout->addWidget(okButton);
    buttonLayout->addWidget(cancelButton);

    auto *mainLayout = new QVBoxLayout;
    mainLayout->addWidget(tabWidget);
    mainLayout->addLayout(buttonLayout);
    setLayout(mainLayout);

    setWindowTitle(tr("Velkarinth"));

    // The keyboard starts in the Shader tab's first field, not on the tab bar.
    QWidget *page = tabWidget->currentWidget();
    for (QWidget *widget = page->nextInFocusChain(); page->isAncestorOf(widget);
         widget = widget->nextInFocusChain()) {
        if (widget->isEnabled() && (widget->focusPolicy() & Qt::TabFocus)) {
            widget->setFocus();
            break;
        }
    }
}
