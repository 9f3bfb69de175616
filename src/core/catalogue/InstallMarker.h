#pragma once

#include <QString>

#include <optional>

// An installed program is told apart from a build folder or a portable folder by a small file
// beside the program, which `cmake --install` and the packages write and nothing else does. An
// installed program never edits its own folder: every user, root included, works on a per-user
// copy of the catalogue (CatalogueLocation.h).
namespace catalogue {

// The marker's file name (packaging/CMakeLists.txt writes it under the same name).
inline constexpr const char *kInstallMarkerName = "install-marker";

// The marker is UTF-8 text. Its line "factory=PATH" names the folder of the factory catalogue
// relative to the program's folder ("../../share/tallimer"), so that an install can be moved as a
// whole; other lines are ignored (comments).
//
// Nothing when applicationFolder carries no marker. Otherwise the factory folder, "/"
// separators: the one the marker names, or the application folder's bin/default/ (where a
// portable folder keeps it) when the marker names none that can be used (an absolute path, a
// marker that is a link, a folder, too long or unreadable). Either way the folder is installed.
std::optional<QString> installedFactoryFolder(const QString &applicationFolder);

} // namespace catalogue
