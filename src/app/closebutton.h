#pragma once

#include <QPushButton>

// A push button that closes the window holding it: clicked, or Space, Enter or
// its mnemonic key C, with or without Alt, while it has the focus.
class CloseButton : public QPushButton {
    Q_OBJECT

public:
    explicit CloseButton(QWidget* parent = nullptr);

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};
