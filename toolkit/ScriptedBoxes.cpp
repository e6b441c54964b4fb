#include "ScriptedBoxes.h"

namespace toolkit {

std::vector<QString> ScriptedBoxes::texts(Kind kind) const
{
    std::vector<QString> result;
    for (const Shown& box : shown_)
        if (box.kind == kind)
            result.push_back(box.text);
    return result;
}

Button ScriptedBoxes::confirm(const QString& text, const QString& caption, Button defaultButton)
{
    shown_.push_back({Kind::Confirm, text, caption, defaultButton});
    if (answers_.empty())
        return Button::No;
    const Button button = answers_.front();
    answers_.pop_front();
    return button;
}

} // namespace toolkit
