#include "printing/PdfFile.h"

#include "files/AtomicFile.h"

#include <QBuffer>
#include <QHash>
#include <QPdfWriter>

#include <algorithm>
#include <map>
#include <optional>
#include <vector>

namespace printing {

namespace {

bool isDelimiter(char c) {
    return c == ' ' || c == '\n' || c == '\r' || c == '\t' || c == '\f' || c == '\0' ||
           c == '(' || c == ')' || c == '<' || c == '>' || c == '[' || c == ']' || c == '{' ||
           c == '}' || c == '/' || c == '%';
}

bool isSpace(char c) {
    return c == ' ' || c == '\n' || c == '\r' || c == '\t' || c == '\f' || c == '\0';
}

// The object's text with each reference "N 0 R" renumbered by `number`, outside strings; a
// stream's bytes after the keyword "stream" are copied as they are.
QByteArray renumbered(const QByteArray &body, const std::function<int(int)> &number) {
    QByteArray out;
    out.reserve(body.size());
    const qsizetype n = body.size();
    qsizetype i = 0;
    while (i < n) {
        const char c = body[i];
        if (c == '(') { // a literal string, with its escapes and balanced parentheses
            int depth = 0;
            const qsizetype start = i;
            for (; i < n; ++i) {
                if (body[i] == '\\') {
                    ++i;
                    continue;
                }
                if (body[i] == '(') ++depth;
                if (body[i] == ')' && --depth == 0) break;
            }
            out.append(body.mid(start, std::min(i + 1, n) - start));
            i = std::min(i + 1, n);
        } else if (c == '<' && i + 1 < n && body[i + 1] == '<') { // a dictionary opens
            out.append("<<");
            i += 2;
        } else if (c == '<') { // a hexadecimal string
            const qsizetype end = body.indexOf('>', i);
            const qsizetype stop = end < 0 ? n : end + 1;
            out.append(body.mid(i, stop - i));
            i = stop;
        } else if (body.mid(i, 6) == "stream" && (i == 0 || isSpace(body[i - 1]) ||
                                                   body[i - 1] == '>')) {
            out.append(body.mid(i));
            break;
        } else if (c >= '0' && c <= '9' && (i == 0 || isDelimiter(body[i - 1]))) {
            qsizetype j = i;
            long long value = 0;
            while (j < n && body[j] >= '0' && body[j] <= '9' && value < 100000000)
                value = value * 10 + (body[j++] - '0');
            // "N 0 R" with N followed by a space, the generation 0, a space and R.
            qsizetype k = j;
            bool reference = k < n && isSpace(body[k]);
            while (reference && k < n && isSpace(body[k])) ++k;
            reference = reference && k < n && body[k] == '0';
            ++k;
            reference = reference && k < n && isSpace(body[k]);
            while (reference && k < n && isSpace(body[k])) ++k;
            reference = reference && k < n && body[k] == 'R' && (k + 1 == n || isDelimiter(body[k + 1]));
            if (reference) {
                out.append(QByteArray::number(number(int(value))));
                out.append(" 0 R");
                i = k + 1;
            } else {
                out.append(body.mid(i, j - i));
                i = j;
            }
        } else {
            out.append(c);
            ++i;
        }
    }
    return out;
}

struct Layout {
    QByteArray header;                  // what comes before the first object
    std::map<int, QByteArray> objects;  // object number → its text after "N 0 obj"
    QByteArray trailer;                 // the trailer dictionary
};

// Reads the objects through the cross-reference table.
std::optional<Layout> readLayout(const QByteArray &pdf) {
    const qsizetype startxref = pdf.lastIndexOf("startxref");
    if (startxref < 0) return std::nullopt;
    bool ok = false;
    const qsizetype xref =
        pdf.mid(startxref + 9, 24).trimmed().split('\n').value(0).trimmed().toLongLong(&ok);
    if (!ok || xref <= 0 || xref >= startxref || pdf.mid(xref, 4) != "xref") return std::nullopt;
    // "xref", then "0 N", then N entries of 20 bytes.
    const qsizetype firstLine = pdf.indexOf('\n', xref) + 1;
    const qsizetype secondLine = pdf.indexOf('\n', firstLine);
    if (firstLine <= 0 || secondLine < 0) return std::nullopt;
    const QList<QByteArray> range = pdf.mid(firstLine, secondLine - firstLine).trimmed().split(' ');
    const int count = range.size() == 2 && range[0] == "0" ? range[1].toInt(&ok) : 0;
    if (!ok || count <= 1 || secondLine + 1 + qsizetype(count) * 20 > startxref)
        return std::nullopt;
    std::vector<std::pair<qsizetype, int>> offsets; // offset → object number
    for (int number = 1; number < count; ++number) {
        const QByteArray entry = pdf.mid(secondLine + 1 + qsizetype(number) * 20, 20);
        if (entry.size() != 20 || entry[17] != 'n') continue;
        const qsizetype offset = entry.left(10).toLongLong(&ok);
        if (!ok || offset <= 0 || offset >= xref) return std::nullopt;
        offsets.emplace_back(offset, number);
    }
    if (offsets.empty()) return std::nullopt;
    std::sort(offsets.begin(), offsets.end());
    Layout layout;
    layout.header = pdf.left(offsets.front().first);
    for (size_t i = 0; i < offsets.size(); ++i) {
        const auto [offset, number] = offsets[i];
        const qsizetype end = i + 1 < offsets.size() ? offsets[i + 1].first : xref;
        const QByteArray opening = QByteArray::number(number) + " 0 obj";
        if (pdf.mid(offset, opening.size()) != opening) return std::nullopt;
        const QByteArray text = pdf.mid(offset + opening.size(), end - offset - opening.size());
        if (!text.trimmed().endsWith("endobj")) return std::nullopt;
        layout.objects[number] = text;
    }
    const qsizetype trailer = pdf.indexOf("trailer", xref);
    if (trailer < 0 || trailer > startxref) return std::nullopt;
    layout.trailer = pdf.mid(trailer + 7, startxref - trailer - 7);
    return layout;
}

bool isPage(const QByteArray &text) {
    static const QByteArray page = "/Type /Page";
    for (qsizetype at = text.indexOf(page); at >= 0; at = text.indexOf(page, at + 1))
        if (at + page.size() < text.size() && isDelimiter(text[at + page.size()]) &&
            text[at + page.size()] != '/')
            return true;
    return false;
}

} // namespace

QByteArray shareIdenticalObjects(const QByteArray &pdf) {
    std::optional<Layout> layout = readLayout(pdf);
    if (!layout) return pdf;

    // Which object each one is the same as; merging objects can make others identical (two
    // streams whose lengths were separate objects), so the search runs until nothing changes.
    std::map<int, int> sameAs;
    const auto canonical = [&sameAs](int n) {
        for (auto it = sameAs.find(n); it != sameAs.end(); it = sameAs.find(n)) n = it->second;
        return n;
    };
    for (bool changed = true; changed;) {
        changed = false;
        QHash<QByteArray, int> first;
        for (const auto &[number, text] : layout->objects) {
            if (sameAs.count(number) || isPage(text)) continue;
            const QByteArray key = renumbered(text, canonical);
            if (auto it = first.constFind(key); it != first.cend()) {
                sameAs[number] = *it;
                changed = true;
            } else {
                first.insert(key, number);
            }
        }
    }
    if (sameAs.empty()) return pdf;

    // A page's empty list of annotations says nothing: the entry goes, and with it the list.
    for (auto &[number, text] : layout->objects) {
        if (!isPage(text)) continue;
        const qsizetype at = text.indexOf("/Annots ");
        if (at < 0) continue;
        const QList<QByteArray> words = text.mid(at + 8, 24).simplified().split(' ');
        bool ok = false;
        const int annots = words.size() >= 3 && words[1] == "0" && words[2].startsWith('R')
                               ? words[0].toInt(&ok)
                               : 0;
        const auto list = layout->objects.find(canonical(annots));
        if (!ok || list == layout->objects.end() ||
            list->second.simplified().replace(" ", "") != "[]endobj")
            continue;
        const qsizetype end = text.indexOf('R', at + 8) + 1;
        text.remove(at, end - at);
    }

    // The objects that remain, numbered again from 1 in their order; an empty list that no page
    // refers to any more goes too.
    const auto unused = [&](int number, const QByteArray &text) {
        if (sameAs.count(number)) return true;
        if (text.simplified().replace(" ", "") != "[]endobj") return false;
        const QByteArray reference = " " + QByteArray::number(number) + " 0 R";
        for (const auto &[other, otherText] : layout->objects)
            if (!sameAs.count(other) && renumbered(otherText, canonical).contains(reference))
                return false;
        return !layout->trailer.contains(reference);
    };
    std::map<int, int> newNumber;
    for (const auto &[number, text] : layout->objects)
        if (!unused(number, text)) newNumber[number] = int(newNumber.size()) + 1;
    const auto finalNumber = [&](int n) {
        const auto it = newNumber.find(canonical(n));
        return it == newNumber.end() ? n : it->second;
    };
    QByteArray out = layout->header;
    std::vector<qsizetype> offsets;
    for (const auto &[number, text] : layout->objects) {
        if (!newNumber.count(number)) continue;
        offsets.push_back(out.size());
        out += QByteArray::number(newNumber[number]) + " 0 obj" + renumbered(text, finalNumber);
    }
    const qsizetype xref = out.size();
    out += "xref\n0 " + QByteArray::number(qsizetype(offsets.size()) + 1) + "\n";
    out += "0000000000 65535 f \n";
    for (qsizetype offset : offsets)
        out += QByteArray::number(offset).rightJustified(10, '0') + " 00000 n \n";
    QByteArray trailer = renumbered(layout->trailer, finalNumber);
    const qsizetype size = trailer.indexOf("/Size");
    if (size >= 0) {
        qsizetype end = size + 5;
        while (end < trailer.size() && isSpace(trailer[end])) ++end;
        while (end < trailer.size() && trailer[end] >= '0' && trailer[end] <= '9') ++end;
        trailer.replace(size, end - size,
                        "/Size " + QByteArray::number(qsizetype(offsets.size()) + 1));
    }
    out += "trailer" + trailer + "startxref\n" + QByteArray::number(xref) + "\n%%EOF\n";
    return out;
}

bool writePdfFile(const QString &path, const QPageLayout &layout, const QString &title,
                  const std::function<bool(QPagedPaintDevice &)> &paint) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    bool ok;
    {
        QPdfWriter writer(&buffer);
        writer.setPageLayout(layout);
        writer.setTitle(title);
        writer.setCreator(QStringLiteral("Focalines"));
        ok = paint(writer);
    } // the writer finishes the document when it goes
    if (!ok) return false;
    return files::writeFileReplacing(path, shareIdenticalObjects(buffer.data()));
}

} // namespace printing
