#pragma once

#include <QtGlobal>

// The last conversion: category, from-unit and to-unit list positions (-1 for none) and the
// last value. Stored in the settings store's section "History". A new record holds 0 in all
// four fields.
class ConversionHistory {
public:
    qint16 lastCategory() const { return m_lastConverter; }
    void setLastCategory(qint16 LC) { m_lastConverter = LC; }
    qint16 lastFromUnit() const { return m_lastFromUnit; }
    void setLastFromUnit(qint16 LFU) { m_lastFromUnit = LFU; }
    qint16 lastToUnit() const { return m_lastToUnit; }
    void setLastToUnit(qint16 LTU) { m_lastToUnit = LTU; }
    double lastValue() const { return m_lastConValue; }
    void setLastValue(double LCV) { m_lastConValue = LCV; }

    // Writes the four keys in one change of the store; a store failure (app::Failure) reaches
    // the caller.
    void save() const;
    // Absent keys read "-1", "-1", "-1" and "1". A text that is no number fails with
    // app::Failure 13, an integer outside -32768..32767 with 6; earlier fields keep new values.
    void load();
    // Sets -1, -1, -1, 0 and deletes the keys that are present in the store, in one change.
    void forget();

private:
    qint16 m_lastConverter = 0;
    qint16 m_lastFromUnit = 0;
    qint16 m_lastToUnit = 0;
    double m_lastConValue = 0.0;
};
