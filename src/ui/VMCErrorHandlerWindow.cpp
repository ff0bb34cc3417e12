#include "VMCErrorHandlerWindow.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QUrl>
#include <QVBoxLayout>

#include "VADisplayText.h"
#include "VMCAlert.h"
#include "VMCCrashReport.h"
#include "VMCPanelHostBase.h"
#include "VMCQtText.h"

VMCErrorHandlerWindow::VMCErrorHandlerWindow(std::shared_ptr<VMCErrorHandler> handler,
                                             QWidget* parent)
    : QDialog(parent), mHandler(std::move(handler)) {
    setObjectName(QString::fromUtf8(VMCErrorHandler::kWindowName));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(tr("Bug Report"));

    auto* icon = new QLabel(this);
    const int side = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
    icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxCritical).pixmap(side, side));
    icon->setAlignment(Qt::AlignTop);
    auto* intro = new QLabel(
        tr("%1 ran into a problem it did not expect. The report below tells us where: please "
           "save it and send it to us through the support forum, so that we can fix it.")
            .arg(QString::fromUtf8(VMCPanelHostBase::kApplicationName)),
        this);
    intro->setWordWrap(true);
    auto* top = new QHBoxLayout;
    top->addWidget(icon);
    top->addWidget(intro, 1);

    mText = new QPlainTextEdit(this);
    mText->setObjectName(QStringLiteral("report"));
    mText->setAccessibleName(tr("Bug report"));
    mText->setReadOnly(true);
    mText->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
    mText->setLineWrapMode(QPlainTextEdit::NoWrap);
    mText->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    // Names of files and symbols in the trace are shown, never acted on.
    mText->setPlainText(
        QString::fromUtf8(VADisplayText::linesUtf8(mHandler->content().utf8()).c_str()));
    const QFontMetrics fixed(mText->font());
    // Wide enough for most lines of a trace.
    mText->setMinimumSize(fixed.averageCharWidth() * 100, fixed.height() * 16);

    // Help on its own at the left, the report's own actions at the right.
    mSupport = new QPushButton(tr("&Technical Support"), this);
    mSupport->setObjectName(QStringLiteral("support"));
    mSupport->setAutoDefault(false);
    auto* buttons = new QDialogButtonBox(this);
    mSave = buttons->addButton(tr("&Save..."), QDialogButtonBox::ActionRole);
    mSave->setObjectName(QStringLiteral("save"));
    mSupport->setToolTip(QString::fromUtf8(VMCErrorHandler::kSupportURL));
    QPushButton* close = buttons->addButton(QDialogButtonBox::Close);
    close->setDefault(true);
    connect(mSave, &QPushButton::clicked, this, &VMCErrorHandlerWindow::chooseSaveFile);
    connect(mSupport, &QPushButton::clicked, this, [] {
        QDesktopServices::openUrl(QUrl(QString::fromUtf8(VMCErrorHandler::kSupportURL)));
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(mText, 1);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(mSupport);
    bottom->addStretch(1);
    bottom->addWidget(buttons);
    layout->addLayout(bottom);
    mText->setFocus();
}

void VMCErrorHandlerWindow::installPresenter() {
    VMCErrorHandler::setPresenter([](const std::shared_ptr<VMCErrorHandler>& handler) {
        auto* window = new VMCErrorHandlerWindow(handler);
        window->show();
        window->raise();
        window->activateWindow();
    });
}

void VMCErrorHandlerWindow::showUnseenReports() {
    for (const XStr& report : VMCCrashReport::takeUnseenReports()) {
        VMCErrorHandler::handleErrorText(report);
    }
}

void VMCErrorHandlerWindow::chooseSaveFile() {
    auto* chooser = new QFileDialog(this, QString::fromUtf8(VMCErrorHandler::kSaveTitle));
    chooser->setAttribute(Qt::WA_DeleteOnClose);
    chooser->setAcceptMode(QFileDialog::AcceptSave);
    chooser->setFileMode(QFileDialog::AnyFile);
    chooser->setNameFilter(tr("Text files (*.%1)").arg(VMCErrorHandler::kSaveFileType));
    chooser->setDefaultSuffix(QString::fromUtf8(VMCErrorHandler::kSaveFileType));
    chooser->selectFile(QStringLiteral("Bug report.txt"));
    chooser->setWindowModality(Qt::WindowModal);
    connect(chooser, &QFileDialog::fileSelected, this,
            [this](const QString& file) { saveTo(file); });
    chooser->open();
    Q_EMIT dialogShown(chooser);
}

bool VMCErrorHandlerWindow::saveTo(const QString& path) {
    if (mHandler->onSave(VMCQtText::pathFromQt(path))) {
        return true;
    }
    Q_EMIT dialogShown(VMCAlert::show(this, XStr("The bug report could not be saved to ") +
                                                VADisplayText::quoted(VMCQtText::pathFromQt(path)) +
                                                "."));
    return false;
}
