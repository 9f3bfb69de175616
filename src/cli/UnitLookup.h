#pragma once

#include "core/catalogue/CatalogueFile.h"

#include <QString>

#include <variant>
#include <vector>

// How the units typed on the command line are found in the catalogue.
namespace cli {

// The units of one category, in the order of its file.
struct CategoryUnits {
    QString name;
    std::vector<catalogue::UnitEntry> units;
};

// Two units of one category.
struct UnitPair {
    QString category;
    catalogue::UnitEntry from;
    catalogue::UnitEntry to;
};

// The category and the two units that from and to name, or the message that says why there are
// none: no unit of that name, no category that holds both, several categories that would do, or
// a name that could mean several units; it lists the candidates.
//
// A typed text names units by the first of these rules that finds any in the categories: the
// whole name ("Foot (ft)"), the name without the symbol in parentheses at its end ("Foot"), that
// symbol ("ft"), the start of the name ("Fo"). Each ignores letter case and degree signs (º and
// °, which may be left out or typed either way: "C" names "(ºC)"); where units differ in letter
// case alone, the one typed so is taken ("MW" is the megawatt, "mW" the milliwatt). The pair is
// found in the one category where both texts name units and each names one.
std::variant<UnitPair, QString> lookUpUnits(const std::vector<CategoryUnits> &categories, const QString &from,
                                            const QString &to);

} // namespace cli
