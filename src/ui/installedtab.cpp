#include "installedtab.h"

#include "config/configuration.h"
#include "enterpress.h"
#include "files/paths.h"
#include "install/installplan.h"
#include "install/uninstallplan.h"
#include "install/upgradeplan.h"
#include "messageboxreporter.h"

#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
const QString link = QStringLiteral("link");
const QString mi = QStringLiteral("mi");

// The rows the dialog installs with: its first shader type's.
QVector<ShaderFileRow> dialogRows()
{
    return Configuration::shaderTypes.value(0).rows;
}

QString none(const QString &line)
{
    return line.isEmpty() ? InstalledTab::tr("(aucune)") : line;
}
}

InstalledTab::InstalledTab(QWidget *parent)
    : QWidget(parent)
{
    installedList = new QListWidget;
    installedList->setObjectName(QStringLiteral("installedList"));
    auto *listLabel = new QLabel(tr("Shaders installés"));
    listLabel->setBuddy(installedList);
    installedList->setAccessibleName(listLabel->text());

    detailsView = new QPlainTextEdit;
    detailsView->setObjectName(QStringLiteral("detailsView"));
    detailsView->setReadOnly(true);
    // A path is cut only where it has a space, never inside a name.
    detailsView->setWordWrapMode(QTextOption::WordWrap);
    auto *detailsLabel = new QLabel(tr("Détails"));
    detailsLabel->setBuddy(detailsView);
    detailsView->setAccessibleName(detailsLabel->text());

    const auto button = [this](const char *name, const QString &text, void (InstalledTab::*slot)()) {
        auto *button = new QPushButton(text);
        button->setObjectName(QLatin1String(name));
        // Enter presses the focused button, never the dialog's OK.
        button->setAutoDefault(false);
        pressOnEnter(button);
        connect(button, &QPushButton::clicked, this, slot);
        return button;
    };
    refreshButton = button("refreshButton", tr("Actualiser"), &InstalledTab::refresh);
    finishButton = button("finishButton", tr("Terminer l'installation"), &InstalledTab::finishInstall);
    upgradeButton = button("upgradeButton", tr("Mettre à jour"), &InstalledTab::upgradeShader);
    rollbackButton = button("rollbackButton", tr("Revenir à la version d'avant"), &InstalledTab::rollbackShader);
    uninstallButton = button("uninstallButton", tr("Désinstaller"), &InstalledTab::uninstallShader);
    connect(installedList, &QListWidget::currentRowChanged, this, &InstalledTab::showDetails);

    // Two rows, so that the page needs no more width than the others.
    auto *buttons = new QGridLayout;
    QPushButton *const order[] = {refreshButton, finishButton, upgradeButton, rollbackButton, uninstallButton};
    for (int i = 0; i < 5; ++i)
        buttons->addWidget(order[i], i / 3, i % 3);
    auto *layout = new QVBoxLayout;
    layout->addWidget(listLabel);
    layout->addWidget(installedList, 1);
    layout->addWidget(detailsLabel);
    layout->addWidget(detailsView, 1);
    layout->addLayout(buttons);
    setLayout(layout);
    showDetails();
}

InstalledTab::State InstalledTab::state(const ReceiptStatus &status, bool interrupted)
{
    if (interrupted)
        return Interrupted;
    if (status.receipt.uninstalling || !status.receipt.complete())
        return Unfinished;
    if (status.files.contains(ReceiptStatus::Missing) || status.lines.contains(false))
        return Missing;
    if (status.files.contains(ReceiptStatus::Changed))
        return Changed;
    if (status.files.contains(ReceiptStatus::Unreadable))
        return Unreadable;
    return status.outdated() ? Outdated : Installed;
}

QString InstalledTab::stateText(State state)
{
    // In the order of State.
    static const char *const words[] = {
        QT_TR_NOOP("installé"), QT_TR_NOOP("inachevé"), QT_TR_NOOP("modifié"),
        QT_TR_NOOP("fichiers manquants"), QT_TR_NOOP("version plus récente disponible"),
        QT_TR_NOOP("mise à jour interrompue"), QT_TR_NOOP("illisible pour le moment")};
    return tr(words[state]);
}

void InstalledTab::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    refresh();
}

