#pragma once

#include <QHash>
#include <QLineEdit>

// A text box of the LCD display: its type has a design point size, kept
// wherever the box is tall enough for whole glyphs at that size. When the
// window makes the box smaller, the type shrinks just as far as the glyphs'
// ink needs to stay whole inside the box, and grows back with the box.
class LcdBox : public QLineEdit
{
    Q_OBJECT
    Q_PROPERTY(double designPointSize READ designPointSize WRITE setDesignPointSize)

public:
    explicit LcdBox(QWidget *parent = nullptr);

    double designPointSize() const { return m_designPointSize; }
    void setDesignPointSize(double points);

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void fitType();
    // The largest size up to the design size at which `type` fits a box
    // with `room` pixels of height.
    double fittedPointSize(QFont type, int room);
    bool typeFits(const QFont &type, int room) const;

    double m_designPointSize = 0;     // none: the font is left as it is
    QHash<int, double> m_fittedSizes; // point sizes by the height they fit
};
