#pragma once
// The faces the pages name (Windows faces) mapped onto installed Linux families,
// with the vertical metrics that cell placement uses for each face.
#include <QFont>
#include <QFontMetricsF>
#include <QHash>
#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

class QPaintDevice;

struct FaceMetrics {
    double ascent = 0;   // baseline below the top of the cell, pixels
    double descent = 0;  // below the baseline, pixels
    double height() const { return ascent + descent; }
};

// A stretch of a text drawn in one installed family.
struct FacePiece {
    QString text;
    QString family;
};

class FontTable {
public:
    // Uses the families installed, under every name fontconfig knows them by.
    FontTable();
    // Uses the given list as the installed families (tests hand in their own);
    // `aliases` maps further names of a family to the name in the list.
    explicit FontTable(QStringList installed, QHash<QString, QString> aliases = {});

    const QStringList& installed() const { return installed_; }
    bool fontExists(const QString& name) const;

    // The installed family that stands for a face the program names; for a face
    // drawn in two families, the one that draws all but ASCII and gives the cell.
    QString familyFor(const QString& face) const;
    // The text cut where the face changes family, in order; one piece for most faces.
    std::vector<FacePiece> pieces(const QString& face, const QString& text) const;

    // A font of an installed family at the given size in pixels of a 96-DPI device, unhinted.
    static QFont familyFont(const QString& family, double pixelSize, bool bold, bool italic);

    // Advance of a text, pixels, at 96 DPI: the sum of its pieces.
    double width(const QString& face, double pixelSize, bool bold, bool italic, const QString& text) const;
    FaceMetrics metrics(const QString& face, double pixelSize, bool bold, bool italic) const;

    // What a surface records of a run it prints, in one lookup.
    struct Run {
        QString family;
        double ascent;
        double advance;
    };
    Run run(const QString& face, double pixelSize, bool bold, bool italic, const QString& text) const;

    // The device every measurement and layout is made on: 96 DPI, so 12.75 pt is 17 px.
    static const QPaintDevice* measureDevice();

    // The table every surface measures with; tests may swap it.
    static FontTable& current();
    static void setCurrent(std::shared_ptr<FontTable> table);

private:
    struct Choice {
        QString family;       // draws the text, or all but its ASCII
        QString latinFamily;  // draws ASCII letters, digits and punctuation, if set
        bool boundingBoxCell = false;
    };
    struct Entry;
    struct FaceEntry;
    struct EntryKey {
        QString name;  // a family, or a face
        double pixelSize;
        bool bold, italic;
        bool operator==(const EntryKey&) const = default;
        friend size_t qHash(const EntryKey& k, size_t seed = 0)
        {
            return qHashMulti(seed, k.name, k.pixelSize, k.bold, k.italic);
        }
    };
    QString installedFamily(const QString& name) const;
    const Choice& choice(const QString& face) const;
    const Entry& entry(const QString& family, double pixelSize, bool bold, bool italic) const;
    const FaceEntry& faceEntry(const QString& face, double pixelSize, bool bold, bool italic) const;
    double advance(const QString& family, double pixelSize, bool bold, bool italic, const QString& text) const;

    QStringList installed_;
    QHash<QString, QString> aliases_;
    mutable QHash<QString, Choice> choices_;
    mutable QHash<EntryKey, std::shared_ptr<Entry>> entries_;          // by family
    mutable QHash<EntryKey, std::shared_ptr<FaceEntry>> faceEntries_;  // by face
    // Runs come in long stretches of one face: the last one asked for, without hashing.
    mutable EntryKey lastFaceKey_{QString(), 0, false, false};
    mutable const FaceEntry* lastFace_ = nullptr;
};

// 96 DPI as an image records it, in dots per metre: 96 / 0.0254 is 3779.5.
constexpr int dotsPerMetreAt96Dpi = 3780;

// Points at 96 DPI to pixels: 12.75 pt is 17 px.
inline double pointsToPixels(double points) { return points * 96.0 / 72.0; }
