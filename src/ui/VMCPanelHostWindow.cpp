#include "VMCPanelHostWindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QSettings>
#include <QUrl>

#include "VMCFileURL.h"
#include "VMCPanelViews.h"
#include "VMCQtText.h"
#include "VMCQtUserDefaults.h"
#include "VVCConfigOptionsView.h"

namespace {

// The local files of a drop, as bytes: a URL's encoded form keeps the escapes of a name that
// is not UTF-8, which a QString would have lost.
XStrList droppedPaths(const QMimeData* data) {
    XStrList paths;
    if (data == nullptr || !data->hasUrls()) {
        return paths;
    }
    for (const QUrl& url : data->urls()) {
        const QByteArray encoded = url.toEncoded();
        if (std::optional<XStr> path = VMCFileURL::localPath(
                std::string_view(encoded.constData(), static_cast<std::size_t>(encoded.size())))) {
            paths.push_back(std::move(*path));
        }
    }
    return paths;
}

}  // namespace

VMCPanelHostWindow::VMCPanelHostWindow(std::unique_ptr<VMCPanelHost> host, QWidget* parent)
    : QMainWindow(parent), mHost(std::move(host)) {
    mHost->setUserDefaults(std::make_shared<VMCQtUserDefaults>());
    setAttribute(Qt::WA_DeleteOnClose);
    setAcceptDrops(true);
    buildMenus();
    mHost->setView(this);
}

VMCPanelHostWindow::~VMCPanelHostWindow() {
    mHost->setView(nullptr);
}

VMCPanelHostWindow* VMCPanelHostWindow::openLauncher() {
    auto* window = new VMCPanelHostWindow(VMCPanelHost::newLauncher());
    window->show();
    return window;
}

VMCPanelHostWindow* VMCPanelHostWindow::openForSources(const XStrList& paths) {
    auto* window = new VMCPanelHostWindow(VMCPanelHost::newForSources(paths));
    window->show();
    return window;
}

VMCPanelHostWindow* VMCPanelHostWindow::openForFolders(const XStrList& paths) {
    auto* window = new VMCPanelHostWindow(
        VMCPanelHost::newForFolders(paths, std::make_shared<VMCQtUserDefaults>()));
    window->show();
    return window;
}

void VMCPanelHostWindow::buildMenus() {
    QMenu* file = menuBar()->addMenu(tr("&File"));
    QAction* newWindow = file->addAction(tr("&New Window"), this, [] { openLauncher(); });
    newWindow->setShortcut(QKeySequence::New);
    QAction* open =
        file->addAction(tr("&Open Files..."), this, [this] { mHost->startOpenFileDialog(); });
    open->setShortcut(QKeySequence::Open);
    file->addSeparator();
    QAction* closeAction = file->addAction(tr("&Close Window"), this, [this] { close(); });
    closeAction->setShortcut(QKeySequence::Close);
    QAction* quit = file->addAction(tr("&Quit"), qApp, &QApplication::closeAllWindows);
    quit->setShortcut(QKeySequence::Quit);
    quit->setMenuRole(QAction::QuitRole);

    QMenu* edit = menuBar()->addMenu(tr("&Edit"));
    QAction* preferences = edit->addAction(tr("&Preferences..."), this,
                                           [this] { VVCConfigOptionsView::showOptions(this); });
    preferences->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Comma));
    preferences->setMenuRole(QAction::PreferencesRole);
}

void VMCPanelHostWindow::showPanel(const std::shared_ptr<VMCPanel>& panel) {
    QWidget* view = VMCPanelViews::create(panel, this);
    // The old view may be what asked for the change, from inside one of its handlers.
    if (QWidget* old = takeCentralWidget()) {
        old->hide();
        old->deleteLater();
    }
    setCentralWidget(view);
    // The keyboard starts in the new panel, not nowhere where the old one was.
    for (QWidget* w = view->nextInFocusChain(); w != nullptr && w != view;
         w = w->nextInFocusChain()) {
        if (view->isAncestorOf(w) && (w->focusPolicy() & Qt::TabFocus) != 0 && w->isEnabled() &&
            !w->isHidden()) {
            w->setFocus(Qt::TabFocusReason);
            break;
        }
    }
}

void VMCPanelHostWindow::setWindowTitle(const XStr& title) {
    QMainWindow::setWindowTitle(VMCQtText::toQt(title));
}

void VMCPanelHostWindow::setWindowSize(VMCPanelSize size, VMCPanelSize minimum, bool resizable) {
    mSizing = true;
    setMinimumSize(0, 0);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    // The layout's needs win over the panel's numbers, so nothing is ever clipped.
    const QSize needed = minimumSizeHint().expandedTo(QSize(minimum.width, minimum.height));
    QSize wanted = size.empty() ? sizeHint() : QSize(size.width, size.height);
    wanted = wanted.expandedTo(needed);
    if (resizable) {
        setMinimumSize(needed);
        resize(wanted);
    } else {
        setFixedSize(sizeHint().expandedTo(needed));
    }
    mSizing = false;
}

void VMCPanelHostWindow::closeWindow() {
    close();
}

void VMCPanelHostWindow::runOpenFileDialog() {
    const QString start = QSettings().value(QLatin1String(kSourceFolderKey)).toString();
    auto* dialog = new QFileDialog(this, VMCQtText::toQt(mHost->openFileDialogTitle()), start);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setFileMode(QFileDialog::ExistingFiles);
    dialog->setWindowModality(Qt::WindowModal);
    connect(dialog, &QFileDialog::filesSelected, this, [this](const QStringList& files) {
        if (files.isEmpty()) {
            return;
        }
        QSettings().setValue(QLatin1String(kSourceFolderKey),
                             QFileInfo(files.front()).absolutePath());
        XStrList paths;
        for (const QString& file : files) {
            paths.push_back(VMCQtText::pathFromQt(file));
        }
        mHost->sourceFilesChosen(paths);
    });
    dialog->open();
    Q_EMIT openFileDialogShown(dialog);
}

void VMCPanelHostWindow::showSourcesError(const XStr& message) {
    auto* box = new QMessageBox(QMessageBox::Warning, tr("Files Not Added"),
                                VMCQtText::toQt(message), QMessageBox::Ok, this);
    box->setObjectName(QStringLiteral("sourcesError"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::WindowModal);
    box->open();
}

void VMCPanelHostWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (mHost->acceptsSources() && !droppedPaths(event->mimeData()).empty()) {
        event->acceptProposedAction();
    } else {
        event->ignore();
    }
}

void VMCPanelHostWindow::dragMoveEvent(QDragMoveEvent* event) {
    // The road may move on while the user drags.
    if (mHost->acceptsSources()) {
        event->acceptProposedAction();
    } else {
        event->ignore();
    }
}

void VMCPanelHostWindow::dropEvent(QDropEvent* event) {
    if (mHost->sourcesDropped(droppedPaths(event->mimeData()))) {
        event->acceptProposedAction();
    } else {
        event->ignore();
    }
}

void VMCPanelHostWindow::closeEvent(QCloseEvent* event) {
    mHost->windowWillClose();
    event->accept();
}

void VMCPanelHostWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    if (!mSizing) {
        mHost->windowResized({width(), height()});
    }
}
