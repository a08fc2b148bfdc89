#pragma once

#include <QProcess>
#include <QRegularExpression>
#include <QTextDocumentFragment>
#include <algorithm>
#include <cmath>
#include <vector>

namespace chordalis::test {

// A PDF file's words as pdftotext reads them, at points from the page's top left.
struct PdfText {
    struct Word {
        QString text;
        double x, y;
        int page; // from 0
    };
    std::vector<Word> words;
    int pages = 0;
    double width = 0, height = 0; // of the last page, in points

    // The first word of a line of the page that reads `text` (blanks collapsed), or null.
    const Word* findLine(const QString& text, int page = 0) const {
        for (const Word& first : words) {
            std::vector<const Word*> line;
            for (const Word& w : words) {
                if (w.page == page && first.page == page && std::abs(w.y - first.y) < 0.01 &&
                    w.x >= first.x)
                    line.push_back(&w);
            }
            std::sort(line.begin(), line.end(), [](auto* a, auto* b) { return a->x < b->x; });
            QStringList texts;
            for (const Word* w : line)
                texts << w->text;
            if (!line.empty() && texts.join(u' ') == text.simplified())
                return &first;
        }
        return nullptr;
    }
};

// No pages when pdftotext (poppler-utils) is missing or cannot read the file.
inline PdfText readPdf(const QString& path) {
    QProcess pdftotext;
    pdftotext.start(QStringLiteral(CHORDALIS_PDFTOTEXT), {"-bbox", path, "-"});
    pdftotext.waitForFinished();
    static const QRegularExpression item(
        QStringLiteral("<page width=\"([\\d.]+)\" height=\"([\\d.]+)\"|"
                       "<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\"[^>]*>([^<]*)<"));
    PdfText out;
    for (const auto& m : item.globalMatch(QString::fromUtf8(pdftotext.readAllStandardOutput()))) {
        if (m.capturedLength(1) > 0) {
            ++out.pages;
            out.width = m.captured(1).toDouble();
            out.height = m.captured(2).toDouble();
        } else {
            out.words.push_back({QTextDocumentFragment::fromHtml(m.captured(5)).toPlainText(),
                                 m.captured(3).toDouble(), m.captured(4).toDouble(),
                                 out.pages - 1});
        }
    }
    return out;
}

} // namespace chordalis::test
