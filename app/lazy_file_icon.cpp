#include "app/lazy_file_icon.h"

#include <QPainter>

LazyFileIconEngine::LazyFileIconEngine(QList<SizedFile> files) : files_(std::move(files)) {}

QIcon& LazyFileIconEngine::icon()
{
    if (loaded_.isNull())
        for (const auto& [size, file] : files_)
            loaded_.addFile(file);
    return loaded_;
}

// Everything below hands the request to the built icon at a pixel ratio of 1: the icon that
// holds this engine has already applied the ratio of the screen.
void LazyFileIconEngine::paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
                               QIcon::State state)
{
    const qreal ratio = painter->device()->devicePixelRatio();
    painter->drawPixmap(rect, pixmap(rect.size() * ratio, mode, state));
}

QSize LazyFileIconEngine::actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state)
{
    return pixmap(size, mode, state).size();
}

QPixmap LazyFileIconEngine::pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state)
{
    return icon().pixmap(size, 1.0, mode, state);
}

QList<QSize> LazyFileIconEngine::availableSizes(QIcon::Mode mode, QIcon::State state)
{
    if (loaded() || mode != QIcon::Normal || state != QIcon::Off)
        return icon().availableSizes(mode, state);
    QList<QSize> sizes;
    for (const auto& [size, file] : files_)
        sizes.append(size);
    return sizes;
}

bool LazyFileIconEngine::isNull()
{
    return files_.isEmpty();
}

QIconEngine* LazyFileIconEngine::clone() const
{
    return new LazyFileIconEngine(files_);
}
