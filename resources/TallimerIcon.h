#pragma once

#include <QIcon>

// The program's icon in all its sizes (16 to 256 px), for window icons and pictures.
// Registers the resources first when needed.
QIcon tallimerIcon();
