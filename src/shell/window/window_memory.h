#pragma once
// What the window remembers between runs: its zoom, where it stood, the folder pages were
// last saved in, study mode, each problem's progress and the problem last studied, the page's colours, in the
// settings it is given (none: it remembers nothing, as in the tests). A value out of range
// is not used.
#include <QList>
#include <QPointF>
#include <QRect>
#include <QString>
#include <optional>

class QSettings;

// The page's colours as the reader chose them; System follows the desktop's setting.
enum class ThemeChoice { Light, Dark, Sepia, System };

// How far a learner got with a problem, in the order it is reached.
enum class Progress { NotOpened, Opened, AllRevealed, Understood };

class WindowMemory {
public:
    explicit WindowMemory(QSettings* settings);

    // 1 when no sound zoom (50 % to 400 %) is remembered.
    double zoom() const;
    // Nothing when no sound place is remembered.
    std::optional<QRect> geometry() const;
    void rememberZoom(double zoom);
    void rememberGeometry(const QRect& geometry);
    // The home folder when no folder that is there now is remembered.
    QString saveFolder() const;
    void rememberSaveFolder(const QString& folder);

    bool studying() const;
    void rememberStudying(bool studying);
    Progress progress(const QString& id) const;
    void rememberProgress(const QString& id, Progress progress);
    // The problem last shown in study mode, and how far it was scrolled (0 to 1 of the
    // scroll bars' ranges, across and down).
    std::optional<QString> lastProblem() const;
    QPointF lastScroll() const;
    void rememberLastProblem(const QString& id, QPointF scroll);

    // Light when no known choice is remembered; an unknown one is kept until the next choice.
    ThemeChoice theme() const;
    void rememberTheme(ThemeChoice theme);

private:
    void store(const QString& key, const QVariant& value);

    QSettings* settings_;
};

// Where the window opens (its client area), given the available areas of the screens,
// the primary one first: where it stood last, if that is on one of the screens now,
// otherwise the designed size in the middle of the primary screen. Either way it lies
// within one screen's available area, and is made smaller where that area is.
QRect openingGeometry(const std::optional<QRect>& remembered, const QList<QRect>& availableAreas, QSize designedSize);
