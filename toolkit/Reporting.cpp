#include "Reporting.h"

#include "Boxes.h"

#include <exception>

namespace toolkit {

bool runReported(const std::function<void()>& handler)
{
    try {
        handler();
        return true;
    } catch (const SilentStop&) {
        return false;
    } catch (const std::exception& failure) {
        boxes().error(QString::fromUtf8(failure.what()));
        return false;
    }
}

} // namespace toolkit
