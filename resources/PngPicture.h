#pragma once

#include <QImage>
#include <QString>

// A PNG picture of the program's resources, read as PNG without asking the image plugins
// whether they know the file (which loads every one of them, and the libraries they need).
// A null image when it cannot be read.
QImage pngPicture(const QString &path);
