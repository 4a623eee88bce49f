#include "wallpaper.h"

#include <QCoreApplication>
#include <QProcess>
#include <QProcessEnvironment>
#include <QUrl>

namespace {

constexpr int kStartTimeoutMs = 5000;
constexpr int kFinishTimeoutMs = 15000;

const QString kXfconf = QStringLiteral("xfconf-query");
const QString kXfceChannel = QStringLiteral("xfce4-desktop");

DesktopKind desktopOfName(const QString& name)
{
    const QString n = name.trimmed().toLower();
    if (n.isEmpty())
        return DesktopKind::Unknown;
    if (n.contains(QLatin1String("cinnamon")))
        return DesktopKind::Cinnamon;
    if (n == QLatin1String("mate"))
        return DesktopKind::Mate;
    if (n == QLatin1String("kde") || n.contains(QLatin1String("plasma")))
        return DesktopKind::Kde;
    if (n.contains(QLatin1String("xfce")) || n == QLatin1String("xubuntu"))
        return DesktopKind::Xfce;
    for (const char* gnome : {"gnome", "ubuntu", "unity", "budgie", "pop", "pantheon"})
        if (n.contains(QLatin1String(gnome)))
            return DesktopKind::Gnome;
    return DesktopKind::Unknown;
}

// A string as a GVariant text literal, which is what gsettings reads.
QString variantString(const QString& s)
{
    QString quoted = s;
    quoted.replace(QLatin1Char('\\'), QLatin1String("\\\\")).replace(QLatin1Char('\''), QLatin1String("\\'"));
    return QLatin1Char('\'') + quoted + QLatin1Char('\'');
}

// The file URI of a path, with no quote left to break a script's string.
QString fileUri(const QString& path)
{
    QString uri = QString::fromUtf8(QUrl::fromLocalFile(path).toEncoded());
    return uri.replace(QLatin1Char('\''), QLatin1String("%27"));
}

WallpaperCommand gsettings(const QString& schema, const QString& key, const QString& value, bool optional = false)
{
    return {QStringLiteral("gsettings"), {QStringLiteral("set"), schema, key, value}, optional};
}

// Runs one command; an empty string when it succeeded, else why not.
QString run(const WallpaperCommand& command, QString* output = nullptr)
{
    QProcess process;
    process.start(command.program, command.arguments);
    if (!process.waitForStarted(kStartTimeoutMs))
        return QCoreApplication::translate("Wallpaper", "%1 を起動できません").arg(command.program);
    if (!process.waitForFinished(kFinishTimeoutMs)) {
        process.kill();
        process.waitForFinished(kStartTimeoutMs);
        return QCoreApplication::translate("Wallpaper", "%1 が応答しません").arg(command.program);
    }
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        const QString detail = QString::fromLocal8Bit(process.readAllStandardError()).trimmed();
        return QCoreApplication::translate("Wallpaper", "%1 が失敗しました（終了コード %2）%3")
            .arg(command.program)
            .arg(process.exitCode())
            .arg(detail.isEmpty() ? QString() : QCoreApplication::translate("Wallpaper", "：%1").arg(detail));
    }
    if (output != nullptr)
        *output = QString::fromLocal8Bit(process.readAllStandardOutput());
    return {};
}

QString runPlan(const WallpaperPlan& plan)
{
    for (const WallpaperCommand& command : plan) {
        const QString failure = run(command);
        if (!failure.isEmpty() && !command.optional)
            return failure;
    }
    return {};
}

}  // namespace

DesktopKind DetectDesktop(const QString& currentDesktop, const QString& session)
{
    for (const QString& name : currentDesktop.split(QLatin1Char(':'), Qt::SkipEmptyParts))
        if (const DesktopKind kind = desktopOfName(name); kind != DesktopKind::Unknown)
            return kind;
    return desktopOfName(session);
}

