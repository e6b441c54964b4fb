#pragma once

#include "Boxes.h"

#include <deque>

namespace toolkit {

// Boxes for tests: every box shown is recorded, confirmations take the next scripted answer
// (No when none is left).
class ScriptedBoxes : public Boxes {
public:
    enum class Kind { Confirm, Information, Warning, Message, Error };
    struct Shown {
        Kind kind;
        QString text;
        QString caption = {};
        Button defaultButton = Button::Ok;
        QString details = {};
    };

    void answer(Button button) { answers_.push_back(button); }
    const std::vector<Shown>& shown() const { return shown_; }
    // The texts of the boxes of one kind, in the order shown.
    std::vector<QString> texts(Kind kind) const;
    void clear() { shown_.clear(); }

    Button confirm(const QString& text, const QString& caption, Button defaultButton) override;
    void information(const QString& text, const QString& details) override
    {
        shown_.push_back({Kind::Information, text, {}, Button::Ok, details});
    }
    void warning(const QString& text, const QString& details) override
    {
        shown_.push_back({Kind::Warning, text, {}, Button::Ok, details});
    }
    void message(const QString& text) override { shown_.push_back({Kind::Message, text}); }
    void error(const QString& text) override { shown_.push_back({Kind::Error, text}); }

private:
    std::deque<Button> answers_;
    std::vector<Shown> shown_;
};

} // namespace toolkit
