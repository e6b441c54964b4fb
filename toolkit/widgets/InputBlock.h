#pragma once

#include <QObject>
#include <QPointer>
#include <functional>

class QWidget;

namespace toolkit {

// While a long job runs on the user-interface thread, the window takes no input: clicks, keys
// and attempts to close it are dropped for as long as the block lives, while it still repaints
// whenever the job lets events through (pump). Boxes the job shows are windows of their own and
// are answered as usual. An attempt to close the window is told to closeAsked, so that the job
// can end early and the window close after it.
class InputBlock : public QObject {
public:
    explicit InputBlock(QWidget* window, std::function<void()> closeAsked = {});
    ~InputBlock() override;
    InputBlock(const InputBlock&) = delete;
    InputBlock& operator=(const InputBlock&) = delete;

    // Lets pending events through (paint among them); input to the window is dropped.
    static void pump();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPointer<QWidget> window_;
    std::function<void()> closeAsked_;
};

} // namespace toolkit
