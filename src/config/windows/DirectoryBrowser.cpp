#include "config/windows/DirectoryBrowser.h"

#include "ui/FileNameOrder.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QStorageInfo>
#include <QStyle>
#include <QTreeWidget>

namespace config {

namespace {

const QString Root = QStringLiteral("/");

// Where removable media and other disks are mounted for the user.
bool isMediaMount(const QString &root) {
    for (const char *prefix : {"/media/", "/mnt/", "/run/media/"})
        if (root.startsWith(QLatin1String(prefix))) return true;
    return false;
}

bool isUnder(const QString &path, const QString &dir) {
    if (path == dir) return true;
    return path.startsWith(dir.endsWith(QLatin1Char('/')) ? dir : dir + QLatin1Char('/'));
}

} // namespace

DirectoryBrowser::DirectoryBrowser(const Captions &captions, QWidget *parent)
    : QWidget(parent), places_(places()), driveLabel_(new QLabel(captions.drive, this)),
      drive_(new QComboBox(this)), dirLabel_(new QLabel(captions.directory, this)),
      dirs_(new QTreeWidget(this)), filesLabel_(new QLabel(captions.files, this)),
      files_(new QListWidget(this)) {
    drive_->setObjectName(QStringLiteral("Drive1"));
    dirs_->setObjectName(QStringLiteral("Dir1"));
    files_->setObjectName(QStringLiteral("File1"));
    driveLabel_->setBuddy(drive_);
    dirLabel_->setBuddy(dirs_);
    filesLabel_->setBuddy(files_);

    dirs_->setHeaderHidden(true);
    dirs_->setRootIsDecorated(false);
    dirs_->setItemsExpandable(false);
    dirs_->setExpandsOnDoubleClick(false);
    dirs_->setIndentation(12);
    // Every folder of the list is open: no expanding arrows.
    dirs_->setStyleSheet(QStringLiteral("QTreeView::branch { image: none; }"));
    dirs_->installEventFilter(this);
    dirs_->viewport()->installEventFilter(this);
    files_->setSelectionMode(QAbstractItemView::SingleSelection);

    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(driveLabel_, 0, 0);
    grid->addWidget(drive_, 1, 0);
    grid->addWidget(dirLabel_, 2, 0);
    grid->addWidget(dirs_, 3, 0);
    grid->addWidget(filesLabel_, 0, 1);
    grid->addWidget(files_, 1, 1, 3, 1);
    grid->setRowStretch(3, 1);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(1, 1);

    fillPlaces();
    connect(drive_, &QComboBox::activated, this, &DirectoryBrowser::goToPlace);
    // A click and a keyboard move both choose a file; a click on the item that just became
    // current is one choice, not two.
    connect(files_, &QListWidget::currentItemChanged, this, [this](QListWidgetItem *item) {
        justChosen_ = item;
        if (item) emit fileClicked(item->text());
    });
    connect(files_, &QListWidget::itemClicked, this, [this](QListWidgetItem *item) {
        const bool already = item == justChosen_;
        justChosen_ = nullptr;
        if (!already) emit fileClicked(item->text());
    });
    connect(files_, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem *item) { emit fileDoubleClicked(item->text()); });

    if (!setDirectory(QDir::currentPath()) && !setDirectory(QDir::homePath())) setDirectory(Root);
}

QStringList DirectoryBrowser::places() {
    QStringList list{Root};
    const QString home = QDir::cleanPath(QDir::homePath());
    if (home != Root && QFileInfo(home).isDir()) list << home;
    QStringList media;
    for (const QStorageInfo &volume : QStorageInfo::mountedVolumes()) {
        const QString root = volume.rootPath();
        if (volume.isValid() && volume.isReady() && isMediaMount(root) && QFileInfo(root).isDir() &&
            !media.contains(root))
            media << root;
    }
    ui::sortFileNames(media);
    return list + media;
}

QString DirectoryBrowser::placeOf(const QString &path, const QStringList &places) {
    QString best = Root;
    for (const QString &place : places)
        if (isUnder(path, place) && place.size() > best.size()) best = place;
    return best;
}

bool DirectoryBrowser::setDirectory(const QString &path) {
    const QFileInfo info(path);
    if (path.isEmpty() || !info.isDir() || !info.isReadable() || !info.isExecutable()) return false;
    const QString dir = QDir::cleanPath(info.absoluteFilePath());
    const bool changed = dir != directory_;
    directory_ = dir;
    fillDirectories();
    fillFiles();
    const QSignalBlocker blocker(drive_);
    drive_->setCurrentIndex(drive_->findData(placeOf(directory_, places_)));
    if (changed) emit directoryChanged(directory_);
    return true;
}