void InstalledTab::refresh()
{
    // A dead run's change of version is finished or undone first; a live
    // run's is shown as it stands.
    UpgradePlan::recover();
    const int row = installedList->currentRow();
    entries.clear();
    installedList->clear();
    for (const QString &path : Receipt::all()) {
        Receipt receipt;
        if (!Receipt::read(path, receipt))
            continue;
        Entry entry{ReceiptStatus::check(path, receipt, receipt.shaderDir), Installed};
        entry.state = state(entry.status, UpgradePlan::pending(path));
        entries.append(entry);
        installedList->addItem(tr("%1 -> %2 : %3")
                                   .arg(nativePath(receipt.shaderDir), nativePath(receipt.rayrc),
                                        stateText(entry.state)));
    }
    installedList->setCurrentRow(qBound(entries.isEmpty() ? -1 : 0, row, int(entries.size()) - 1));
    showDetails();
}

const InstalledTab::Entry *InstalledTab::selected() const
{
    const int row = installedList->currentRow();
    return row >= 0 && row < entries.size() ? &entries.at(row) : nullptr;
}

QString InstalledTab::mrDir(const Entry &entry)
{
    return entry.status.receipt.rayrc.isEmpty() ? QString() : QFileInfo(entry.status.receipt.rayrc).absolutePath();
}

void InstalledTab::showDetails()
{
    const Entry *entry = selected();
    const Receipt *receipt = entry ? &entry->status.receipt : nullptr;
    const bool idle = entry && entry->state != Interrupted;
    finishButton->setEnabled(idle && (entry->state == Missing || (entry->state == Unfinished && !receipt->uninstalling))
                             && !receipt->wantedLine(link).isEmpty() && !receipt->wantedLine(mi).isEmpty());
    upgradeButton->setEnabled(idle && entry->state == Outdated);
    rollbackButton->setEnabled(idle && !receipt->previous.isEmpty());
    uninstallButton->setEnabled(idle);
    if (!entry) {
        detailsView->setPlainText(tr("Aucun Shader installé."));
        return;
    }
    // In the order of ReceiptStatus::FileState.
    static const char *const fileStates[] = {QT_TR_NOOP("intact"), QT_TR_NOOP("modifié"), QT_TR_NOOP("absent"),
                                             QT_TR_NOOP("version plus ancienne"),
                                             QT_TR_NOOP("illisible pour le moment (un autre programme le tient)")};
    QStringList text{tr("Dossier du Shader : %1").arg(nativePath(receipt->shaderDir)),
                     tr("maya.rayrc : %1").arg(nativePath(receipt->rayrc)),
                     tr("État : %1").arg(stateText(entry->state)), tr("Fichiers :")};
    for (qsizetype i = 0; i < receipt->files.size(); ++i)
        text << tr("  %1 -> %2 : %3")
                    .arg(nativePath(receipt->files.at(i).source), nativePath(receipt->files.at(i).destination),
                         tr(fileStates[entry->status.files.at(i)]));
    text << tr("Lignes :");
    for (qsizetype i = 0; i < receipt->lines.size(); ++i)
        text << (entry->status.lines.at(i) ? tr("  %1 : %2 (présente)") : tr("  %1 : %2 (absente)"))
                    .arg(receipt->lines.at(i).entry, receipt->lines.at(i).text);
    if (!receipt->previous.isEmpty())
        text << tr("Une version d'avant est gardée.");
    detailsView->setPlainText(text.join(QLatin1Char('\n')));
}

bool InstalledTab::confirm(const QString &action, const QStringList &plan)
{
    QMessageBox box(QMessageBox::Question, action,
                    tr("Voici ce qui sera fait pour %1 :").arg(nativePath(selected()->status.receipt.shaderDir)),
                    QMessageBox::NoButton, window());
    box.setTextFormat(Qt::PlainText);
    box.setInformativeText(plan.join(QLatin1Char('\n')));
    if (auto *label = box.findChild<QLabel *>(QStringLiteral("qt_msgbox_informativelabel")))
        label->setTextFormat(Qt::PlainText);
    QPushButton *go = box.addButton(action, QMessageBox::AcceptRole);
    QPushButton *cancel = box.addButton(tr("Annuler"), QMessageBox::RejectRole);
    box.setDefaultButton(cancel);
    box.setEscapeButton(cancel);
    box.exec();
    return box.clickedButton() == go;
}

void InstalledTab::failed(const QString &text, const QStringList &details)
{
    showPlainTextBox(window(), QMessageBox::Critical, tr("Problème"), text, details.join(QLatin1Char('\n')));
}

