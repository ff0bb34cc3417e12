#include "VMCDialogScreenshots.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QMenu>
#include <QPixmap>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>
#include <memory>

#include "MediaSupport.h"
#include "ScreenshotSupport.h"
#include "VAOptionsFileNameSheet.h"
#include "VAUserFolders.h"
#include "VMCDynamicNamingDialogView.h"
#include "VMCFileListDialogView.h"
#include "VMCPanelHostWindow.h"
#include "VMCPreConvertDialogView.h"
#include "VMCQtMainThreadPoster.h"
#include "VMCQtText.h"
#include "VVCConfigOptionsView.h"
#include "XMainThread.h"

namespace VMCDialogScreenshots {

namespace {

bool shootMenu(const SavePixmap& savePixmap, QWidget* window, QPushButton* button,
               const QString& name) {
    QMenu* menu = button->menu();
    menu->popup(button->mapToGlobal(QPoint(0, button->height())));
    if (!QTest::qWaitForWindowExposed(menu)) {
        std::fprintf(stderr, "no menu for %s\n", qPrintable(name));
        return false;
    }
    QTest::qWait(20);
    const bool ok = savePixmap(ScreenshotSupport::withPopup(window, menu), name);
    menu->hide();
    return ok;
}

// Clips with tags, so that the list shows lengths and types and names made from tags.
QStringList makeClips(const QString& folder) {
    struct Clip {
        const char* name;
        double seconds;
        const char* artist;
        const char* title;
    };
    const Clip clips[] = {
        {"Holiday 2023.mp4", 4.0, "Family", "Beach Day"},
        {"interview.mov", 2.5, "Radio North", "Morning Interview"},
        {"screen capture with a rather long name.mkv", 1.0, "", ""},
    };
    QStringList paths;
    for (const Clip& clip : clips) {
        const QString path = QDir(folder).filePath(QString::fromUtf8(clip.name));
        TestMedia media;
        media.seconds = clip.seconds;
        if (*clip.artist != '\0') {
            media.metadata = {{"artist", clip.artist}, {"title", clip.title}};
        }
        if (makeTestMedia(path.toStdString(), media)) {
            paths.push_back(path);
        }
    }
    return paths;
}

bool shootNamingDialog(const Save& save, const SavePixmap& savePixmap, const QString& clip) {
    VMCDynamicNamingDialogV2_Context context;
    context.encoderName = "MP4 (H264)";
    context.encoderSettings = "-crf 23";
    context.formatExtension = ".mp4";
    const XStr videos = VAUserFolders::videosFolder();
    auto dialog = std::make_shared<VMCDynamicNamingDialogV2>(
        "[artist]/[album]/[track] - [title]", "Videos/Converted", videos + "/Converted", context);
    bool ok = true;
    {
        VMCDynamicNamingDialogView view(dialog, nullptr);
        ok = save(&view, QStringLiteral("naming-dialog")) && ok;
        ok = shootMenu(savePixmap, &view, view.tagButton(),
                       QStringLiteral("naming-dialog-tag-menu")) &&
             ok;
        ok = shootMenu(savePixmap, &view, view.programmableButton(),
                       QStringLiteral("naming-dialog-programmable-menu")) &&
             ok;
        dialog->setView(nullptr);
    }
    if (!clip.isEmpty()) {
        context.exampleURL = VMCQtText::pathFromQt(clip);
        context.exampleMeta = VAMediaFileInfo::infoForFile(context.exampleURL);
        auto real = std::make_shared<VMCDynamicNamingDialogV2>(
            "[IFVALUE]artist,[artist],Unknown[]/[origfilename] - [title]", "/", "/", context);
        VMCDynamicNamingDialogView view(real, nullptr);
        ok = save(&view, QStringLiteral("naming-dialog-first-file")) && ok;
    }
    return ok;
}

bool shootFileList(const Save& save, const SavePixmap& savePixmap, const QStringList& clips) {
    VMCPanelHostWindow* window = VMCPanelHostWindow::openLauncher();
    XStrList paths;
    for (const QString& clip : clips) {
        paths.push_back(VMCQtText::pathFromQt(clip));
    }
    window->host().sourceFilesChosen(paths);
    auto* setup = qobject_cast<VMCPreConvertDialogView*>(window->panelView());
    if (setup == nullptr) {
        std::fprintf(stderr, "no setup panel\n");
        window->close();
        return false;
    }
    setup->dialog().encoderSelected(XStr("MP4 (H264)"));
    VMCFileNaming naming =
        VMCFileNaming::namingPreservePath(VAUserFolders::videosFolder() + "/Converted");
    naming.setDynamicFormat("[IFVALUE]artist,[artist],Unknown[]/[origfilename]");
    setup->dialog().locationPicker().applyNaming(naming);
    // The lengths and types come once the files are probed.
    VAFileInfoCache* cache = window->host().fileInfoCache();
    for (int i = 0; i < 500 && cache != nullptr && !cache->allLoaded(); ++i) {
        QTest::qWait(10);
    }
    QTest::mouseClick(setup->fileCountButton(), Qt::LeftButton);
    auto* list = qobject_cast<VMCFileListDialogView*>(window->panelView());
    if (list == nullptr) {
        std::fprintf(stderr, "no file list\n");
        window->close();
        return false;
    }
    if (list->dialog().rowCount() >= 3) {
        list->dialog().setDestinationUserAt(1, "Radio North/Interview, edited");
        list->dialog().setCheckedAt(2, false);
    }
    list->table()->selectRow(0);
    bool ok = save(window, QStringLiteral("converter-file-list"));
    ok = shootMenu(savePixmap, window, list->actionsButton(),
                   QStringLiteral("converter-file-list-menu")) &&
         ok;
    window->close();
    return ok;
}

bool shootPreferences(const Save& save) {
    VVCConfigOptionsView options;
    bool ok = save(&options, QStringLiteral("preferences"));
    QWidget* shown = nullptr;
    const QMetaObject::Connection watch = QObject::connect(
        &options, &VVCConfigOptionsView::sheetShown, [&shown](QWidget* sheet) { shown = sheet; });
    options.charactersButton()->click();
    QObject::disconnect(watch);
    if (auto* sheet = qobject_cast<VAOptionsFileNameSheet*>(shown)) {
        ok = save(sheet, QStringLiteral("preferences-file-name-characters")) && ok;
        sheet->restoreWindowsButton()->click();
        ok = save(sheet, QStringLiteral("preferences-file-name-characters-windows")) && ok;
        sheet->reject();
    } else {
        ok = false;
    }
    options.reject();
    return ok;
}

}  // namespace

bool shootAll(const Save& save, const SavePixmap& savePixmap) {
    // The probe records reach the panels through the main thread.
    const bool ownPoster = XMainThread::poster() == nullptr;
    if (ownPoster) {
        XMainThread::setPoster(std::make_shared<VMCQtMainThreadPoster>(qApp));
    }
    QTemporaryDir folder;
    const QStringList clips = folder.isValid() ? makeClips(folder.path()) : QStringList();
    bool ok = !clips.isEmpty();
    ok = shootNamingDialog(save, savePixmap, clips.value(0)) && ok;
    ok = shootFileList(save, savePixmap, clips) && ok;
    ok = shootPreferences(save) && ok;
    if (ownPoster) {
        XMainThread::setPoster(nullptr);
    }
    return ok;
}

}  // namespace VMCDialogScreenshots
