// Renders the windows, panels and pages of the desktop program to PNG files for people to
// look at: every one in the light palette and again in a dark one.
//   ui_screenshots OUTPUT_FOLDER
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFont>
#include <QLabel>
#include <QMessageBox>
#include <QPalette>
#include <QPushButton>
#include <QStyleFactory>
#include <QTest>
#include <QVBoxLayout>
#include <cstdio>
#include <memory>

#include "ScreenshotSupport.h"
#include "VAStartup.h"
#include "VAUserFolders.h"
#include "VAVersionInfoGlobals.h"
#include "VAWebServer.h"
#include "VMCBatchScreenshots.h"
#include "VMCConversionScreenshots.h"
#include "VMCDSPPageIndex.h"
#include "VMCDSPSettingsWindow.h"
#include "VMCDialogScreenshots.h"
#include "VMCEncoderPageIndex.h"
#include "VMCNetworkScreenshots.h"
#include "VMCOutputLocationPickerView.h"
#include "VMCPageSheetDialog.h"
#include "VMCPageWidget.h"
#include "VMCPanelHostWindow.h"
#include "VMCPreConvertDialogView.h"
#include "VMCQtMainThreadPoster.h"
#include "VMCQtText.h"
#include "VMCSheetScreenshots.h"
#include "VVCCodecs.h"
#include "VVCDSPs.h"
#include "XRegistry.h"

