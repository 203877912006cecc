#pragma once
// The faces the pages name (Windows faces) mapped onto installed Linux families,
// with the vertical metrics that cell placement uses for each face.
#include <QFont>
#include <QFontMetricsF>
#include <QHash>
#include <QString>
#include <QStringList>
#include <memory>

struct FaceMetrics {
    double ascent = 0;   // baseline below the top of the cell, pixels
    double descent = 0;  // below the baseline, pixels
    double height() const { return ascent + descent; }
};

class FontTable {
public:
    // Uses the families Qt reports as installed.
    FontTable();
    // Uses the given list as the installed families (tests hand in their own).
    explicit FontTable(QStringList installed);

    const QStringList& installed() const { return installed_; }
    bool fontExists(const QString& name) const;

    // The installed family that stands for a face the program names.
    QString familyFor(const QString& face) const;

    // A font of the face at the given size in pixels, unhinted, resolved for a
    // device of the given logical DPI.
    QFont font(const QString& face, double pixelSize, bool bold, bool italic, int dpi = 96) const;

    // Advance of a text, pixels, at 96 DPI.
    double width(const QString& face, double pixelSize, bool bold, bool italic, const QString& text) const;
    FaceMetrics metrics(const QString& face, double pixelSize, bool bold, bool italic) const;

    // The table every surface measures with; tests may swap it.
    static FontTable& current();
    static void setCurrent(std::shared_ptr<FontTable> table);

private:
    struct Entry;
    struct EntryKey {
        QString face;
        double pixelSize;
        bool bold, italic;
        bool operator==(const EntryKey&) const = default;
        friend size_t qHash(const EntryKey& k, size_t seed = 0)
        {
            return qHashMulti(seed, k.face, k.pixelSize, k.bold, k.italic);
        }
    };
    QString installedFamily(const QString& name) const;
    const Entry& entry(const QString& face, double pixelSize, bool bold, bool italic) const;

    QStringList installed_;
    mutable QHash<QString, QString> familyCache_;
    mutable QHash<EntryKey, std::shared_ptr<Entry>> entries_;
};

// Points at 96 DPI to pixels: 12.75 pt is 17 px.
inline double pointsToPixels(double points) { return points * 96.0 / 72.0; }
