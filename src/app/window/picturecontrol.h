// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

#pragma once

#include "app/window/colours.h"

#include <QImage>
#include <QWidget>

// Shows a picture at 1:1 from its top-left corner, clipped to its own bounds.
// The picture comes into being, white, at the control's size on the first
// drawing access, and keeps that size whatever becomes of the control.
class PictureControl : public QWidget {
    Q_OBJECT

public:
    explicit PictureControl(QWidget* parent = nullptr);

    // The picture, for a caller that writes its pixels and then calls
    // changed(); null for an empty control. Throws std::runtime_error when the
    // picture cannot be created, and the next access tries again.
    QImage& canvas();
    // Marks the whole picture for repainting.
    void changed();

    // Null until the first drawing access.
    const QImage& picture() const { return m_picture; }

protected:
    void paintEvent(QPaintEvent* event) override;
    // A new picture of the given size, or a null image where it cannot be created.
    virtual QImage newPicture(QSize size) const;

private:
    QImage m_picture;
    bool m_created = false;
};
