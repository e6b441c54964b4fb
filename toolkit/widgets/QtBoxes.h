#pragma once

#include "Boxes.h"

namespace toolkit {

// The boxes on screen, as Qt message boxes parented to the active window.
class QtBoxes : public Boxes {
public:
    Button confirm(const QString& text, const QString& caption, Button defaultButton) override;
    void information(const QString& text, const QString& details) override;
    void warning(const QString& text, const QString& details) override;
    void message(const QString& text) override;
    void error(const QString& text) override;
};

} // namespace toolkit
