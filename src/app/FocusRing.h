#pragma once

#include <QColor>
#include <QFocusFrame>

// A frame around the control that has the keyboard focus, plain to see
// from start-up: two pixels of dark blue, with well over 3:1 contrast
// against the form's light greys and white, just outside the control, on
// buttons, boxes, the port box and the blue LCD boxes alike. A desktop's
// style would show the focus only after the first key, and as a faint line
// or, in an LCD box, a thin caret alone. It follows the focus within its
// window, and is no control: assistive technology passes it over.
class FocusRing : public QFocusFrame
{
    Q_OBJECT

public:
    static constexpr int Width = 2;
    static inline const QColor Colour{0x1C, 0x4F, 0xC0};

    explicit FocusRing(QWidget *window);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void follow(QWidget *focused);

    QWidget *m_window;
};
