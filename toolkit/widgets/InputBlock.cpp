#include "InputBlock.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>

namespace toolkit {

namespace {
bool isInput(QEvent::Type type)
{
    switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::Shortcut:
    case QEvent::ShortcutOverride:
    case QEvent::ContextMenu:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::Close:
        return true;
    default:
        return false;
    }
}
} // namespace

InputBlock::InputBlock(QWidget* window, std::function<void()> closeAsked)
    : window_(window), closeAsked_(std::move(closeAsked))
{
    qApp->installEventFilter(this);
}

InputBlock::~InputBlock()
{
    qApp->removeEventFilter(this);
}

void InputBlock::pump()
{
    QCoreApplication::processEvents();
}

bool InputBlock::eventFilter(QObject* watched, QEvent* event)
{
    if (!window_ || !watched->isWidgetType() || !isInput(event->type()))
        return false;
    auto* widget = static_cast<QWidget*>(watched);
    if (widget != window_ && !window_->isAncestorOf(widget))
        return false;
    if (event->type() == QEvent::Close && widget == window_ && closeAsked_)
        closeAsked_();
    event->ignore();
    return true;
}

} // namespace toolkit
