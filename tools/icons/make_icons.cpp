#include "app_icons.h"

#include <QDir>
#include <QImage>
#include <QString>

#include <cstdio>
#include <cstdlib>

// make-icons DIR SIDE...: draws the kit's icons into the icon theme folder
// DIR/hicolor, one PNG per icon and side, as
// hicolor/<side>x<side>/{apps,mimetypes}/<name>.png.
int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fputs("usage: make-icons DIR SIDE...\n", stderr);
        return 2;
    }
    const QDir theme(QDir(QString::fromLocal8Bit(argv[1])).filePath(QStringLiteral("hicolor")));
    for (int arg = 2; arg < argc; ++arg) {
        char* end = nullptr;
        const long side = std::strtol(argv[arg], &end, 10);
        if (*end != '\0' || side < 1 || side > 1024) {
            std::fprintf(stderr, "make-icons: not an icon size: %s\n", argv[arg]);
            return 2;
        }
        for (const AppIcon icon : {AppIcon::Vorpel, AppIcon::Kestra, AppIcon::PuzzleFile, AppIcon::PlayFile}) {
            const QString folder = theme.filePath(QStringLiteral("%1x%1/%2").arg(side).arg(
                isProgramIcon(icon) ? QStringLiteral("apps") : QStringLiteral("mimetypes")));
            const QString path = QDir(folder).filePath(appIconName(icon) + QStringLiteral(".png"));
            if (!QDir().mkpath(folder) || !appIconImage(icon, static_cast<int>(side)).save(path, "PNG")) {
                std::fprintf(stderr, "make-icons: cannot write %s\n", qPrintable(path));
                return 1;
            }
        }
    }
    return 0;
}
