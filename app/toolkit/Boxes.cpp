#include "Boxes.h"

#include "QtBoxes.h"

namespace toolkit {

namespace {
std::shared_ptr<Boxes>& current()
{
    static std::shared_ptr<Boxes> instance = std::make_shared<QtBoxes>();
    return instance;
}
} // namespace

Boxes& boxes()
{
    return *current();
}

void setBoxes(std::shared_ptr<Boxes> replacement)
{
    current() = replacement ? std::move(replacement) : std::make_shared<QtBoxes>();
}

} // namespace toolkit