QList<WallpaperPlan> WallpaperPlans(DesktopKind desktop, const QString& path)
{
    const QString uri = variantString(fileUri(path));
    const QString scaled = variantString(QStringLiteral("scaled"));
    switch (desktop) {
    case DesktopKind::Gnome: {
        const QString schema = QStringLiteral("org.gnome.desktop.background");
        return {{gsettings(schema, QStringLiteral("picture-uri"), uri),
                 gsettings(schema, QStringLiteral("picture-uri-dark"), uri, true),
                 gsettings(schema, QStringLiteral("picture-options"), scaled)}};
    }
    case DesktopKind::Cinnamon: {
        const QString schema = QStringLiteral("org.cinnamon.desktop.background");
        return {{gsettings(schema, QStringLiteral("picture-uri"), uri),
                 gsettings(schema, QStringLiteral("picture-options"), scaled)}};
    }
    case DesktopKind::Mate: {
        const QString schema = QStringLiteral("org.mate.background");
        return {{gsettings(schema, QStringLiteral("picture-filename"), variantString(path)),
                 gsettings(schema, QStringLiteral("picture-options"), scaled)}};
    }
    case DesktopKind::Kde: {
        const QString script =
            QStringLiteral("var all = desktops(); for (var i = 0; i < all.length; ++i) { var d = all[i]; "
                           "d.wallpaperPlugin = 'org.kde.image'; "
                           "d.currentConfigGroup = ['Wallpaper', 'org.kde.image', 'General']; "
                           "d.writeConfig('Image', '%1'); }")
                .arg(fileUri(path));
        const QStringList evaluate{QStringLiteral("org.kde.plasmashell"), QStringLiteral("/PlasmaShell"),
                                   QStringLiteral("org.kde.PlasmaShell.evaluateScript"), script};
        return {{{QStringLiteral("plasma-apply-wallpaperimage"), {path}}},
                {{QStringLiteral("qdbus"), evaluate}},
                {{QStringLiteral("qdbus6"), evaluate}}};
    }
    case DesktopKind::Xfce:
        return {{{kXfconf, {QStringLiteral("-c"), kXfceChannel, QStringLiteral("-l")}}}};
    case DesktopKind::Unknown:
        break;
    }
    return {};
}

WallpaperPlan XfceWallpaperCommands(const QString& propertyListing, const QString& path)
{
    WallpaperPlan plan;
    for (const QString& line : propertyListing.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        const QString property = line.trimmed();
        if (property.endsWith(QLatin1String("/last-image")))
            plan.append({kXfconf, {QStringLiteral("-c"), kXfceChannel, QStringLiteral("-p"), property,
                                   QStringLiteral("-s"), path}});
    }
    // A desktop that never had a picture lists none: make the first screen's.
    if (plan.isEmpty())
        plan.append({kXfconf, {QStringLiteral("-c"), kXfceChannel, QStringLiteral("-p"),
                               QStringLiteral("/backdrop/screen0/monitor0/workspace0/last-image"),
                               QStringLiteral("-n"), QStringLiteral("-t"), QStringLiteral("string"),
                               QStringLiteral("-s"), path}});
    return plan;
}

QString SetDesktopWallpaper(const QString& path)
{
    const QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    const DesktopKind desktop =
        DetectDesktop(env.value(QStringLiteral("XDG_CURRENT_DESKTOP")), env.value(QStringLiteral("DESKTOP_SESSION")));
    const QList<WallpaperPlan> plans = WallpaperPlans(desktop, path);
    if (plans.isEmpty())
        return QCoreApplication::translate("Wallpaper", "このデスクトップでは壁紙の設定方法がわかりません");
    if (desktop == DesktopKind::Xfce) {
        QString listing;
        const QString failure = run(plans.constFirst().constFirst(), &listing);
        return failure.isEmpty() ? runPlan(XfceWallpaperCommands(listing, path)) : failure;
    }
    // When every way fails, the first one's reason says most.
    QString firstFailure;
    for (const WallpaperPlan& plan : plans) {
        const QString failure = runPlan(plan);
        if (failure.isEmpty())
            return {};
        if (firstFailure.isEmpty())
            firstFailure = failure;
    }
    return firstFailure;
}
