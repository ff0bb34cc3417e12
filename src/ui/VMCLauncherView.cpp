#include "VMCLauncherView.h"

#include <QCommandLinkButton>
#include <QLabel>
#include <QVBoxLayout>

#include "VMCQtText.h"

VMCLauncherView::VMCLauncherView(std::shared_ptr<VMCLauncher> launcher, QWidget* parent)
    : QWidget(parent), mLauncher(std::move(launcher)) {
    auto* layout = new QVBoxLayout(this);
    auto* heading = new QLabel(VMCQtText::toQt(mLauncher->panelName()), this);
    QFont font = heading->font();
    font.setPointSizeF(font.pointSizeF() * 1.5);
    font.setBold(true);
    heading->setFont(font);
    layout->addWidget(heading);
    layout->addSpacing(heading->fontMetrics().height() / 2);
    for (const VMCLauncher::Entry& entry : mLauncher->entries()) {
        auto* button = new QCommandLinkButton(VMCQtText::mnemonicSafe(entry.title),
                                              VMCQtText::toQt(entry.subtitle), this);
        button->setAccessibleName(VMCQtText::toQt(entry.title));
        button->setAccessibleDescription(VMCQtText::toQt(entry.subtitle));
        button->setMinimumWidth(fontMetrics().averageCharWidth() * 55);
        const XStr title = entry.title;
        connect(button, &QCommandLinkButton::clicked, this,
                [launcher = mLauncher, title] { launcher->openEntry(title); });
        layout->addWidget(button);
    }
    layout->addStretch(1);
}
