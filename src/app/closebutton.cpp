#include "closebutton.h"

#include <QKeyEvent>

namespace {
const QString caption = QStringLiteral("閉じる(&C)");
}

CloseButton::CloseButton(QWidget* parent)
    : QPushButton(caption, parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setAutoDefault(false);
    setDefault(false);
    connect(this, &QPushButton::clicked, this, [this] { window()->close(); });
}

bool CloseButton::event(QEvent* event)
{
    // Alt+C closes at once, without the pressed look's delay that a mnemonic gets by default.
    if (event->type() == QEvent::Shortcut) {
        click();
        return true;
    }
    return QPushButton::event(event);
}

void CloseButton::keyPressEvent(QKeyEvent* event)
{
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    const bool enter = (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        && modifiers == Qt::NoModifier;
    // The mnemonic is typed without Alt too, in either case.
    const bool mnemonic = event->key() == Qt::Key_C
        && (modifiers & ~(Qt::ShiftModifier | Qt::AltModifier)) == Qt::NoModifier;
    if (enter || mnemonic) {
        event->accept();
        click();
        return;
    }
    QPushButton::keyPressEvent(event);
}
