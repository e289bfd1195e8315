#pragma once

#include <QDialog>

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

namespace config {

class ConfigurationHost;
class DirectoryBrowser;

// `ouvrir`, "Ouvrir une configuration": chooses a configuration file and has the main window
// load it, behind a waiting message.
class OpenWindow : public QDialog {
    Q_OBJECT

  public:
    // Placed 20 pixels right of and below the top-left corner of the parent's window; modal.
    explicit OpenWindow(ConfigurationHost &host, QWidget *parent = nullptr);

    // "OUVRIR": loads the file that `ficharge` names and closes the window.
    // Nothing happens while `ficharge` is blank; a missing file is reported and the window
    // stays open. True when a load was made, whether the file was accepted or not.
    bool openChosenFile();

  protected:
    void resizeEvent(QResizeEvent *event) override;

  private:
    void chooseFile(const QString &name);

    ConfigurationHost &host_;
    DirectoryBrowser *browser_;
    QLineEdit *chosenFile_;
    QPushButton *cancelButton_;
    QPushButton *openButton_;
    QFrame *waitingFrame_;
    QLabel *waitingLabel_;
};

// Shows the open window modally over the main window; true when a file was loaded (or refused
// by the loader, which has shown its message).
bool showOpenWindow(QWidget *parent, ConfigurationHost &host);

} // namespace config
