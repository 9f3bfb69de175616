#include "resources/PngPicture.h"

#include <QImageReader>

QImage pngPicture(const QString &path)
{
    QImageReader reader(path, QByteArrayLiteral("png"));
    reader.setAutoDetectImageFormat(false);
    return reader.read();
}