void InstalledTab::finishInstall()
{
    const Entry *entry = selected();
    if (!entry)
        return;
    const Receipt &receipt = entry->status.receipt;
    InstallPlan plan = InstallPlan::make(dialogRows(), receipt.shaderDir, mrDir(*entry), receipt.wantedLine(link),
                                         receipt.wantedLine(mi));
    QStringList steps;
    for (const CopyStep &step : std::as_const(plan.copies))
        steps << tr("%1 -> %2 : %3")
                     .arg(nativePath(step.source), nativePath(step.destination.isEmpty() ? step.folder : step.destination),
                          step.planned());
    steps << tr("%1 : %2").arg(nativePath(plan.rayrc.path), plan.rayrc.planned());
    if (!confirm(finishButton->text(), steps))
        return;
    MessageBoxReporter reporter(window());
    plan.apply(reporter);
    refresh();
}

namespace {
// What an upgrade or a rollback does, a line each.
QStringList upgradeSteps(const UpgradePlan &plan)
{
    QStringList steps;
    for (const UpgradePlan::FileStep &step : plan.files)
        steps << InstalledTab::tr("%1 -> %2 : %3")
                     .arg(nativePath(step.copy.source), nativePath(step.copy.destination), step.planned());
    const qint64 found[] = {plan.rayrc.linkLine, plan.rayrc.miLine};
    for (qsizetype i = 0; i < plan.lines.size(); ++i) {
        const UpgradePlan::LineStep &line = plan.lines.at(i);
        if (line.before == line.after)
            continue;
        steps << (line.before.isEmpty()
                      ? InstalledTab::tr("%1, entrée %2 : %3 -> %4")
                            .arg(nativePath(plan.rayrc.path), line.entry, none(line.before), none(line.after))
                      : InstalledTab::tr("%1, entrée %2, ligne %3 : %4 -> %5")
                            .arg(nativePath(plan.rayrc.path), line.entry, QString::number(found[i]), line.before,
                                 none(line.after)));
    }
    return steps;
}
}

void InstalledTab::upgradeShader()
{
    if (const Entry *entry = selected()) {
        UpgradePlan plan = UpgradePlan::upgrade(dialogRows(), entry->status.receipt.shaderDir, mrDir(*entry), {}, {});
        if (plan.succeeds() && !confirm(upgradeButton->text(), upgradeSteps(plan)))
            return;
        if (plan.succeeds())
            plan.apply();
        if (!plan.succeeds()) {
            // Each thing in the way in the Shader tab's own box, then the verdict.
            MessageBoxReporter reporter(window());
            for (const UpgradePlan::FileStep &step : std::as_const(plan.files)) {
                if (step.action == UpgradePlan::Action::Refused)
                    reporter.copyFailed(step.copy);
            }
            failed(plan.reason(), {});
        }
        refresh();
    }
}

void InstalledTab::rollbackShader()
{
    if (const Entry *entry = selected()) {
        UpgradePlan plan = UpgradePlan::rollbackOf(entry->status.receipt.shaderDir, mrDir(*entry));
        if (plan.succeeds() && !confirm(rollbackButton->text(), upgradeSteps(plan)))
            return;
        if (plan.succeeds())
            plan.apply();
        if (!plan.succeeds()) {
            QStringList refused;
            for (const UpgradePlan::FileStep &step : std::as_const(plan.files)) {
                if (step.action == UpgradePlan::Action::Refused)
                    refused << step.copy.reason();
            }
            failed(plan.reason(), refused);
        }
        refresh();
    }
}

void InstalledTab::uninstallShader()
{
    const Entry *entry = selected();
    if (!entry)
        return;
    const Receipt &receipt = entry->status.receipt;
    UninstallPlan plan = UninstallPlan::make(dialogRows(), receipt.shaderDir, mrDir(*entry), {}, {});
    QStringList steps;
    for (const RemoveStep &step : std::as_const(plan.files))
        steps << step.text(true);
    for (const auto &[word, line] : {std::pair(link, plan.rayrc.linkLine), std::pair(mi, plan.rayrc.miLine)}) {
        if (line > 0)
            steps << tr("%1, entrée %2, ligne %3 : à retirer").arg(nativePath(plan.rayrc.path), word).arg(line);
    }
    if (!confirm(uninstallButton->text(), steps))
        return;
    if (!plan.apply()) {
        QStringList kept;
        for (const RemoveStep &step : std::as_const(plan.files)) {
            if (step.keepsSomething())
                kept << step.text(false);
        }
        if (plan.rayrc.keepsSomething())
            kept << plan.rayrc.reason();
        if (!plan.receiptKept)
            kept << Receipt::notUpdatedText(plan.receipt);
        failed(tr("La désinstallation n'a pas tout retiré."), kept);
    }
    refresh();
}
