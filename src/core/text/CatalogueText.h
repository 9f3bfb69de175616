#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <optional>

// Catalogue files are single-byte Windows-1252 text on every platform, so a catalogue moves
// between Windows and Linux unchanged.
namespace catalogue {

QString decodeCatalogueText(const QByteArray &bytes);
// Appends the text of bytes to text.
void appendCatalogueText(QString &text, QByteArrayView bytes);

// The bytes of text, or nothing when a character has no Windows-1252 byte.
std::optional<QByteArray> encodeCatalogueText(const QString &text);

// True when every character of text can be stored in a catalogue file.
bool isCatalogueText(const QString &text);

// The characters of text that no catalogue file can hold, each once, in order of appearance.
QString charactersOutsideCatalogue(const QString &text);

} // namespace catalogue
