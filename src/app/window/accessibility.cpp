// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

#include "app/window/accessibility.h"

#include "app/window/closebutton.h"
#include "app/window/picturecontrol.h"
#include "app/window/tform1.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QKeySequence>

#include <algorithm>
#include <array>

namespace accessibility {

namespace {

// The controls a reader finds in the window, in reading order.
std::array<QWidget*, 2> controls(const TForm1& window)
{
    return {window.Image1, window.BitBtn1};
}

// The interface of the window that holds `control`.
QAccessibleInterface* frameOf(const QWidget* control)
{
    return QAccessible::queryAccessibleInterface(control->window());
}

class FrameAccessible : public QAccessibleWidget {
public:
    explicit FrameAccessible(TForm1* window)
        : QAccessibleWidget(window, QAccessible::Window)
    {}

    int childCount() const override
    {
        const auto all = controls(form());
        return int(std::count_if(all.begin(), all.end(), [](const QWidget* control) { return control != nullptr; }));
    }

    QAccessibleInterface* child(int index) const override
    {
        const auto all = controls(form());
        if (index < 0 || index >= int(all.size()) || !all[std::size_t(index)])
            return nullptr;
        return QAccessible::queryAccessibleInterface(all[std::size_t(index)]);
    }

    int indexOfChild(const QAccessibleInterface* child) const override
    {
        const auto all = controls(form());
        for (std::size_t i = 0; child && i < all.size(); ++i)
            if (all[i] && child->object() == all[i])
                return int(i);
        return -1;
    }

private:
    const TForm1& form() const { return *static_cast<const TForm1*>(widget()); }
};

class PictureAccessible : public QAccessibleWidget {
public:
    explicit PictureAccessible(PictureControl* picture)
        : QAccessibleWidget(picture, QAccessible::Graphic)
    {}

    QAccessibleInterface* parent() const override { return frameOf(widget()); }
};

// As Qt describes a push button, but a child of the frame.
class ButtonAccessible : public QAccessibleWidget {
public:
    explicit ButtonAccessible(CloseButton* button)
        : QAccessibleWidget(button, QAccessible::PushButton)
    {}

    QAccessibleInterface* parent() const override { return frameOf(widget()); }

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.pressed = button()->isDown();
        state.defaultButton = button()->isDefault();
        return state;
    }

    QString text(QAccessible::Text text) const override
    {
        if (text == QAccessible::Accelerator)
            return accelerator();
        return QAccessibleWidget::text(text);
    }

    QStringList actionNames() const override { return QStringList{pressAction()} + QAccessibleWidget::actionNames(); }

    void doAction(const QString& action) override
    {
        if (action == pressAction())
            button()->animateClick();
        else
            QAccessibleWidget::doAction(action);
    }

    QStringList keyBindingsForAction(const QString& action) const override
    {
        const QString keys = accelerator();
        if (action == pressAction() && !keys.isEmpty())
            return {keys};
        return QAccessibleWidget::keyBindingsForAction(action);
    }

private:
    CloseButton* button() const { return static_cast<CloseButton*>(widget()); }
    // The caption's mnemonic, as the keys that press the button: Alt+C.
    QString accelerator() const { return QKeySequence::mnemonic(button()->text()).toString(QKeySequence::NativeText); }
};

QAccessibleInterface* describe(const QString& className, QObject* object)
{
    if (className == QString::fromLatin1(TForm1::staticMetaObject.className()))
        return new FrameAccessible(static_cast<TForm1*>(object));
    if (className == QString::fromLatin1(PictureControl::staticMetaObject.className()))
        return new PictureAccessible(static_cast<PictureControl*>(object));
    if (className == QString::fromLatin1(CloseButton::staticMetaObject.className()))
        return new ButtonAccessible(static_cast<CloseButton*>(object));
    return nullptr;
}

} // namespace

void describeTheWindow()
{
    QAccessible::installFactory(describe);
}

} // namespace accessibility
