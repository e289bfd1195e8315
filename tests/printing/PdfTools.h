#pragma once

// Reading a PDF back with poppler-utils (pdfinfo, pdftotext, pdfimages, pdftoppm).

#include <QImage>
#include <QProcess>
#include <QRect>
#include <QRegularExpression>
#include <QSizeF>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace pdftools {

// The tool's output. Whatever poppler says on its error output ("xref num 1 not found") is a
// fault of the file, even when it could still count the pages: stricter readers refuse it.
inline QString run(const QString &program, const QStringList &args) {
    QProcess p;
    p.start(program, args);
    p.waitForFinished(30000);
    const QByteArray errors = p.readAllStandardError();
    EXPECT_TRUE(errors.isEmpty()) << program.toStdString() << ": " << errors.toStdString();
    return QString::fromUtf8(p.readAllStandardOutput());
}

// The size in points of each page.
inline QList<QSizeF> pageSizes(const QString &pdf) {
    const QString info = run("pdfinfo", {"-f", "1", "-l", "1000", pdf});
    QList<QSizeF> sizes;
    static const QRegularExpression line(R"(Page\s+\d+ size:\s+([\d.]+) x ([\d.]+) pts)");
    for (auto m = line.globalMatch(info); m.hasNext();) {
        const auto match = m.next();
        sizes.append({match.captured(1).toDouble(), match.captured(2).toDouble()});
    }
    return sizes;
}

inline QString pageText(const QString &pdf, int page) {
    const QString n = QString::number(page);
    return run("pdftotext", {"-f", n, "-l", n, pdf, "-"}).trimmed();
}

// The object number of the image drawn on each page, one entry per image drawn.
inline QStringList imageObjects(const QString &pdf) {
    QStringList objects;
    const QStringList lines = run("pdfimages", {"-list", pdf}).split('\n');
    for (const QString &l : lines.mid(2)) {
        const QStringList cols = l.simplified().split(' ');
        if (cols.size() > 10) objects << cols[0] + ':' + cols[10];
    }
    return objects;
}

// One page rendered at 72 dots per inch, one pixel per point, or at `dpi`.
inline QImage renderPage(const QString &pdf, int page, int dpi = 72) {
    QTemporaryDir dir;
    const QString n = QString::number(page);
    run("pdftoppm", {"-r", QString::number(dpi), "-png", "-singlefile", "-f", n, "-l", n, pdf,
                     dir.filePath("page")});
    return QImage(dir.filePath("page.png"));
}

// The smallest rectangle holding the pixels of that colour (within a small tolerance).
inline QRect boundsOf(const QImage &image, QRgb colour) {
    QRect r;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            if (qAbs(qRed(p) - qRed(colour)) < 8 && qAbs(qGreen(p) - qGreen(colour)) < 8 &&
                qAbs(qBlue(p) - qBlue(colour)) < 8)
                r |= QRect(x, y, 1, 1);
        }
    return r;
}

} // namespace pdftools
