#include "pictures.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPixmap>
#ifndef PONDRA_PNG_PICTURES
#include <QSvgRenderer>
#endif

#include <array>

// The pictures are compiled into a static library: nothing references them, so the linker
// would drop them unless someone asks for them by name.
static void initPictures()
{
    Q_INIT_RESOURCE(icons);
}

namespace pondra {

namespace {

// By toolbar button number; separators have none.
constexpr std::array<const char*, 22> toolbarIcons{
    "",       "open",      "save",        "saveas",         "delete",           "",
    "print",  "",          "window-data", "window-results", "window-titlepage", "",
    "colour", "",          "help",        "tips",           "support",          "about",
    "",       "check-abc", "clear",       "exit",
};

QString iconPath(const char* name)
{
    static const bool initialised = (initPictures(), true);
    Q_UNUSED(initialised);
    return QStringLiteral(":/pondra/icons/%1.svg").arg(QLatin1String(name));
}

} // namespace

QString toolbarIconPath(int button)
{
    if (button < 1 || button >= int(toolbarIcons.size()) || !*toolbarIcons[std::size_t(button)]) {
        return {};
    }
    return iconPath(toolbarIcons[std::size_t(button)]);
}

QIcon svgIcon(const QString& path)
{
    // Toolbar, menu and task-bar sizes, and their doubles for high-density screens.
    static constexpr int PictureSizes[] = {16, 20, 22, 24, 32, 40, 48, 64, 128, 256};
    QIcon icon;
#ifdef PONDRA_PNG_PICTURES
    // Drawn at build time, each size beside the drawing's name.
    if (!path.endsWith(QLatin1StringView(".svg"))) {
        return icon;
    }
    const QString base = path.chopped(int(qstrlen(".svg")));
    for (const int size : PictureSizes) {
        const QPixmap pixmap(QStringLiteral("%1-%2.png").arg(base).arg(size));
        if (!pixmap.isNull()) {
            icon.addPixmap(pixmap);
        }
    }
#else
    QSvgRenderer renderer(path);
    if (!renderer.isValid()) {
        return icon;
    }
    for (const int size : PictureSizes) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        renderer.render(&painter);
        painter.end();
        icon.addPixmap(pixmap);
    }
#endif
    return icon;
}

void identifyOnDesktop()
{
    QGuiApplication::setWindowIcon(svgIcon(iconPath("pondra")));
    QGuiApplication::setDesktopFileName(QStringLiteral("pondra"));
}

} // namespace pondra
