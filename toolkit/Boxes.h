#pragma once

#include <QString>
#include <memory>
#include <vector>

namespace toolkit {

enum class Button { Yes, No, Ok };

// The modal boxes the system shows. Windows and the data module reach them through boxes(), so
// that tests can answer them (ScriptedBoxes) without a display. Details, where given, are a
// longer account the operator can unfold under the text.
class Boxes {
public:
    virtual ~Boxes() = default;
    // Question-mark icon, the buttons Yes and No; returns the button pressed.
    virtual Button confirm(const QString& text, const QString& caption, Button defaultButton) = 0;
    // Information icon, one "OK" button.
    virtual void information(const QString& text, const QString& details = {}) = 0;
    // Warning icon, one "OK" button.
    virtual void warning(const QString& text, const QString& details = {}) = 0;
    // Plain message with one OK button: the data module's own messages.
    virtual void message(const QString& text) = 0;
    // The report of a failure that left an event handler.
    virtual void error(const QString& text) = 0;
};

// The process-wide boxes: the ones start-up installs (on screen). Until then, and after
// setBoxes(nullptr), texts go to standard error and a confirmation takes its default button.
Boxes& boxes();
void setBoxes(std::shared_ptr<Boxes> replacement);

// Thrown to end the current handler silently (a declined confirmation): no box is shown.
class SilentStop {};

} // namespace toolkit
