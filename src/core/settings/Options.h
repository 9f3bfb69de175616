#pragma once

// The user's five options for the whole run. Stored in the settings store's section "Options"
// under the program file's base name, each as "True" or "False". A new record holds false in
// all five.
class Options {
public:
    bool startCompact() const { return m_compactForm; }
    bool rememberCategory() const { return m_rluc; }
    bool rememberUnits() const { return m_rluu; }
    bool rememberValue() const { return m_rluv; }
    bool autoConvert() const { return m_autoCon; }
    void setRememberCategory(bool LC) { m_rluc = LC; }
    void setStartCompact(bool CF) { m_compactForm = CF; }
    void setRememberUnits(bool LU) { m_rluu = LU; }
    void setRememberValue(bool LV) { m_rluv = LV; }
    void setAutoConvert(bool AC) { m_autoCon = AC; }

    // Writes the five keys in their order, in one change of the store; a store failure
    // (app::Failure) reaches the caller.
    void save() const;
    // Reads the five keys in their order (absent keys read "0"). A text that is no boolean
    // fails (app::Failure 13); the fields read before it keep their new values.
    void load();

private:
    bool m_rluc = false;
    bool m_rluu = false;
    bool m_rluv = false;
    bool m_autoCon = false;
    bool m_compactForm = false;
};
