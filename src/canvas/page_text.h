#pragma once
// A page's text as a reader takes it in, built from the surface's drawing operations:
// what copying puts on the clipboard, what the find bar searches and where it found
// it, what a screen reader reads. Symbol-face runs are given their meanings.
#include "surface.h"

#include <QRectF>
#include <QString>
#include <vector>

class PageText {
public:
    // One text run as read.
    struct Run {
        int op = -1;   // its index among the surface's operations
        int from = 0;  // its first character in the operation's text (a run is read in
                       // stretches where box-drawing bars begin or end)
        QRectF cell;   // its cell on the surface: left edge and top, advance and cell height
        QString text;  // what it means
        std::vector<double> edges;  // left edge of each drawn character, then the end
    };
    struct Line {
        std::vector<Run> runs;  // in reading order
        QString text;           // as read: see page_text.cpp for spaces and fractions
    };

    explicit PageText(const std::vector<DrawOp>& ops);

    const std::vector<Line>& lines() const { return lines_; }
    // The lines top to bottom, one a text line.
    const QString& text() const { return text_; }

    // Whether a line of the page holds the term. Case, width (full-width or not) and
    // white space do not matter, and ϕ is found by φ.
    bool contains(const QString& term) const;
    // Where the term is on the surface: one rectangle for each run it touches,
    // covering the characters that match.
    std::vector<QRectF> find(const QString& term) const;

private:
    // A line's runs as the find bar compares them, and where each unit came from.
    struct Searchable {
        QString text;
        struct Origin {
            int run;        // in the line
            int character;  // drawn
        };
        std::vector<Origin> origins;
    };

    std::vector<Line> lines_;
    QString text_;
    std::vector<Searchable> searchable_;
};

// The form in which terms are compared: compatibility forms folded (full-width to
// ASCII, ϕ to φ), case folded, white space dropped.
QString searchForm(const QString& text);
