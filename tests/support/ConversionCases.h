#pragma once

#include <QString>
#include <QTest>

// Conversions of the factory catalogue and the result line the window shows for each. The main
// window's test and the command line's test both run them: the command prints what the window
// shows.
struct ConversionCase {
    const char *name;
    const char *locale; // the user's locale, as QLocale names it
    const char *category;
    const char *value; // as typed
    const char *from;  // the units' names in the catalogue
    const char *to;
    int places;
    const char *line; // the result line
};

inline const ConversionCase kConversionCases[] = {
    {"feet to meters", "en_US", "Length", "10", "Foot (ft)", "Meter (m)", 5, "10 Foot (ft) = 3.048 Meter (m)"},
    {"one place keeps the point", "en_US", "Length", "10", "Foot (ft)", "Meter (m)", 1, "10 Foot (ft) = 3. Meter (m)"},
    {"a negative length is made positive", "en_US", "Length", "-10", "Foot (ft)", "Meter (m)", 5,
     "10 Foot (ft) = 3.048 Meter (m)"},
    {"result grouped in threes", "en_US", "Length", "1234567", "Meter (m)", "Meter (m)", 5,
     "1234567 Meter (m) = 1,234,567. Meter (m)"},
    {"group separator typed", "en_US", "Length", "1,000", "Foot (ft)", "Meter (m)", 5,
     "1000 Foot (ft) = 304.8 Meter (m)"},
    {"a tie rounds to even", "en_US", "Length", "0.25", "Meter (m)", "Meter (m)", 1, "0.25 Meter (m) = 0.2 Meter (m)"},
    {"miles to kilometers", "en_US", "Length", "1", "Mile (mi)", "Kilometer (km)", 5,
     "1 Mile (mi) = 1.60934 Kilometer (km)"},
    {"temperature keeps its sign", "en_US", "Temperature", "-40", "Degrees Celsius (\u00BAC)",
     "Degrees Fahrenheit (\u00BAF)", 5, "-40 Degrees Celsius (\u00BAC) = -40. Degrees Fahrenheit (\u00BAF)"},
    {"absolute zero", "en_US", "Temperature", "-273.15", "Degrees Celsius (\u00BAC)", "Degrees Fahrenheit (\u00BAF)", 2,
     "-273.15 Degrees Celsius (\u00BAC) = -459.67 Degrees Fahrenheit (\u00BAF)"},
    {"comma locale", "de_DE", "Length", "1.000,5", "Kilometer (km)", "Meter (m)", 5,
     "1000,5 Kilometer (km) = 1.000.500, Meter (m)"},
    {"comma locale, temperature", "de_DE", "Temperature", "-40,5", "Degrees Celsius (\u00BAC)",
     "Degrees Fahrenheit (\u00BAF)", 2, "-40,5 Degrees Celsius (\u00BAC) = -40,9 Degrees Fahrenheit (\u00BAF)"},
};

// The columns locale, category, value, from, to, places and line, and a row for each case.
inline void addConversionRows()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("category");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("to");
    QTest::addColumn<int>("places");
    QTest::addColumn<QString>("line");
    for (const ConversionCase &row : kConversionCases)
        QTest::newRow(row.name) << QString::fromUtf8(row.locale) << QString::fromUtf8(row.category)
                                << QString::fromUtf8(row.value) << QString::fromUtf8(row.from)
                                << QString::fromUtf8(row.to) << row.places << QString::fromUtf8(row.line);
}

// One row of addConversionRows(), fetched from the current test data.
struct ConversionRow {
    QString locale;
    QString category;
    QString value;
    QString from;
    QString to;
    int places = 0;
    QString line;
};

inline ConversionRow fetchConversionRow()
{
    QFETCH(QString, locale);
    QFETCH(QString, category);
    QFETCH(QString, value);
    QFETCH(QString, from);
    QFETCH(QString, to);
    QFETCH(int, places);
    QFETCH(QString, line);
    return {locale, category, value, from, to, places, line};
}
