#pragma once
// A page's text as a reader takes it in, built from what the script drew: its prose runs
// and its formulas in drawing order, a line where the script started a row. This is what
// copying puts on the clipboard, what the find bar searches and where it found it, what
// a screen reader reads. Symbol-face prose is given its meaning; a formula reads as the
// meaning its script gave it, never as its glyphs.
#include "draw_op.h"

#include <QRectF>
#include <QString>
#include <compare>
#include <optional>
#include <vector>

class PageText {
public:
    // A prose run (one text operation) or a whole formula.
    struct Piece {
        int firstOp = 0;  // among the surface's operations
        int lastOp = 0;
        bool formula = false;
        QString text;   // as read: prose as it means, a formula in its linear form
        QString latex;  // a formula's meaning
        QRectF box;     // where it is drawn on the surface
        std::vector<double> edges;  // prose: left edge of each drawn character, then the end
        bool apart = false;  // read with a space before it, when the line's text has none there
    };
    struct Line {
        std::vector<Piece> pieces;  // in drawing order
        QString text;
        // A formula that has its line to itself, tags and spaces aside, is displayed.
        bool displays(const Piece& piece) const;
    };
    // A piece by its place.
    struct PieceRef {
        int line = 0;
        int piece = 0;
        auto operator<=>(const PieceRef&) const = default;
    };

    explicit PageText(const DisplayList& page);

    const std::vector<Line>& lines() const { return lines_; }
    // The lines in order, one a text line.
    const QString& text() const { return text_; }
    std::vector<PieceRef> allPieces() const;

    // The formula drawn at a point, if any.
    std::optional<PieceRef> formulaAt(QPointF point) const;
    // The pieces a rectangle touches, in reading order.
    std::vector<PieceRef> piecesIn(const QRectF& area) const;
    const Piece& piece(PieceRef ref) const { return lines_[size_t(ref.line)].pieces[size_t(ref.piece)]; }

    // Readings of some pieces (in reading order), one line a text line: linear text, prose with
    // LaTeX between $…$ or \[…\], and HTML with MathML.
    QString plainOf(const std::vector<PieceRef>& pieces) const;
    QString latexOf(const std::vector<PieceRef>& pieces) const;
    QString htmlOf(const std::vector<PieceRef>& pieces) const;

    // Whether a line of the page holds the term. Case, width (full-width or not), white
    // space, script marks and the variant forms of a few signs (ϕ and φ, ∑ and Σ, − and -)
    // do not matter.
    bool holds(const QString& term) const;
    // Where the term is on the surface: for prose, the characters that match; for a
    // formula, the whole formula.
    std::vector<QRectF> find(const QString& term) const;

private:
    // A line as the find bar compares it, and the piece and character each unit came from.
    struct Searchable {
        QString text;
        struct Origin {
            int piece;
            int character;  // prose only
        };
        std::vector<Origin> origins;
    };

    template <typename Write>
    QString readingOf(const std::vector<PieceRef>& pieces, Write write) const;

    std::vector<Line> lines_;
    QString text_;
    std::vector<Searchable> searchable_;
};

// The form in which terms are compared: compatibility forms folded (full-width to
// ASCII, ϕ to φ, ∑ to Σ, − to -), case folded, white space and the marks of linear
// scripts (_ and ^) dropped.
QString searchForm(const QString& text);
