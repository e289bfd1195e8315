#include "config/windows/SaveWindow.h"

#include "config/ConfigurationFile.h"
#include "config/ConfigurationHost.h"
#include "config/windows/ButtonRow.h"
#include "config/windows/DirectoryBrowser.h"
#include "ui/MessageBoxes.h"

#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace config {

namespace {

const QString Extension = QStringLiteral(".P09");

// A settled name whose folder already holds the same file name with the extension in another
// case stands for that file: one situation never becomes two files that differ only in case.
QString existingSpelling(const QString &path) {
    const QFileInfo target(path);
    if (target.exists()) return path;
    const QString name = target.fileName();
    const QString base = name.left(name.size() - Extension.size());
    const QStringList entries =
        target.dir().entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    for (const QString &entry : entries)
        if (entry.size() == name.size() && entry.startsWith(base) &&
            entry.mid(base.size()).compare(Extension, Qt::CaseInsensitive) == 0)
            return target.dir().filePath(entry);
    return path;
}

} // namespace

SaveWindow::SaveWindow(ConfigurationHost &host, QWidget *parent)
    : QDialog(parent), host_(host),
      browser_(new DirectoryBrowser({QStringLiteral("Lecteur:"), QString::fromUtf8("Répertoire:"),
                                     QString::fromUtf8("Fichiers enregistrés")},
                                    this)),
      nameLabel_(new QLabel(QStringLiteral("Nom du fichier:"), this)),
      nameField_(new QLineEdit(this)),
      cancelButton_(new QPushButton(QStringLiteral("ANNULER"), this)),
      saveButton_(new QPushButton(QStringLiteral("ENREGISTRER"), this)) {
    setObjectName(QStringLiteral("enregistrer"));
    setWindowTitle(QString::fromUtf8("Enregistrer les paramètres"));
    setModal(true);
    nameLabel_->setObjectName(QStringLiteral("Label2"));
    nameLabel_->setBuddy(nameField_);
    nameField_->setObjectName(QStringLiteral("Text1"));
    saveButton_->setObjectName(QStringLiteral("Command1"));
    cancelButton_->setObjectName(QStringLiteral("Command2"));

    auto *column = new QVBoxLayout(this);
    column->addWidget(browser_, 1);
    column->addWidget(nameLabel_);
    column->addWidget(nameField_);
    column->addLayout(buttonRow(cancelButton_, saveButton_));
    resize(540, 380);
    if (parent) move(parent->window()->pos() + QPoint(20, 20));

    nameField_->setText(host_.currentFileName());
    nameField_->setFocus();

    connect(saveButton_, &QPushButton::clicked, this, [this] { save(); });
    connect(cancelButton_, &QPushButton::clicked, this, &QDialog::reject);
    connect(nameField_, &QLineEdit::returnPressed, this, [this] { save(); });
    connect(browser_, &DirectoryBrowser::fileDoubleClicked, this, &SaveWindow::saveUnderFileName);
    connect(browser_, &DirectoryBrowser::directoryChanged, this, &SaveWindow::keepOnlyFileName);
}

std::optional<QString> SaveWindow::settleName(const QString &typed, const QString &directory) {
    QString name = typed.trimmed();
    // The list shows "*.P09" files whatever the case, so a name typed or chosen with ".p09"
    // keeps its own spelling and names that very file.
    QString extension = Extension;
    bool last = true;
    for (;;) {
        const int fileNameStart = name.lastIndexOf(QLatin1Char('/')) + 1;
        if (name.size() == fileNameStart) return std::nullopt;
        const int dot = name.lastIndexOf(QLatin1Char('.'));
        if (dot < fileNameStart) break;
        if (last && name.mid(dot).trimmed().compare(Extension, Qt::CaseInsensitive) == 0)
            extension = name.mid(dot).trimmed();
        last = false;
        name = name.left(dot).trimmed();
    }
    return QDir(directory).filePath(name) + extension;
}

bool SaveWindow::save() {
    setCursor(Qt::WaitCursor);
    const auto settled = settleName(nameField_->text(), browser_->directory());
    if (!settled) {
        unsetCursor();
        ui::showCritical(this, QStringLiteral("Enregistrement impossible"),
                         QStringLiteral("Il faut donner un nom au fichier!"));
        return false;
    }
    const QString path = existingSpelling(*settled);
    host_.setCurrentFileName(path);
    nameField_->setText(path);
    QDir::setCurrent(browser_->directory());

    if (QFileInfo::exists(path)) {
        unsetCursor();
        if (!ui::askYesNo(this, QString::fromUtf8("Ce fichier existe déjà!"),
                          QStringLiteral("Ecraser le fichier existant?")))
            return false;
        setCursor(Qt::WaitCursor);
    }
    const auto error = saveConfiguration(host_.benchForSaving(), path);
    unsetCursor();
    if (error) {
        ui::showCritical(this, error->title, error->text);
        return false;
    }
    host_.configurationSaved();
    accept();
    return true;
}

// A double-click on a saved file saves under its name, after the question of replacing it.
void SaveWindow::saveUnderFileName(const QString &name) {
    nameField_->setText(name);
    save();
}

// Another directory chosen: a name that carried a directory keeps only its file name, so that
// it is saved into the chosen directory.
void SaveWindow::keepOnlyFileName() {
    const QString text = nameField_->text();
    const int slash = text.lastIndexOf(QLatin1Char('/'));
    if (slash >= 0) nameField_->setText(text.mid(slash + 1));
}

bool showSaveWindow(QWidget *parent, ConfigurationHost &host) {
    SaveWindow window(host, parent);
    return window.exec() == QDialog::Accepted;
}

} // namespace config
