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

    // Command1_Click, "OUVRIR": loads the file that `ficharge` names and closes the window.
    // Nothing happens while `ficharge` is blank; a missing file is reported and the window
    // stays open. True when a load was made, whether the file was accepted or not.
    bool Command1_Click();

    DirectoryBrowser *browser() const { return browser_; }
    QLineEdit *ficharge() const { return ficharge_; }
    QPushButton *openButton() const { return Command1_; }
    QPushButton *cancelButton() const { return Command2_; }
    QFrame *waitingFrame() const { return Frame1_; }

  protected:
    void resizeEvent(QResizeEvent *event) override;

  private:
    void File1_Click(const QString &name);

    ConfigurationHost &host_;
    DirectoryBrowser *browser_;
    QLineEdit *ficharge_;
    QPushButton *Command2_;
    QPushButton *Command1_;
    QFrame *Frame1_;
    QLabel *Label4_;
};

// Shows the open window modally over the main window; true when a file was loaded (or refused
// by the loader, which has shown its message).
bool showOpenWindow(QWidget *parent, ConfigurationHost &host);

} // namespace config