void DirectoryBrowser::setFilePatterns(const QStringList &patterns) {
    filePatterns_ = patterns;
    fillFiles();
}

// goToPlace: go to the chosen place; a place that cannot be read leaves everything as it
// was, and the list shows again the place of the directory.
void DirectoryBrowser::goToPlace(int index) {
    if (!setDirectory(drive_->itemData(index).toString())) {
        const QSignalBlocker blocker(drive_);
        drive_->setCurrentIndex(drive_->findData(placeOf(directory_, places_)));
    }
}

void DirectoryBrowser::openDirectoryItem(QTreeWidgetItem *item) {
    if (item) setDirectory(item->data(0, Qt::UserRole).toString());
}

void DirectoryBrowser::showCurrentFolder() {
    QTreeWidgetItem *current = dirs_->currentItem();
    if (!current) return;
    if (current->childCount() > 0) dirs_->scrollToItem(current->child(current->childCount() - 1));
    dirs_->scrollToItem(current);
}

bool DirectoryBrowser::eventFilter(QObject *watched, QEvent *event) {
    if (watched == dirs_) {
        // Enter in the folder list opens the highlighted folder, and only that: the key must not
        // reach the window's buttons.
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent *>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                openDirectoryItem(dirs_->currentItem());
                return true;
            }
        }
        // The list gets its size when the window shows.
        if (event->type() == QEvent::Resize) showCurrentFolder();
    } else if (watched == dirs_->viewport()) {
        // A click on a folder opens it once the button is released over it. The list is made
        // anew before the view sees the release, which then finds no item it pressed. The second
        // press of a double click is not a click on whatever folder has come under the pointer.
        // The left button's folder: the one under the pointer, or none for another button.
        const auto folderUnder = [this](const QEvent *event) {
            const auto *mouse = static_cast<const QMouseEvent *>(event);
            const QTreeWidgetItem *item = mouse->button() == Qt::LeftButton
                                              ? dirs_->itemAt(mouse->position().toPoint())
                                              : nullptr;
            return item ? item->data(0, Qt::UserRole).toString() : QString();
        };
        switch (event->type()) {
        case QEvent::MouseButtonDblClick:
            return true;
        case QEvent::MouseButtonPress:
            pressedFolder_ = folderUnder(event);
            break;
        case QEvent::MouseButtonRelease:
            if (!pressedFolder_.isEmpty() && folderUnder(event) == pressedFolder_)
                setDirectory(pressedFolder_);
            pressedFolder_.clear();
            break;
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void DirectoryBrowser::fillPlaces() {
    const QSignalBlocker blocker(drive_);
    drive_->clear();
    const QString home = QDir::cleanPath(QDir::homePath());
    for (const QString &place : places_) {
        const QStyle::StandardPixmap icon = place == Root   ? QStyle::SP_DriveHDIcon
                                            : place == home ? QStyle::SP_DirHomeIcon
                                                            : QStyle::SP_DriveFDIcon;
        drive_->addItem(style()->standardIcon(icon), place, place);
    }
}

// The directory's parents from the root down, open, then its folders, closed.
void DirectoryBrowser::fillDirectories() {
    QStringList chain;
    for (QString p = directory_;; p = QFileInfo(p).path()) {
        chain.prepend(p);
        if (p == Root || p == QFileInfo(p).path()) break;
    }
    const QIcon open = style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closed = style()->standardIcon(QStyle::SP_DirClosedIcon);
    dirs_->clear();
    QTreeWidgetItem *current = nullptr;
    for (const QString &p : chain) {
        auto *item = current ? new QTreeWidgetItem(current) : new QTreeWidgetItem(dirs_);
        item->setText(0, p == Root ? Root : QFileInfo(p).fileName());
        item->setIcon(0, open);
        item->setData(0, Qt::UserRole, p);
        current = item;
    }
    const QDir dir(directory_);
    QStringList folders = dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Unsorted);
    ui::sortFileNames(folders);
    for (const QString &name : folders) {
        auto *item = new QTreeWidgetItem(current);
        item->setText(0, name);
        item->setIcon(0, closed);
        item->setData(0, Qt::UserRole, dir.filePath(name));
    }
    dirs_->expandAll();
    dirs_->setCurrentItem(current);
    showCurrentFolder();
}

void DirectoryBrowser::fillFiles() {
    const QSignalBlocker blocker(files_);
    justChosen_ = nullptr;
    files_->clear();
    QStringList names = QDir(directory_).entryList(filePatterns_, QDir::Files, QDir::Unsorted);
    ui::sortFileNames(names);
    files_->addItems(names);
}

} // namespace config
