#include "Boxes.h"

#include <cstdio>

namespace toolkit {

namespace {

// Where no window can show a box: the text is written out and nobody is asked.
class StandardErrorBoxes : public Boxes {
public:
    Button confirm(const QString& text, const QString&, Button defaultButton) override
    {
        write(text);
        return defaultButton;
    }
    void information(const QString& text, const QString& details) override { write(text, details); }
    void warning(const QString& text, const QString& details) override { write(text, details); }
    void message(const QString& text) override { write(text); }
    void error(const QString& text) override { write(text); }

private:
    static void write(const QString& text, const QString& details = {})
    {
        std::fprintf(stderr, "%s\n", qUtf8Printable(details.isEmpty() ? text : text + u'\n' + details));
    }
};

std::shared_ptr<Boxes>& current()
{
    static std::shared_ptr<Boxes> instance = std::make_shared<StandardErrorBoxes>();
    return instance;
}

} // namespace

Boxes& boxes()
{
    return *current();
}

void setBoxes(std::shared_ptr<Boxes> replacement)
{
    current() = replacement ? std::move(replacement) : std::make_shared<StandardErrorBoxes>();
}

} // namespace toolkit
