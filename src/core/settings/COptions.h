#pragma once

// The user's five options for the whole run. Stored in the settings store's section "Options"
// under the program file's base name, each as "True" or "False". A new record holds false in
// all five.
class COptions {
public:
    bool CompactForm() const { return m_compactForm; }
    bool RLUC() const { return m_rluc; }
    bool RLUU() const { return m_rluu; }
    bool RLUV() const { return m_rluv; }
    bool AutoCon() const { return m_autoCon; }
    void setRLUC(bool LC) { m_rluc = LC; }
    void setCompactForm(bool CF) { m_compactForm = CF; }
    void setRLUU(bool LU) { m_rluu = LU; }
    void setRLUV(bool LV) { m_rluv = LV; }
    void setAutoCon(bool AC) { m_autoCon = AC; }

    // Writes the five keys in their order; a store failure (app::Failure) reaches the caller.
    void SaveToReg() const;
    // Reads the five keys in their order (absent keys read "0"). A text that is no boolean
    // fails (app::Failure 13); the fields read before it keep their new values.
    void GetFromReg();

private:
    bool m_rluc = false;
    bool m_rluu = false;
    bool m_rluv = false;
    bool m_autoCon = false;
    bool m_compactForm = false;
};
