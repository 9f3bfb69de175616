#pragma once

namespace conversion {

// What a temperature conversion gives back: a value, the refusal of a temperature below
// absolute zero, or nothing after a failure that has already been reported.
class TemperatureResult {
public:
    enum class Outcome { Value, BelowZero, Empty };

    static TemperatureResult ofValue(double value) { return TemperatureResult(Outcome::Value, value); }
    static TemperatureResult belowZero() { return TemperatureResult(Outcome::BelowZero, 0.0); }
    static TemperatureResult empty() { return TemperatureResult(Outcome::Empty, 0.0); }

    Outcome outcome() const { return m_outcome; }
    bool hasValue() const { return m_outcome == Outcome::Value; }
    // The converted value; 0 unless hasValue().
    double value() const { return m_value; }

private:
    TemperatureResult(Outcome outcome, double value)
        : m_outcome(outcome)
        , m_value(value)
    {
    }

    Outcome m_outcome;
    double m_value;
};

} // namespace conversion