namespace {

QPalette darkPalette() {
    QPalette p;
    const QColor window(50, 50, 54);
    const QColor base(24, 24, 26);
    const QColor text(230, 230, 230);
    const QColor disabledText(128, 128, 128);
    p.setColor(QPalette::Window, window);
    p.setColor(QPalette::WindowText, text);
    p.setColor(QPalette::Base, base);
    p.setColor(QPalette::AlternateBase, window);
    p.setColor(QPalette::ToolTipBase, base);
    p.setColor(QPalette::ToolTipText, text);
    p.setColor(QPalette::PlaceholderText, disabledText);
    p.setColor(QPalette::Text, text);
    p.setColor(QPalette::Button, window);
    p.setColor(QPalette::ButtonText, text);
    p.setColor(QPalette::BrightText, Qt::red);
    p.setColor(QPalette::Light, QColor(70, 70, 74));
    p.setColor(QPalette::Midlight, QColor(60, 60, 64));
    p.setColor(QPalette::Mid, QColor(40, 40, 42));
    p.setColor(QPalette::Dark, QColor(20, 20, 22));
    p.setColor(QPalette::Shadow, Qt::black);
    p.setColor(QPalette::Highlight, QColor(42, 130, 218));
    p.setColor(QPalette::HighlightedText, Qt::white);
    p.setColor(QPalette::Link, QColor(90, 160, 240));
    for (const QPalette::ColorRole role :
         {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
        p.setColor(QPalette::Disabled, role, disabledText);
    }
    return p;
}

// "MP4 (H264)" as "mp4-h264".
QString slug(const XStr& name) {
    QString out;
    for (const QChar c : VMCQtText::toQt(name).toLower()) {
        if (c.isLetterOrNumber()) {
            out += c;
        } else if (!out.isEmpty() && !out.endsWith(QLatin1Char('-'))) {
            out += QLatin1Char('-');
        }
    }
    while (out.endsWith(QLatin1Char('-'))) {
        out.chop(1);
    }
    return out;
}

class Shooter {
public:
    explicit Shooter(QString folder) : mFolder(std::move(folder)) {}

    bool save(QWidget* widget, const QString& name) {
        widget->show();
        if (!QTest::qWaitForWindowExposed(widget)) {
            std::fprintf(stderr, "not shown: %s\n", qPrintable(name));
            return false;
        }
        QApplication::processEvents();
        QTest::qWait(20);
        const QString path = QDir(mFolder).filePath(name + QStringLiteral(".png"));
        if (!widget->grab().save(path)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            return false;
        }
        ++mCount;
        return true;
    }
    // A picture made of several windows (a drop-down open over its panel).
    bool savePixmap(const QPixmap& pixmap, const QString& name) {
        const QString path = QDir(mFolder).filePath(name + QStringLiteral(".png"));
        if (!pixmap.save(path)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            return false;
        }
        ++mCount;
        return true;
    }
    int count() const { return mCount; }

private:
    QString mFolder;
    int mCount = 0;
};

// An encoder page as the converter shows it: under the encoder's name.
std::unique_ptr<QWidget> encoderFrame(const XStr& name, VMCPage& page) {
    auto frame = std::make_unique<QWidget>();
    frame->setWindowTitle(VMCQtText::toQt(name));
    auto* layout = new QVBoxLayout(frame.get());
    auto* heading = new QLabel(VMCQtText::toQt(name), frame.get());
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);
    layout->addWidget(heading);
    layout->addWidget(new VMCPageWidget(page, frame.get()));
    layout->addStretch(1);
    frame->setMinimumWidth(440);
    return frame;
}

// The setup panel with an encoder page and two effects, and its destination drop-down open
// with two recent destinations.
bool shootSetupPanel(Shooter& shooter, VMCPanelHostWindow* window) {
    auto* setup = qobject_cast<VMCPreConvertDialogView*>(window->panelView());
    if (setup == nullptr) {
        std::fprintf(stderr, "no setup panel\n");
        return false;
    }
    VMCPreConvertDialog& dialog = setup->dialog();
    if (!dialog.encoderSelected(XStr("MP4 (H264)"))) {
        dialog.encoderSelected(XStr("Matroska (VP9)"));
    }
    VADSPChain chain;
    for (const XStr& name : {XStr("Crop"), XStr("Flip")}) {
        std::unique_ptr<VMCDSPPage> page = VMCDSPPageIndex::createFor(name);
        page->setDspArgs(XStr());
        chain.push_back({name, page->dspArgs()});
    }
    dialog.effects().setChain(chain);
    const XStr videos = VAUserFolders::videosFolder();
    VMCOutputLocationPickerV2& picker = dialog.locationPicker();
    picker.applyNaming(VMCFileNaming::namingPreservePath(videos + "/Archive"));
    picker.saveToRecentList();
    picker.applyNaming(VMCFileNaming::namingSingleFolder(videos + "/Converted"));
    picker.saveToRecentList();
    bool ok = shooter.save(window, QStringLiteral("converter-setup-h264"));

    QComboBox* combo = setup->locationView()->comboBox();
    combo->showPopup();
    QWidget* popup = combo->view()->window();
    if (!QTest::qWaitForWindowExposed(popup)) {
        std::fprintf(stderr, "no destination drop-down\n");
        return false;
    }
    QTest::qWait(20);
    ok = shooter.savePixmap(ScreenshotSupport::withPopup(window, popup),
                            QStringLiteral("converter-setup-destinations")) &&
         ok;
    combo->hidePopup();

    // The sheets the panel opens: the naming template and the name of a new profile.
    QWidget* sheet = nullptr;
    const auto opened = [&sheet](QWidget* shown) { sheet = shown; };
    const QMetaObject::Connection watch =
        QObject::connect(setup, &VMCPreConvertDialogView::dialogShown, opened);
    picker.editDynamicNaming();
    if (sheet != nullptr) {
        ok = shooter.save(sheet, QStringLiteral("converter-setup-naming")) && ok;
        static_cast<QDialog*>(sheet)->reject();
    }
    sheet = nullptr;
    setup->askNewProfileName(VMCCreateProfile::kPlaceholder, "'MP4 (H264)'");
    if (sheet != nullptr) {
        ok = shooter.save(sheet, QStringLiteral("converter-setup-new-profile")) && ok;
        static_cast<QDialog*>(sheet)->reject();
    }
    QObject::disconnect(watch);
    return ok;
}

bool shootAll(Shooter& shooter) {
    bool ok = true;
    {
        VMCPanelHostWindow* window = VMCPanelHostWindow::openLauncher();
        ok = shooter.save(window, QStringLiteral("launcher")) && ok;
        window->host().sourceFilesChosen(
            {"/home/user/Videos/Holiday 2023.mp4", "/home/user/Videos/interview.mov",
             "/home/user/Videos/screen capture with a rather long name.mkv"});
        ok = shooter.save(window, QStringLiteral("converter-setup")) && ok;
        ok = shootSetupPanel(shooter, window) && ok;
        window->close();
    }
    ok = VMCConversionScreenshots::shootAll([&shooter](QWidget* widget, const QString& name) {
             return shooter.save(widget, name);
         }) &&
         ok;
    ok = VMCBatchScreenshots::shootAll(
             [&shooter](QWidget* w, const QString& n) { return shooter.save(w, n); }) &&
         ok;
    ok = VMCSheetScreenshots::shootAll([&shooter](QWidget* widget, const QString& name) {
             return shooter.save(widget, name);
         }) &&
         ok;
    ok = VMCNetworkScreenshots::shootAll(
             [&shooter](QWidget* w, const QString& name) { return shooter.save(w, name); }) &&
         ok;
    {
        // What a drop that cannot be used says.
        VMCPanelHostWindow* window = VMCPanelHostWindow::openLauncher();
        window->showSourcesError(
            "Some of what was dropped cannot be converted:\n"
            "No such file: '/home/user/Videos/gone.mp4'\n"
            "Cannot read folder '/media/disk/Clips': Permission denied");
        ok = shooter.save(window->findChild<QMessageBox*>(), QStringLiteral("drop-error")) && ok;
        window->close();
    }
    ok =
        VMCDialogScreenshots::shootAll(
            [&shooter](QWidget* widget, const QString& name) { return shooter.save(widget, name); },
            [&shooter](const QPixmap& picture, const QString& name) {
                return shooter.savePixmap(picture, name);
            }) &&
        ok;
    for (const VAEncoderDesc& desc : VVCCodecs::listEncoders(true)) {
        VMCEncoderArgsHost host;
        std::unique_ptr<VMCEncoderPage> page = VMCEncoderPageIndex::createFor(desc.name, &host);
        if (!page) {
            continue;
        }
        page->viewDidLoad();
        const std::unique_ptr<QWidget> frame = encoderFrame(desc.name, *page);
        const QString name = QStringLiteral("encoder-") + slug(desc.name);
        ok = shooter.save(frame.get(), name) && ok;
        auto* pageWidget = frame->findChild<VMCPageWidget*>();
        for (const VVCControl& control : page->pageView()) {
            if (!control.opensSheet) {
                continue;
            }
            QWidget* sheet = nullptr;
            QObject::connect(pageWidget, &VMCPageWidget::sheetOpened,
                             [&sheet](QWidget* opened) { sheet = opened; });
            QTest::mouseClick(pageWidget->editorFor(control.id), Qt::LeftButton);
            if (sheet != nullptr) {
                ok = shooter.save(sheet, name + QLatin1Char('-') + slug(control.id)) && ok;
                static_cast<QDialog*>(sheet)->reject();
            }
        }
    }
    for (const VADSPDesc& desc : VVCDSPs::list(true)) {
        std::unique_ptr<VMCDSPPage> page = VMCDSPPageIndex::createFor(desc.name);
        if (!page) {
            continue;
        }
        page->setDspArgs(XStr());
        VMCDSPSettingsWindow window(std::move(page), desc.name);
        const QString name = QStringLiteral("effect-") + slug(desc.name);
        ok = shooter.save(&window, name) && ok;
        XStr why;
        if (!window.page().dspValidate(&why)) {
            // What OK says while the settings are not ready.
            window.accept();
            ok = shooter.save(&window, name + QStringLiteral("-objection")) && ok;
        }
    }
    return ok;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_FOLDER\n", argv[0]);
        return 2;
    }
    // The panels save what they show: into the data folder screenshots.sh gives.
    VAStartup::initSettingsStore();
    // The launchers drawn here ask no server for a newer version.
    XRegistry::SetDWORD(VAVersionInfoGlobals::kNoCheckUpdates, 1);
    // A test that makes a store of its own has the check on again: it then asks a port of
    // this machine where nothing listens (the discard port), never the maker's server.
    setenv(VAWebServer::kHostVariable, "127.0.0.1:9", 1);
    QApplication app(argc, argv);
    XMainThread::setPoster(std::make_shared<VMCQtMainThreadPoster>(&app));
    QApplication::setOrganizationName(QStringLiteral("Quillmere"));
    QApplication::setApplicationName(QStringLiteral("VantaroVideo"));
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    const QPalette light = QApplication::palette();
    bool ok = true;
    int total = 0;
    for (const auto& [theme, palette] : {std::pair{QStringLiteral("light"), light},
                                         std::pair{QStringLiteral("dark"), darkPalette()}}) {
        const QString folder = QDir(QString::fromLocal8Bit(argv[1])).filePath(theme);
        QDir().mkpath(folder);
        QApplication::setPalette(palette);
        Shooter shooter(folder);
        ok = shootAll(shooter) && ok;
        total += shooter.count();
    }
    XMainThread::setPoster(nullptr);
    std::printf("%d screenshots in %s\n", total, argv[1]);
    return ok ? 0 : 1;
}
