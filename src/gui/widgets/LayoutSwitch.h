#pragma once

// The main window's two layouts, as a window that switches them sees them (the options dialog),
// without depending on the main window itself.
class LayoutSwitch {
public:
    virtual ~LayoutSwitch() = default;
    // True while the compact layout is shown, false for the normal one.
    virtual bool isCompactLayout() const = 0;
    virtual void setCompactLayout(bool compact) = 0;
};
