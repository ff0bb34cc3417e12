#include "VMCLauncherView.h"

#include <QCommandLinkButton>
#include <QDesktopServices>
#include <QLabel>
#include <QLayout>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

#include "VADisplayText.h"
#include "VASystemVersion.h"
#include "VMCQtText.h"

namespace {

// The server's version text is shown whole up to this length, elided beyond.
constexpr int kLinkChars = 40;

}  // namespace

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
        // Never shorter than its title and description need, whatever size the window
        // was given or kept.
        button->setMinimumHeight(button->heightForWidth(button->minimumWidth()));
        const XStr title = entry.title;
        connect(button, &QCommandLinkButton::clicked, this,
                [launcher = mLauncher, title] { launcher->openEntry(title); });
        layout->addWidget(button);
    }
    layout->addStretch(1);

    // A link to look at, a button to the keyboard: one Tab stop, Space or Return opens it.
    mUpdateLink = new QPushButton(this);
    mUpdateLink->setObjectName(QStringLiteral("updateLink"));
    mUpdateLink->setFlat(true);
    mUpdateLink->setAutoDefault(false);
    mUpdateLink->setCursor(Qt::PointingHandCursor);
    QFont underlined = mUpdateLink->font();
    underlined.setUnderline(true);
    mUpdateLink->setFont(underlined);
    QPalette linkColour = mUpdateLink->palette();
    linkColour.setColor(QPalette::ButtonText, linkColour.color(QPalette::Link));
    mUpdateLink->setPalette(linkColour);
    mUpdateLink->hide();
    connect(mUpdateLink, &QPushButton::clicked, this, [this] { mUpdate->appUpdateLinkClick(); });
    layout->addWidget(mUpdateLink, 0, Qt::AlignRight);
    mUpdate = VMCUpdateLink::create(*this, VASystemVersion::appVersion());
    mUpdate->launcherDidLoad();
}

VMCLauncherView::~VMCLauncherView() {
    mUpdate.reset();
}

void VMCLauncherView::showUpdateLink(const XStr& text) {
    // The version is the server's text: shown as it is, no "&" taken for a shortcut, and
    // not so long that it pushes the window apart.
    const QString shown =
        fontMetrics().elidedText(VMCQtText::toQt(VADisplayText::escaped(text)), Qt::ElideRight,
                                 fontMetrics().averageCharWidth() * kLinkChars);
    mUpdateLink->setText(VMCQtText::mnemonicSafe(VMCQtText::fromQt(shown)));
    mUpdateLink->setAccessibleName(shown);
    mUpdateLink->setToolTip(tr("Opens the download page in your web browser"));
    mUpdateLink->show();
    // The link arrives after the window took its size: the window grows to make room for
    // it rather than squeezing the entries.
    QWidget* top = window();
    if (QLayout* topLayout = top->layout()) {
        topLayout->activate();
    }
    const QSize needed = top->sizeHint().expandedTo(top->size());
    if (top->minimumSize() == top->maximumSize()) {
        top->setFixedSize(needed);
    } else {
        top->setMinimumSize(top->minimumSize().expandedTo(top->minimumSizeHint()));
        top->resize(needed);
    }
}

void VMCLauncherView::openURL(const XStr& url) {
    // The address is the server's: a web page, never a file or a program of this machine.
    const QUrl page(VMCQtText::toQt(url));
    if (page.scheme() == QLatin1String("https") || page.scheme() == QLatin1String("http")) {
        QDesktopServices::openUrl(page);
    }
}
