#pragma once

#include <QString>
#include <QWidget>

class QComboBox;
class QLabel;
class QListWidget;
class QListWidgetItem;
class QTreeWidget;
class QTreeWidgetItem;

namespace config {

// The three lists of the save and open windows in one widget: the places the user can reach
// (`Drive1`: the root, the home folder, mounted media), the folders of the current directory and
// its parents (`Dir1`), and the "*.P09" files of the current directory, whatever the case of
// their extension (`File1`). Listings are read synchronously when the directory changes, so
// what the lists show is always the directory that directory() names. One click on a folder
// opens it, as Enter does; the folder list keeps the current folder and its folders in view.
class DirectoryBrowser : public QWidget {
    Q_OBJECT

  public:
    struct Captions {
        QString drive;     // above the place list
        QString directory; // above the folder list
        QString files;     // above the file list
    };

    // Starts in the process's current directory.
    explicit DirectoryBrowser(const Captions &captions, QWidget *parent = nullptr);

    // The directory shown: an absolute path without a trailing "/", except for the root.
    QString directory() const { return directory_; }

    // Shows `path`. A directory that does not exist or cannot be read leaves everything as it
    // was and returns false.
    bool setDirectory(const QString &path);

    // The file list's patterns, matched whatever the case; "*.P09" unless set.
    void setFilePatterns(const QStringList &patterns);

    // The three lists, for a window that lays them out in an order of its own.
    QComboBox *driveList() const { return drive_; }
    QTreeWidget *directoryList() const { return dirs_; }
    QListWidget *fileList() const { return files_; }

    // A place's path, e.g. the root, the home folder or a mounted medium.
    static QStringList places();
    // The place that holds `path`: the longest place that is `path` or one of its parents.
    static QString placeOf(const QString &path, const QStringList &places);

  signals:
    // The shown directory changed (a place chosen, a folder opened).
    void directoryChanged(const QString &path);
    // A file of the list was chosen (click or keyboard) or double-clicked; its name only.
    void fileClicked(const QString &name);
    void fileDoubleClicked(const QString &name);

  protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

  private:
    void goToPlace(int index);
    void openDirectoryItem(QTreeWidgetItem *item);
    // Scrolls the folder list so that the current folder shows with as many of its folders as
    // fit below it.
    void showCurrentFolder();
    void fillPlaces();
    void fillDirectories();
    void fillFiles();

    QString directory_;
    QStringList places_;
    QStringList filePatterns_{QStringLiteral("*.P09")};
    QLabel *driveLabel_;
    QComboBox *drive_;
    QLabel *dirLabel_;
    QTreeWidget *dirs_;
    QLabel *filesLabel_;
    QListWidget *files_;
    QListWidgetItem *justChosen_ = nullptr; // made current just before its click
    QString pressedFolder_;                 // the folder under the button while it is held
};

} // namespace config
