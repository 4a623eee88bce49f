#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// Setting a picture as the desktop wallpaper through the desktop's own
// tools, chosen at run time from the session's desktop name.

enum class DesktopKind { Unknown, Gnome, Cinnamon, Mate, Kde, Xfce };

// The desktop named by XDG_CURRENT_DESKTOP (a colon-separated list, the
// first known name wins) or, when that names none, by DESKTOP_SESSION.
DesktopKind DetectDesktop(const QString& currentDesktop, const QString& session);

// One program run with its arguments; an optional one may fail (a key that
// older versions of the desktop lack) without failing the whole.
struct WallpaperCommand {
    QString program;
    QStringList arguments;
    bool optional = false;
    bool operator==(const WallpaperCommand&) const = default;
};
using WallpaperPlan = QList<WallpaperCommand>;

// The ways to set `path` on a desktop, tried in order until one succeeds.
// None for an unknown desktop; for Xfce, the command that lists the
// desktop's properties, whose output XfceWallpaperCommands() turns into the
// setting commands.
QList<WallpaperPlan> WallpaperPlans(DesktopKind desktop, const QString& path);
WallpaperPlan XfceWallpaperCommands(const QString& propertyListing, const QString& path);

// Sets `path` as the wallpaper of the running desktop. Returns an empty
// string on success, otherwise why it could not be set, for the user.
QString SetDesktopWallpaper(const QString& path);
