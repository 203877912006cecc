#include "shell/window/window_memory.h"

#include "shell/window/settings_file.h"
#include "shell/window/zoom_controller.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStringList>
#include <algorithm>

using namespace Qt::StringLiterals;

namespace {
const QString zoomKey = u"window/zoom"_s;
const QString geometryKey = u"window/geometry"_s;
const QString studyingKey = u"study/on"_s;
const QString lastProblemKey = u"study/last"_s;
const QString lastScrollKey = u"study/scroll"_s;
QString progressKey(const QString& id) { return u"progress/"_s + id; }
const QString saveFolderKey = u"files/saveFolder"_s;
const QString themeKey = u"view/theme"_s;
// As the settings file spells each choice, in the order of ThemeChoice.
const QStringList themeNames = {u"light"_s, u"dark"_s, u"sepia"_s, u"system"_s};

// X11 places windows with 16-bit signed coordinates and sizes: nothing beyond that is a
// place a window stood.
constexpr int farthest = 32767;

std::optional<double> soundZoom(const QVariant& value)
{
    bool number = false;
    const double zoom = value.toDouble(&number);
    if (!number || !(zoom >= ZoomController::smallest && zoom <= ZoomController::largest)) return std::nullopt;
    return zoom;
}

std::optional<QRect> soundGeometry(const QVariant& value)
{
    const QRect geometry = value.toRect();
    const auto within = [](int v) { return v >= -farthest && v <= farthest; };
    if (geometry.isEmpty() || !within(geometry.left()) || !within(geometry.top()) || geometry.width() > farthest ||
        geometry.height() > farthest)
        return std::nullopt;
    return geometry;
}

std::optional<bool> soundFlag(const QVariant& value)
{
    const QString text = value.toString();
    if (text == u"true"_s) return true;
    if (text == u"false"_s) return false;
    return std::nullopt;
}

std::optional<Progress> soundProgress(const QVariant& value)
{
    bool number = false;
    const int state = value.toString().toInt(&number);
    if (!number || state < int(Progress::NotOpened) || state > int(Progress::Understood)) return std::nullopt;
    return Progress(state);
}

std::optional<QPointF> soundScroll(const QVariant& value)
{
    const QPointF scroll = value.toPointF();
    const auto fraction = [](double v) { return v >= 0 && v <= 1; };
    if (!value.canConvert<QPointF>() || !fraction(scroll.x()) || !fraction(scroll.y())) return std::nullopt;
    return scroll;
}

qint64 overlap(const QRect& a, const QRect& b)
{
    const QRect common = a.intersected(b);
    return common.isEmpty() ? 0 : qint64(common.width()) * common.height();
}

// The rectangle made to fit `area`, moved as little as it takes.
QRect within(QRect rect, const QRect& area)
{
    rect.setSize(rect.size().boundedTo(area.size()));
    rect.moveLeft(std::clamp(rect.left(), area.left(), area.right() + 1 - rect.width()));
    rect.moveTop(std::clamp(rect.top(), area.top(), area.bottom() + 1 - rect.height()));
    return rect;
}
}  // namespace

WindowMemory::WindowMemory(QSettings* settings) : settings_(settings)
{
    // An unsound value is not used, and the next save writes a sound one over it.
    if (!settings_) return;
    if (settings_->contains(zoomKey) && !soundZoom(settings_->value(zoomKey))) settings_->setValue(zoomKey, 1.0);
    if (settings_->contains(geometryKey) && !soundGeometry(settings_->value(geometryKey)))
        settings_->remove(geometryKey);
}

double WindowMemory::zoom() const
{
    if (!settings_) return 1;
    return soundZoom(settings_->value(zoomKey)).value_or(1);
}

std::optional<QRect> WindowMemory::geometry() const
{
    if (!settings_) return std::nullopt;
    return soundGeometry(settings_->value(geometryKey));
}

void WindowMemory::rememberZoom(double zoom) { store(zoomKey, zoom); }

void WindowMemory::rememberGeometry(const QRect& geometry) { store(geometryKey, geometry); }

bool WindowMemory::studying() const { return settings_ && soundFlag(settings_->value(studyingKey)).value_or(false); }

void WindowMemory::rememberStudying(bool studying) { store(studyingKey, studying); }

Progress WindowMemory::progress(const QString& id) const
{
    if (!settings_) return Progress::NotOpened;
    return soundProgress(settings_->value(progressKey(id))).value_or(Progress::NotOpened);
}

void WindowMemory::rememberProgress(const QString& id, Progress progress) { store(progressKey(id), int(progress)); }

std::optional<QString> WindowMemory::lastProblem() const
{
    if (!settings_ || !settings_->contains(lastProblemKey)) return std::nullopt;
    return settings_->value(lastProblemKey).toString();
}

QPointF WindowMemory::lastScroll() const
{
    if (!settings_) return {};
    return soundScroll(settings_->value(lastScrollKey)).value_or(QPointF());
}

void WindowMemory::rememberLastProblem(const QString& id, QPointF scroll)
{
    if (!settings_) return;
    settings_->setValue(lastProblemKey, id);
    store(lastScrollKey, scroll);
}

ThemeChoice WindowMemory::theme() const
{
    const qsizetype known = settings_ ? themeNames.indexOf(settings_->value(themeKey).toString()) : -1;
    return known < 0 ? ThemeChoice::Light : ThemeChoice(known);
}

void WindowMemory::rememberTheme(ThemeChoice theme) { store(themeKey, themeNames.at(int(theme))); }

void WindowMemory::store(const QString& key, const QVariant& value)
{
    if (!settings_) return;
    settings_->setValue(key, value);
    SettingsFile::save(*settings_);
}

QString WindowMemory::saveFolder() const
{
    // A folder since removed, or on a disk not mounted now, is not offered; it is kept until
    // the next save, so that the disk's folder is offered again once it is back.
    const QString folder = settings_ ? settings_->value(saveFolderKey).toString() : QString();
    const QFileInfo there(folder);
    return there.isAbsolute() && there.isDir() ? folder : QDir::homePath();
}

void WindowMemory::rememberSaveFolder(const QString& folder) { store(saveFolderKey, folder); }

QRect openingGeometry(const std::optional<QRect>& remembered, const QList<QRect>& availableAreas, QSize designedSize)
{
    if (availableAreas.isEmpty()) return remembered.value_or(QRect(QPoint(), designedSize));
    if (remembered) {
        const auto most = std::max_element(availableAreas.begin(), availableAreas.end(), [&](const QRect& a, const QRect& b) {
            return overlap(*remembered, a) < overlap(*remembered, b);
        });
        if (overlap(*remembered, *most) > 0) return within(*remembered, *most);
    }
    const QRect primary = availableAreas.first();
    QRect centred(QPoint(), designedSize.boundedTo(primary.size()));
    centred.moveTopLeft(primary.center() - centred.center());
    return centred;
}
