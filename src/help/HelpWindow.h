#pragma once

#include <QMainWindow>
#include <QTemporaryDir>
#include <QTextBrowser>

#include <functional>

class QHelpEngine;
class QTabWidget;

namespace help {

// The compressed help of the program, in the "aide" folder of its directory.
QString helpFilePath(const QString &programDirectory);

// Shows the pages of the help engine, the "qthelp:" links resolved by the engine and the
// outside ones handed to the desktop. The pages give their sizes in the style sheet and on
// their pictures, so the zoom scales those as they are read.
class HelpBrowser : public QTextBrowser {
    Q_OBJECT
  public:
    static constexpr int SmallestZoom = 50, LargestZoom = 250, ZoomStep = 25;

    HelpBrowser(QHelpEngine *engine, QWidget *parent);
    QVariant loadResource(int type, const QUrl &name) override;

    int zoomPercent() const { return zoom_; }
    // Sizes the page's texts and pictures, within the smallest and the largest zoom, keeping
    // the place read in view.
    void setZoomPercent(int percent);

  private:
    QHelpEngine *engine_;
    int zoom_ = 100;
    qreal unzoomedPointSize_;
};

// The help window: contents, index and full-text search on the left, the page on the right,
// Back and Forward above. One click on an entry of the contents or the index opens its page.
// Escape and Ctrl+W close the window; Ctrl++, Ctrl+- and Ctrl+0 size the page's text.
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
    // A page of the help by its file name, with an anchor after "#" if any ("imprimer.html").
    void showPage(const QString &page);
    // Runs a full-text search and shows its results in the search tab.
    void search(const QString &words);

  private:
    QUrl pageUrl(const QString &page) const;
    void buildSide();
    void buildToolBar();
    void addShortcut(const QKeySequence &keys, const std::function<void()> &action);

    QTemporaryDir collectionFolder_;
    QHelpEngine *engine_ = nullptr;
    HelpBrowser *browser_ = nullptr;
    QTabWidget *tabs_ = nullptr;
    bool valid_ = false;
};

// Opens the help window at its contents, or at `page` when one is given, or raises it when it is
// open. Opened while a modal window is up, it belongs to that window until it closes, so that
// it is not blocked with the others. A missing or unreadable help file is ignored: no window, no
// message. Returns whether the help shows.
bool showHelp(QWidget *parent, const QString &programDirectory, const QString &page = QString());

// The page of the help about a window of the program, by the window's object name; empty for a
// window without one.
QString pageAbout(const QString &windowName);

// F1 in any window of the program opens the help at the page about that window, or about the
// nearest window it belongs to, else at its contents; the help window belongs to `mainWindow`.
// Installed once on the application.
void installHelpKey(QWidget *mainWindow, const QString &programDirectory);

} // namespace help
