#pragma once

#include <QIcon>
#include <QIconEngine>
#include <QList>
#include <QSize>
#include <QString>
#include <utility>

// An icon made of one picture file per size, whose files are decoded only when a picture is
// first asked for. Qt's own icon decodes every file as it is added, although a window system
// asks for the pictures only when it shows the icon, and some never do. Until then the sizes are
// known from the file list.
class LazyFileIconEngine : public QIconEngine
{
public:
    using SizedFile = std::pair<QSize, QString>;
    explicit LazyFileIconEngine(QList<SizedFile> files);

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override;
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override;
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override;
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override;
    bool isNull() override;
    QIconEngine* clone() const override;

    bool loaded() const { return !loaded_.isNull(); }

private:
    // The icon as Qt builds it from the same files, made on first use.
    QIcon& icon();

    QList<SizedFile> files_;
    QIcon loaded_;
};
