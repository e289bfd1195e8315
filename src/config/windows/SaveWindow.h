#pragma once

#include <QDialog>
#include <QString>

#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;

namespace config {

class ConfigurationHost;
class DirectoryBrowser;

// `enregistrer`, "Enregistrer les paramètres": saves the bench into a configuration file whose
// name is settled from the name field and the directory of the browser.
class SaveWindow : public QDialog {
    Q_OBJECT

  public:
    // Placed 20 pixels right of and below the top-left corner of the parent's window; modal.
    explicit SaveWindow(ConfigurationHost &host, QWidget *parent = nullptr);

    // The full path of the file that a typed name stands for, ".P09" appended; no value for a
    // name that is empty once trimmed and stripped of its extensions. Every extension of the
    // file name is removed ("a.tar.gz" gives "a"), never a dot of a directory name; a last
    // extension ".p09" in another case is kept as written. A name without "/" goes into
    // `directory`; a relative path is taken from `directory` too.
    static std::optional<QString> settleName(const QString &typed, const QString &directory);

    // "ENREGISTRER": settles the name, asks before replacing an existing file, writes, and
    // closes the window. True when the file was written; otherwise the window
    // stays open, with the settled name in its field.
    bool save();

  private:
    void saveUnderFileName(const QString &name);
    void keepOnlyFileName();

    ConfigurationHost &host_;
    DirectoryBrowser *browser_;
    QLabel *nameLabel_;
    QLineEdit *nameField_;
    QPushButton *cancelButton_;
    QPushButton *saveButton_;
};

// Shows the save window modally over the main window; true when a file was saved.
bool showSaveWindow(QWidget *parent, ConfigurationHost &host);

} // namespace config
