#pragma once

#include <QMainWindow>
#include <QTemporaryDir>
#include <QTextBrowser>

class QHelpEngine;
class QTabWidget;

namespace help {

// The compressed help of the program, in the "aide" folder of its directory.
QString helpFilePath(const QString &programDirectory);

// Shows the pages of the help engine, the "qthelp:" links resolved by the engine and the
// outside ones handed to the desktop.
class HelpBrowser : public QTextBrowser {
    Q_OBJECT
  public:
    HelpBrowser(QHelpEngine *engine, QWidget *parent);
    QVariant loadResource(int type, const QUrl &name) override;

  private:
    QHelpEngine *engine_;
};

// The help window: contents, index and full-text search on the left, the page on the right.
// The help file is registered in a collection of a temporary folder of its own, since the
// program's directory may not be writable and a collection left from another build or
// another running copy of the program could hold a stale index.
class HelpWindow : public QMainWindow {
    Q_OBJECT
  public:
    // Refuses (isValid() false) a help file that is missing or that the engine cannot read.
    HelpWindow(const QString &helpFile, QWidget *parent = nullptr);

    bool isValid() const { return valid_; }
    QHelpEngine *engine() const { return engine_; }
    HelpBrowser *browser() const { return browser_; }
    QTabWidget *sideTabs() const { return tabs_; }

    // The contents page, which opens the help.
    void showContents();
    // Runs a full-text search and shows its results in the search tab.
    void search(const QString &words);

  private:
    QUrl contentsUrl() const;
    void buildSide();

    QTemporaryDir collectionFolder_;
    QHelpEngine *engine_ = nullptr;
    HelpBrowser *browser_ = nullptr;
    QTabWidget *tabs_ = nullptr;
    bool valid_ = false;
};

// Opens the help window at its contents, or raises it when it is open. A missing or
// unreadable help file is ignored: no window, no message. Returns whether the help shows.
bool showHelp(QWidget *parent, const QString &programDirectory);

} // namespace help
